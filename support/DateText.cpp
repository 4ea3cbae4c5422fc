#include "support/DateText.h"
#include "support/SupportTexts.h"

#include <cctype>

namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : m_s(s) {}

    void skipBlanks() {
        while (m_pos < m_s.size() && (m_s[m_pos] == ' ' || m_s[m_pos] == '\t')) {
            ++m_pos;
        }
    }
    // Reads 1..maxDigits digits; digitsRead (when given) receives how many.
    bool number(int maxDigits, int& out, int* digitsRead = nullptr) {
        size_t start = m_pos;
        int v = 0;
        while (m_pos < m_s.size() && m_pos - start < static_cast<size_t>(maxDigits) &&
               std::isdigit(static_cast<unsigned char>(m_s[m_pos]))) {
            v = v * 10 + (m_s[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos == start ||
            (m_pos < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[m_pos])))) {
            return false;
        }
        out = v;
        if (digitsRead) {
            *digitsRead = static_cast<int>(m_pos - start);
        }
        return true;
    }
    bool literal(std::string_view lit) {
        if (m_s.substr(m_pos, lit.size()) == lit) {
            m_pos += lit.size();
            return true;
        }
        return false;
    }
    bool atEnd() const { return m_pos == m_s.size(); }

private:
    std::string_view m_s;
    size_t m_pos = 0;
};

// Optional " HH:MM[:SS]" after the date.
bool readTime(Reader& r, int& h, int& mi, int& s) {
    h = mi = s = 0;
    r.skipBlanks();
    if (r.atEnd()) {
        return true;
    }
    if (!r.number(2, h) || !r.literal(":") || !r.number(2, mi)) {
        return false;
    }
    if (r.literal(":") && !r.number(2, s)) {
        return false;
    }
    r.skipBlanks();
    return r.atEnd();
}

} // namespace

std::optional<DateTime> parseDateText(std::string_view text) {
    Reader r(text);
    r.skipBlanks();
    int y = 0, m = 0, d = 0, yearDigits = 0;
    if (!r.number(4, y, &yearDigits)) {
        return std::nullopt;
    }
    if (r.literal("/")) {
        if (!r.number(2, m) || !r.literal("/") || !r.number(2, d)) {
            return std::nullopt;
        }
    } else if (r.literal("-")) {
        if (!r.number(2, m) || !r.literal("-") || !r.number(2, d)) {
            return std::nullopt;
        }
    } else if (r.literal(txt::support::kYearMark)) {
        r.skipBlanks();
        if (!r.number(2, m) || !r.literal(txt::support::kMonthMark)) {
            return std::nullopt;
        }
        r.skipBlanks();
        if (!r.number(2, d) || !r.literal(txt::support::kDayMark)) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    if (yearDigits != 4) {
        return std::nullopt; // two- or three-digit years would need a guess
    }
    int h, mi, s;
    if (!readTime(r, h, mi, s)) {
        return std::nullopt;
    }
    DateTime dt = DateTime::make(y, m, d, h, mi, s);
    if (!dt.isValid()) {
        return std::nullopt;
    }
    return dt;
}
