#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Shift-JIS bytes kept apart from UTF-8 text by type. The program's own texts are written in
// UTF-8 and made Shift-JIS by the compiler (sjis::text); a character without an exact
// Shift-JIS form, one that would come back as another character, stops the build.
namespace sjis {

namespace detail {

struct Mapping {
    char32_t codePoint;
    std::uint16_t bytes; // one byte below 0x100
};
// Made at build time from the program's own converter (support/sjistable).
inline constexpr Mapping kTable[] = {
#include "SjisTable.inc"
};

// Never defined and not constexpr: a text that reaches one stops the build with its name.
void characterWithoutExactShiftJisForm();
void invalidUtf8InText();
void nonAsciiByteInPlainLiteral();

constexpr std::uint16_t bytesOf(char32_t cp) {
    std::size_t lo = 0;
    std::size_t hi = std::size(kTable);
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (kTable[mid].codePoint < cp)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == std::size(kTable) || kTable[lo].codePoint != cp)
        characterWithoutExactShiftJisForm();
    return kTable[lo].bytes;
}

} // namespace detail

// A text of the program as Shift-JIS bytes, zero-terminated; N bounds its length (a
// character never takes more bytes in Shift-JIS than in UTF-8).
template <std::size_t N> class Literal {
public:
    constexpr const char* c_str() const { return m_bytes; }
    constexpr std::size_t size() const { return m_size; }
    constexpr std::string_view view() const { return {m_bytes, m_size}; }
    std::string str() const { return std::string(m_bytes, m_size); }
    // Bytes where the core keeps Shift-JIS bytes (std::string, a C string); the functions that
    // want UTF-8 refuse a Literal by a deleted overload.
    operator std::string() const { return str(); }
    constexpr operator std::string_view() const { return view(); }
    constexpr operator const char*() const { return m_bytes; }
    friend constexpr bool operator==(const Literal& a, std::string_view b) { return a.view() == b; }

    char m_bytes[N] = {};
    std::size_t m_size = 0;
};

// The Shift-JIS bytes of a UTF-8 text, made by the compiler.
template <std::size_t N> consteval Literal<N> text(const char8_t (&utf8)[N]) {
    Literal<N> out;
    for (std::size_t i = 0; i + 1 < N;) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (n == 0 || i + n >= N)
            detail::invalidUtf8InText();
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                detail::invalidUtf8InText();
            cp = (cp << 6) | (next & 0x3F);
        }
        i += n;
        const std::uint16_t bytes = detail::bytesOf(cp);
        if (bytes > 0xFF)
            out.m_bytes[out.m_size++] = static_cast<char>(bytes >> 8);
        out.m_bytes[out.m_size++] = static_cast<char>(bytes & 0xFF);
    }
    return out;
}

class String;

// A view of Shift-JIS bytes: from a text of the program, from an ASCII literal (the same bytes
// in either encoding), from a String, or explicitly from bytes the caller knows to be
// Shift-JIS (a name from a file). A UTF-8 text is none of these.
class Text {
public:
    template <std::size_t N>
    constexpr Text(const Literal<N>& text) : m_data(text.c_str()), m_size(text.size()) {}
    template <std::size_t N> consteval Text(const char (&ascii)[N]) : m_data(ascii), m_size(N - 1) {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            if (static_cast<unsigned char>(ascii[i]) >= 0x80)
                detail::nonAsciiByteInPlainLiteral();
        }
    }
    inline Text(const String& text);
    explicit Text(std::string_view bytes) : m_data(bytes.data()), m_size(bytes.size()) {}

    std::size_t size() const { return m_size; }
    std::string_view view() const { return {m_data, m_size}; }
    std::string str() const { return std::string(m_data, m_size); }
    operator std::string_view() const { return view(); }

private:
    const char* m_data;
    std::size_t m_size;
};

// Shift-JIS bytes the program made (formatText): owned, and still apart from UTF-8 text.
class String {
public:
    String() = default;
    explicit String(std::string bytes) : m_bytes(std::move(bytes)) {}
    const std::string& bytes() const { return m_bytes; }
    const char* c_str() const { return m_bytes.c_str(); }
    std::size_t size() const { return m_bytes.size(); }
    std::string_view view() const { return m_bytes; }
    std::string str() const& { return m_bytes; }
    std::string str() && { return std::move(m_bytes); }
    operator std::string_view() const { return m_bytes; }
    operator std::string() const { return m_bytes; }
    friend bool operator==(const String& a, std::string_view b) { return a.m_bytes == b; }

private:
    std::string m_bytes;
};

inline Text::Text(const String& text) : m_data(text.c_str()), m_size(text.bytes().size()) {}

namespace detail {
template <std::size_t N> constexpr std::string_view viewOf(const Literal<N>& text) {
    return text.view();
}
inline std::string_view viewOf(const String& text) {
    return text.view();
}
inline std::string_view viewOf(std::string_view bytes) {
    return bytes;
}
template <typename T> inline constexpr bool isShiftJis = false;
template <std::size_t N> inline constexpr bool isShiftJis<Literal<N>> = true;
template <> inline constexpr bool isShiftJis<String> = true;
} // namespace detail

// Shift-JIS joined with Shift-JIS bytes kept in a std::string (a name, a line of a file).
template <typename A, typename B>
requires(detail::isShiftJis<A> || detail::isShiftJis<B>) std::string operator+(const A& a,
                                                                               const B& b) {
    std::string joined(detail::viewOf(a));
    joined += detail::viewOf(b);
    return joined;
}

// CP932 -> UTF-8 (support/Sjis.h).
std::string toUtf8(std::string_view cp932);
template <std::size_t N> std::string toUtf8(const Literal<N>& text) {
    return toUtf8(text.view());
}
inline std::string toUtf8(const String& text) {
    return toUtf8(text.view());
}
inline std::string toUtf8(Text text) {
    return toUtf8(text.view());
}

} // namespace sjis
