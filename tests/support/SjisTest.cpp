#include "support/Sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, LeadAndTrailBytes) {
    // 表 is 0x95 0x5C: its second byte looks like a backslash.
    std::string text = "a\x95\x5c"
                       "b\\";
    EXPECT_FALSE(sjis::isTrailByteAt(text, 0));
    EXPECT_FALSE(sjis::isTrailByteAt(text, 1));
    EXPECT_TRUE(sjis::isTrailByteAt(text, 2));
    EXPECT_FALSE(sjis::isTrailByteAt(text, 3));
    EXPECT_FALSE(sjis::isTrailByteAt(text, 4));
    EXPECT_TRUE(sjis::isLeadByte(0x81));
    EXPECT_TRUE(sjis::isLeadByte(0xFC));
    EXPECT_FALSE(sjis::isLeadByte(0xA0)); // half-width katakana range
    EXPECT_FALSE(sjis::isLeadByte('A'));
}

TEST(Sjis, CompareFoldsOnlyAsciiLettersToLowerCase) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"ABC", "abc", 0},
        {"Orvo", "oRVO", 0},
        {"AB", "abc", -1},
        // Letters fold to lower case: the six bytes [ \ ] ^ _ ` sort before every letter.
        {"ABC_1", "ABCD", -1},
        {"abc_1", "ABCD", -1},
        {"A[", "Aa", -1},
        {"A`", "AZ", -1},
        {"A^", "a", 1},
        {"@", "a", -1},
        {"{", "Z", 1},
        // Full-width Ａ (0x82 0x60) and ａ (0x82 0x81) stay different.
        {"\x82\x60", "\x82\x81", -1},
        // Second bytes are never folded: ア (0x83 0x41) and ヂ (0x83 0x61) differ.
        {"\x83\x41", "\x83\x61", -1},
        {"\x83\x41x", "\x83\x41X", 0},
        // Bytes compare unsigned: a double-byte character sorts after ASCII.
        {"\x95\x5c", "z", 1},
    };
    for (const Case& c : cases) {
        int r = sjis::compareNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ(sjis::equalsNoCase(c.a, c.b), c.sign == 0) << c.a << " vs " << c.b;
    }
}

TEST(Sjis, HalfWidthMapping) {
    struct Case {
        const char* utf8in;
        const char* utf8out;
    } cases[] = {
        {"ＣＨ１　単相", "CH1 単相"},
        {"３相４線", "3相4線"},
        {"ＰＴ：６６００／１１０", "PT:6600/110"},
        {"（ａｂｃ）", "(abc)"},
        {"カタカナ", "ｶﾀｶﾅ"},
        {"ガパヴ", "ｶﾞﾊﾟｳﾞ"},
        {"ひらがな漢字", "ひらがな漢字"},
        {"ascii 1.5", "ascii 1.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sjis::toUtf8(sjis::toHalfWidth(sjis::fromUtf8(c.utf8in))), c.utf8out) << c.utf8in;
    }
}

TEST(Sjis, ConversionRoundTripAndBadBytes) {
    std::string utf8 = "需要家 測定回路 ｶﾀｶﾅ ～ 表";
    std::string cp = sjis::fromUtf8(utf8);
    EXPECT_EQ(cp.substr(0, 6), "\x8e\xf9\x97\x76\x89\xc6");
    EXPECT_EQ(sjis::toUtf8(cp), utf8);
    // A lone lead byte or an undefined byte becomes the replacement character, never a crash.
    EXPECT_EQ(sjis::toUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(sjis::toUtf8("a\xff"
                           "b"),
              "a\xEF\xBF\xBD"
              "b");
    // Characters CP932 lacks become '?'; broken UTF-8 too.
    EXPECT_EQ(sjis::fromUtf8("a\xF0\x9F\x98\x80"
                             "b"),
              "a?b");
    EXPECT_EQ(sjis::fromUtf8("a\xC3"), "a?");
    EXPECT_EQ(sjis::fromUtf16(u"需要家"), sjis::fromUtf8("需要家"));
}
