#include "link/ReportLineCleaner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string clean(std::string line, unsigned options, bool quoteAware = false) {
    ReportLineCleaner(line, options, quoteAware);
    return line;
}

} // namespace

TEST(ReportLineCleaner, EachOptionAlone) {
    struct Case {
        unsigned options;
        std::string in;
        std::string out;
    } cases[] = {
        {0x00, " a\tb ;c\n\"", " a\tb ;c\n\""},
        {0x40, R"(a\"b\c\")", R"(a"b\c")"},
        {0x01, "ab\ncd\nef", "ab"},
        {0x02, "\ta\t\tb\t", " a  b "},
        {0x04, "10:00 1 2 ; note", "10:00 1 2 "},
        {0x08, "   a b  ", "a b  "},
        {0x10, "  a b   ", "  a b"},
        {0x20, "\"a b\"", "a b"},
        {0x20, "\"", "\""},         // a lone quote is not a quoted line
        {0x20, "\"\"", ""},         // an empty quoted line
        {0x20, "\"a", "\"a"},       // quote at one end only
        {0x10, "abc \r", "abc \r"}, // only blanks are trimmed: the CR stays
        {0x08, "\tabc", "\tabc"},   // a TAB is not a blank for the trim
        {0x10, "abc\t", "abc\t"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clean(c.in, c.options), c.out) << "options " << c.options << " on " << c.in;
    }
}

TEST(ReportLineCleaner, OptionsApplyInTheirOrder) {
    // LF cut first, TAB becomes blank, ';' cut, both trims, then the quotes.
    EXPECT_EQ(clean("\t \"ab\" ;c\nrest", 0x3f), "ab");
    // TAB replaced before the trims: a leading TAB is trimmed with 0x3f.
    EXPECT_EQ(clean("\t\t10:00 1\t", 0x3f), "10:00 1");
    // Unescaping comes before the quote strip: \"ab\" -> "ab" -> ab.
    EXPECT_EQ(clean(R"(\"ab\")", 0x60), "ab");
    // ';' inside the part cut at LF never matters.
    EXPECT_EQ(clean("a\n;b", 0x05), "a");
    // A comment line is empty after the reception's clean-up.
    EXPECT_EQ(clean("; comment", 0x3f), "");
    EXPECT_EQ(clean("   ", 0x3f), "");
}

TEST(ReportLineCleaner, QuoteAwareSkipsQuotedStretches) {
    EXPECT_EQ(clean("\"a;b\";c", 0x04, true), "\"a;b\"");
    EXPECT_EQ(clean("\"a;b\";c", 0x04, false), "\"a");
    // An escaped quote does not close the stretch.
    EXPECT_EQ(clean(R"("a\";b";c)", 0x04, true), R"("a\";b")");
    EXPECT_EQ(clean("\"a\tb\"\tc", 0x02, true), "\"a\tb\" c");
    EXPECT_EQ(clean("\"a\nb\"\nc", 0x01, true), "\"a\nb\"");
    // An unclosed quote hides the rest of the line.
    EXPECT_EQ(clean("\"a;b", 0x04, true), "\"a;b");
}

TEST(ReportLineCleaner, DoubleByteBackslashIsNotAnEscape) {
    // ソ is 0x83 0x5C: its second byte looks like a backslash.
    const std::string so = "\x83\x5c";
    EXPECT_EQ(clean(so + "\"", 0x40), so + "\"");
    EXPECT_EQ(clean("\\\"" + so + "\"", 0x40), "\"" + so + "\"");
    // Inside quotes, ソ followed by a quote closes the stretch.
    EXPECT_EQ(clean("\"" + so + "\";x", 0x04, true), "\"" + so + "\"");
}

TEST(ReportLineCleaner, ZeroByteEndsTheLineText) {
    using namespace std::string_literals;
    struct Case {
        unsigned options;
        std::string in;
        std::string out;
    } cases[] = {
        {0x3f, "a\0b "s, "a"},
        {0x00, "a b\0"s, "a b"},
        {0x3f, "\0abc"s, ""},
        {0x3f, " 10:00 1 \0\0;x"s, "10:00 1"},
        {0x3f, "a\t\0b\tc"s, "a"},
        {0x3f, "\"ab\"\0\""s, "ab"}, // the quotes around the text count
        {0x04, "\"a\0;b\";c"s, "\"a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clean(c.in, c.options), c.out) << "options " << c.options;
    }
}
