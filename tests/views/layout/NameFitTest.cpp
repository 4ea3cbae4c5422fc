#include "views/layout/NameFit.h"
#include "common/Cp932.h"
#include <gtest/gtest.h>

namespace {

// Every byte is half a font height wide (a kanji as wide as it is high), a line as high as the
// font.
Size measure(const std::string& text, int32_t height) {
    return {static_cast<int32_t>(text.size()) * height / 2, height};
}

std::string kanji(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += sj("漢");
    return out;
}

struct Case {
    const char* what;
    std::string text;
    Size box;
    int32_t preferred;
    name_fit::Fit expected;
};

TEST(NameFit, ShrinksThenWrapsThenCutsTheEndNeverTheStart) {
    const std::string longName = kanji(60);
    const Case cases[] = {
        {"fits at the table's size", "ABCD", {150, 40}, 20, {20, {"ABCD"}, false}},
        {"shrinks within the floor",
         "ABCDEFGHIJKLMNOPQRST",
         {150, 40},
         20,
         {15, {"ABCDEFGHIJKLMNOPQRST"}, false}},
        {"wraps at the space",
         sj("東京精密工業株式会社 本社工場"),
         {150, 40},
         20,
         {15, {sj("東京精密工業株式会社"), sj("本社工場")}, false}},
        {"wraps at a full-width space",
         sj("東京精密工業株式会社　本社工場"),
         {150, 40},
         20,
         {15, {sj("東京精密工業株式会社"), sj("本社工場")}, false}},
        {"no space: wraps between characters",
         kanji(24),
         {150, 40},
         20,
         {12, {kanji(12), kanji(12)}, false}},
        {"a space that needs a tiny font is passed over",
         sj("株式会社 東京精密工業研究開発本社工場"),
         {150, 40},
         20,
         {15, {sj("株式会社 東京精密工"), sj("業研究開発本社工場")}, false}},
        {"too long: the second line ends in an ellipsis",
         longName,
         {150, 40},
         20,
         {10, {kanji(15), kanji(14) + sj("…")}, true}},
        {"too low for two lines: one line ends in an ellipsis",
         longName,
         {150, 10},
         14,
         {9, {kanji(15) + sj("…")}, true}},
    };
    for (const Case& c : cases) {
        const name_fit::Fit got =
            name_fit::fit(c.text, name_fit::limitsFor(c.box, c.preferred), measure);
        EXPECT_EQ(got.height, c.expected.height) << c.what;
        EXPECT_EQ(got.lines, c.expected.lines) << c.what;
        EXPECT_EQ(got.elided, c.expected.elided) << c.what;
    }
}

TEST(NameFit, DoubleByteCharactersAreNeverCut) {
    // Two bytes wide at height 2: "A" and the first byte of a kanji would fit; the kanji
    // goes whole to the next line, which has room only for the ellipsis.
    const name_fit::Fit got =
        name_fit::fit(sj("A漢字B"), name_fit::Limits{{2, 4}, 2, 2, 2}, measure);
    ASSERT_EQ(got.lines.size(), 2u);
    EXPECT_EQ(got.lines[0], "A");
    EXPECT_TRUE(got.elided);
    EXPECT_EQ(got.lines[1], sj("…"));
}

} // namespace
