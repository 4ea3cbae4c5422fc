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
        EXPECT_EQ(sjis::toUtf8(sjis::toHalfWidth(sjis::fromUtf8(c.utf8in).value())), c.utf8out)
            << c.utf8in;
    }
}

namespace {

// The one code point of a UTF-8 text, or 0 when it holds anything else.
char32_t onlyCodePoint(const std::string& utf8) {
    std::u32string cps;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int k = 1; k < n && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        cps += cp;
        i += n;
    }
    return cps.size() == 1 ? cps[0] : 0;
}

// The single-byte CP932 twin of a character, from Unicode's full-width and half-width forms
// (not from the table under test); empty when it has none.
std::string singleByteTwin(char32_t cp) {
    // The half-width forms U+FF61..U+FF9F are the CP932 bytes 0xA1..0xDF, in this order.
    static const std::u32string kana =
        U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチ"
        U"ツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    static const std::u32string voiced = U"カキクケコサシスセソタチツテトハヒフヘホ";
    static const std::u32string semiVoiced = U"ハヒフヘホ";
    auto half = [](char32_t full) {
        std::size_t i = kana.find(full);
        return i == std::u32string::npos ? std::string() : std::string(1, char(0xA1 + i));
    };
    if (cp >= 0xFF01 && cp <= 0xFF5E)
        return std::string(1, static_cast<char>(cp - 0xFEE0));
    if (cp == 0x3000)
        return " ";
    if (cp == 0x2018 || cp == 0x2019)
        return "'";
    if (cp == 0x201C || cp == 0x201D)
        return "\"";
    if (cp == 0xFFE5)
        return "\\"; // CP932's single byte 0x5C is the yen sign
    if (cp == U'ヴ')
        return half(U'ウ') + "\xde";
    if (voiced.find(cp - 1) != std::u32string::npos)
        return half(cp - 1) + "\xde";
    if (semiVoiced.find(cp - 2) != std::u32string::npos)
        return half(cp - 2) + "\xdf";
    return half(cp);
}

} // namespace

TEST(Sjis, HalfWidthTwinOfEveryDoubleByteCode) {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            char32_t cp = onlyCodePoint(sjis::toUtf8(code));
            std::string twin = cp != 0 && cp != 0xFFFD ? singleByteTwin(cp) : std::string();
            mapped += !twin.empty();
            EXPECT_EQ(sjis::toHalfWidth(code), twin.empty() ? code : twin)
                << std::hex << lead << trail << " U+" << static_cast<uint32_t>(cp);
        }
    }
    // 92 ASCII forms of row 1 and 3, ＇ and ＂ twice each in the extension rows, the blank,
    // four quotes, the yen sign, 63 kana and signs, 26 voiced kana.
    EXPECT_EQ(mapped, 92 + 4 + 1 + 4 + 1 + 63 + 26);
}

TEST(Sjis, ConversionRoundTripAndBadBytes) {
    std::string utf8 = "需要家 測定回路 ｶﾀｶﾅ ～ 表";
    std::string cp = sjis::fromUtf8(utf8).value();
    EXPECT_EQ(cp.substr(0, 6), "\x8e\xf9\x97\x76\x89\xc6");
    EXPECT_EQ(sjis::toUtf8(cp), utf8);
    // A lone lead byte or an undefined byte becomes the replacement character, never a crash.
    EXPECT_EQ(sjis::toUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(sjis::toUtf8("a\xff"
                           "b"),
              "a\xEF\xBF\xBD"
              "b");
    // Only for texts that are shown: characters CP932 lacks become '?'; broken UTF-8 too.
    EXPECT_EQ(sjis::fromUtf8Shown("a\xF0\x9F\x98\x80"
                                  "b"),
              "a?b");
    EXPECT_EQ(sjis::fromUtf8Shown("a\xC3"), "a?");
    EXPECT_EQ(sjis::fromUtf16(u"需要家"), sjis::fromUtf8("需要家"));
}

// No character is lost on the way to CP932: what CP932 cannot give back as itself is refused,
// never made a '?' (paths with "é" went to "h?" before). Names may take the JIS twin.
TEST(Sjis, ConversionRefusesWhatDoesNotComeBack) {
    struct Case {
        const char* name;
        const char* utf8;
        bool exact;        // converts under Spelling::Exact
        bool twins;        // converts under Spelling::JisTwins
        const char* first; // firstUnspellable under Exact
    } cases[] = {
        {"ascii", "/tmp/x/cap.txt", true, true, ""},
        {"kanji and kana", "需要家ｶﾀｶﾅ", true, true, ""},
        {"ソ表: second bytes 0x5C", "ソ表", true, true, ""},
        {"full-width tilde comes back", "～", true, true, ""},
        {"é is not in CP932", "café", false, false, "é"},
        {"emoji", "a😀b", false, false, "😀"},
        {"wave dash U+301C comes back as U+FF5E", "東京〜大阪", false, true, "〜"},
        {"minus sign U+2212 comes back as U+FF0D", "A−B", false, true, "−"},
        {"em dash U+2014 comes back as U+2015", "a—b", false, true, "—"},
        {"yen sign U+00A5 would become a backslash", "¥100", false, false, "¥"},
        {"broken UTF-8", "a\xC3", false, false, "\xC3"},
        {"a lone continuation byte",
         "a\x80"
         "b",
         false, false, "\x80"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> exact = sjis::fromUtf8(c.utf8);
        EXPECT_EQ(exact.has_value(), c.exact) << c.name;
        if (exact) {
            EXPECT_EQ(sjis::toUtf8(*exact), c.utf8) << c.name;
        }
        EXPECT_EQ(sjis::fromUtf8(c.utf8, sjis::Spelling::JisTwins).has_value(), c.twins) << c.name;
        EXPECT_EQ(sjis::firstUnspellable(c.utf8), c.first) << c.name;
    }
    // The twin is the byte Windows keeps for it.
    EXPECT_EQ(sjis::fromUtf8("〜", sjis::Spelling::JisTwins), sjis::fromUtf8("～"));
    EXPECT_EQ(sjis::fromUtf16(u"caf\u00e9"), std::nullopt);
}
