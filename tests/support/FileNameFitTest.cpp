#include "support/FileNameFit.h"
#include "common/Cp932.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string repeat(const char* utf8, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += utf8;
    return out;
}

struct FitCase {
    const char* name;
    std::string full; // UTF-8
    std::string tail; // UTF-8, kept whole
    std::size_t max;
    std::string expected; // UTF-8
};

TEST(FileNameFit, KeepsTheStartAndTheTailAndCutsAtACharacter) {
    const std::string tail = "_20240501_1.CSV"; // 15 bytes
    const FitCase cases[] = {
        {"fits as it is", "日報_東京_受電" + tail, tail, 255, "日報_東京_受電" + tail},
        {"exactly the limit", "ab" + tail, tail, 17, "ab" + tail},
        {"ASCII cut", "abcdef" + tail, tail, 18, "abc" + tail},
        // 東 is 3 bytes in UTF-8: 16 bytes leave room for no whole kanji, 18 for one.
        {"kanji never split", "東京" + tail, tail, 17, tail},
        {"one kanji fits", "東京" + tail, tail, 18, "東" + tail},
        // ｱ is one CP932 byte but three in UTF-8: measured as stored.
        {"half-width kana counted as stored", "ｱｲｳ" + tail, tail, 21, "ｱｲ" + tail},
        {"256 kanji name", "日報_" + repeat("東", 256) + "_受電" + tail, tail, 255,
         "日報_" + repeat("東", (255 - 15 - 7) / 3) + tail},
    };
    for (const FitCase& c : cases) {
        const std::string fitted = sjis::toUtf8(fitFileName(sj(c.full), sj(c.tail).size(), c.max));
        EXPECT_EQ(fitted, c.expected) << c.name;
        EXPECT_LE(fitted.size(), c.max) << c.name;
    }
}

TEST(FileNameFit, TheDefaultLimitIsTheFileSystemsName) {
    const std::string name = sj(repeat("東", 100) + ".VLK");
    const std::string fitted = fitFileName(name, 4);
    EXPECT_LE(sjis::toUtf8(fitted).size(), kFileNameMaxBytes);
    EXPECT_GT(sjis::toUtf8(fitted).size(), kFileNameMaxBytes - 3);
    EXPECT_EQ(fitted.substr(fitted.size() - 4), ".VLK");
}

} // namespace
