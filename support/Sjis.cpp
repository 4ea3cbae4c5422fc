#include "support/Sjis.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace sjis {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isTrailByteAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < pos;) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            if (i + 1 == pos) {
                return true;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

namespace {

// Lower case, as the Windows C runtime folds: "ABC_1" ('_' 0x5F) sorts before "ABCD" ('d' 0x64).
unsigned char foldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

} // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    bool trail = false; // both texts agree up to here, so they share this state
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            x = foldAscii(x);
            y = foldAscii(y);
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
        trail = !trail && isLeadByte(x);
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

namespace {

// Half-width forms of the full-width katakana 0x8340..0x8396 (0x837F unused); empty = none.
const char* const kKatakana[] = {"\xa7",     "\xb1",     "\xa8",     "\xb2",     "\xa9",
                                 "\xb3",     "\xaa",     "\xb4",     "\xab",     "\xb5", // ァ..オ
                                 "\xb6",     "\xb6\xde", "\xb7",     "\xb7\xde", "\xb8",
                                 "\xb8\xde", "\xb9",     "\xb9\xde", // カ..ゲ
                                 "\xba",     "\xba\xde", "\xbb",     "\xbb\xde", "\xbc",
                                 "\xbc\xde", "\xbd",     "\xbd\xde", // コ..ズ
                                 "\xbe",     "\xbe\xde", "\xbf",     "\xbf\xde", "\xc0",
                                 "\xc0\xde", "\xc1",     "\xc1\xde", // セ..ヂ
                                 "\xaf",     "\xc2",     "\xc2\xde", "\xc3",     "\xc3\xde",
                                 "\xc4",     "\xc4\xde", "\xc5",     "\xc6", // ッ..ニ
                                 "\xc7",     "\xc8",     "\xc9",     "\xca",     "\xca\xde",
                                 "\xca\xdf", "\xcb",     "\xcb\xde", // ヌ..ビ
                                 "\xcb\xdf", "\xcc",     "\xcc\xde", "\xcc\xdf", "\xcd",
                                 "\xcd\xde", "\xcd\xdf", "\xce", // ピ..ホ
                                 "\xce\xde", "\xce\xdf", "\xcf",     "\xd0",     "\xd1",
                                 "\xd2",     "\xd3",     "\xac",     "\xd4", // ボ..ヤ
                                 "\xad",     "\xd5",     "\xae",     "\xd6",     "\xd7",
                                 "\xd8",     "\xd9",     "\xda",     "\xdb",     "", // ュ..ヮ
                                 "\xdc",     "",         "",         "\xa6",     "\xdd",
                                 "\xb3\xde", "",         ""}; // ワ..ヶ

// Full-width symbols of row 0x81 that have a half-width form.
struct SymbolMap {
    unsigned char trail;
    const char* half;
};
const SymbolMap kSymbols[] = {
    {0x40, " "},    {0x41, "\xa4"}, {0x42, "\xa1"}, {0x43, ","},    {0x44, "."},    {0x45, "\xa5"},
    {0x46, ":"},    {0x47, ";"},    {0x48, "?"},    {0x49, "!"},    {0x4A, "\xde"}, {0x4B, "\xdf"},
    {0x4D, "`"},    {0x4F, "^"},    {0x51, "_"},    {0x5B, "\xb0"}, {0x5E, "/"},    {0x5F, "\\"},
    {0x60, "~"},    {0x62, "|"},    {0x65, "'"},    {0x66, "'"},    {0x67, "\""},   {0x68, "\""},
    {0x69, "("},    {0x6A, ")"},    {0x6D, "["},    {0x6E, "]"},    {0x6F, "{"},    {0x70, "}"},
    {0x75, "\xa2"}, {0x76, "\xa3"}, {0x7B, "+"},    {0x7C, "-"},    {0x81, "="},    {0x83, "<"},
    {0x84, ">"},    {0x8F, "\\"},   {0x90, "$"},    {0x93, "%"},    {0x94, "#"},    {0x95, "&"},
    {0x96, "*"},    {0x97, "@"},
};

const char* halfWidthOf(unsigned char lead, unsigned char trail) {
    if (lead == 0x81) {
        for (const SymbolMap& s : kSymbols) {
            if (s.trail == trail) {
                return s.half;
            }
        }
        return nullptr;
    }
    if (lead == 0x82) {
        static thread_local char one[2] = {0, 0};
        if (trail >= 0x4F && trail <= 0x58) {
            one[0] = static_cast<char>('0' + trail - 0x4F);
        } else if (trail >= 0x60 && trail <= 0x79) {
            one[0] = static_cast<char>('A' + trail - 0x60);
        } else if (trail >= 0x81 && trail <= 0x9A) {
            one[0] = static_cast<char>('a' + trail - 0x81);
        } else {
            return nullptr;
        }
        return one;
    }
    // ＇ and ＂ exist only as extension codes, each twice.
    if ((lead == 0xEE && trail == 0xFB) || (lead == 0xFA && trail == 0x56)) {
        return "'";
    }
    if ((lead == 0xEE && trail == 0xFC) || (lead == 0xFA && trail == 0x57)) {
        return "\"";
    }
    if (lead == 0x83 && trail >= 0x40 && trail <= 0x96 && trail != 0x7F) {
        const char* h = kKatakana[trail - 0x40 - (trail > 0x7F ? 1 : 0)];
        return *h ? h : nullptr;
    }
    return nullptr;
}

} // namespace

std::string toHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < text.size()) {
            unsigned char t = static_cast<unsigned char>(text[i + 1]);
            if (const char* h = halfWidthOf(c, t)) {
                out += h;
            } else {
                out += text.substr(i, 2);
            }
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

namespace {

// One iconv descriptor per direction and thread; iconv_open is costly.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts, calling skip(in, left) to step over a byte sequence it cannot convert and
    // appending the replacement; `replaced` counts those.
    template <typename Skip>
    std::string run(std::string_view input, std::string_view replacement, Skip skip,
                    std::size_t* replaced = nullptr) {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            return std::string(input);
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        std::array<char, 1024> buf;
        while (inLeft > 0) {
            char* outPtr = buf.data();
            size_t outLeft = buf.size();
            size_t r = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buf.data(), buf.size() - outLeft);
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                out += replacement;
                if (replaced != nullptr)
                    ++*replaced;
                size_t step = errno == EINVAL ? inLeft : skip(in, inLeft);
                in += step;
                inLeft -= step;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t m_cd;
};

size_t utf8SequenceLength(const char* p, size_t left) {
    unsigned char c = static_cast<unsigned char>(*p);
    size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, left);
}

} // namespace

std::string toUtf8(std::string_view cp932) {
    thread_local Converter conv("UTF-8", "CP932");
    return conv.run(cp932, "\xEF\xBF\xBD", [](const char*, size_t) { return size_t{1}; });
}

std::string fromUtf8Shown(std::string_view utf8) {
    thread_local Converter conv("CP932", "UTF-8");
    return conv.run(utf8, "?", utf8SequenceLength);
}

namespace {

// The code point at i, moving i past it; U+FFFD (past one byte) for a broken sequence.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80   ? 1
                          : c < 0xC2 ? 0
                          : c < 0xE0 ? 2
                          : c < 0xF0 ? 3
                          : c < 0xF5 ? 4
                                     : 0;
    if (n == 0 || n > s.size() - i) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    i += n;
    return cp;
}

// The character CP932 gives back for one it stores under its JIS twin's code.
char32_t jisTwin(char32_t c) {
    switch (c) {
    case 0x301C: // WAVE DASH -> FULLWIDTH TILDE
        return 0xFF5E;
    case 0x2212: // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        return 0xFF0D;
    case 0x2016: // DOUBLE VERTICAL LINE -> PARALLEL TO
        return 0x2225;
    case 0x2014: // EM DASH -> HORIZONTAL BAR
        return 0x2015;
    case 0x00A2:
        return 0xFFE0;
    case 0x00A3:
        return 0xFFE1;
    case 0x00AC:
        return 0xFFE2;
    default:
        return c;
    }
}

// The first character of `original` (as a byte offset) that does not come back as itself;
// npos when the whole text does.
std::size_t firstChanged(std::string_view original, std::string_view back, Spelling spelling) {
    std::size_t i = 0;
    std::size_t k = 0;
    while (i < original.size()) {
        const std::size_t at = i;
        const char32_t a = nextCodePoint(original, i);
        if (k >= back.size())
            return at;
        const char32_t b = nextCodePoint(back, k);
        if (a == 0xFFFD || b == 0xFFFD)
            return at;
        if (a != b && (spelling == Spelling::Exact || jisTwin(a) != b))
            return at;
    }
    return k < back.size() ? original.size() : std::string_view::npos;
}

struct Attempt {
    std::string bytes;
    std::size_t failedAt = std::string_view::npos; // byte offset of the first lost character
};

Attempt tryFromUtf8(std::string_view utf8, Spelling spelling) {
    thread_local Converter conv("CP932", "UTF-8");
    Attempt attempt;
    std::size_t replaced = 0;
    attempt.bytes = conv.run(utf8, "?", utf8SequenceLength, &replaced);
    // Converted back, every character must be itself (or its twin): iconv also maps some
    // characters one way only ("¥" U+00A5 to the byte of "\").
    attempt.failedAt = firstChanged(utf8, toUtf8(attempt.bytes), spelling);
    if (replaced > 0 && attempt.failedAt == std::string_view::npos)
        attempt.failedAt = 0;
    return attempt;
}

std::string utf8FromUtf16(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        uint32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            utf8 += static_cast<char>(cp);
        } else if (cp < 0x800) {
            utf8 += static_cast<char>(0xC0 | (cp >> 6));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (cp >> 12));
            utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (cp >> 18));
            utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return utf8;
}

} // namespace

std::optional<std::string> fromUtf8(std::string_view utf8, Spelling spelling) {
    Attempt attempt = tryFromUtf8(utf8, spelling);
    if (attempt.failedAt != std::string_view::npos)
        return std::nullopt;
    return std::move(attempt.bytes);
}

std::optional<std::string> fromUtf16(std::u16string_view utf16, Spelling spelling) {
    return fromUtf8(utf8FromUtf16(utf16), spelling);
}

std::string firstUnspellable(std::string_view utf8, Spelling spelling) {
    const std::size_t at = tryFromUtf8(utf8, spelling).failedAt;
    if (at >= utf8.size())
        return at == std::string_view::npos ? std::string() : std::string("?");
    std::size_t end = at;
    nextCodePoint(utf8, end);
    return std::string(utf8.substr(at, end - at));
}

} // namespace sjis
