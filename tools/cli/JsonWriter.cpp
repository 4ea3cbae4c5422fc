#include "tools/cli/JsonWriter.h"
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

std::string JsonWriter::formatNumber(double v) {
    if (!std::isfinite(v))
        return "null";
    // std::to_chars without a precision gives the shortest text that reads back exactly.
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (ec != std::errc())
        return "null";
    return std::string(buffer, end);
}

std::string JsonWriter::quote(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7f) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", u);
                out += esc;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::newline() {
    m_out << '\n';
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        m_out << "  ";
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (!level.empty)
        m_out << ',';
    level.empty = false;
    newline();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    m_out << quote(name) << ": ";
    m_afterKey = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    m_out << '{';
    m_levels.push_back({true, true});
}

void JsonWriter::endObject() {
    bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty)
        newline();
    m_out << '}';
}

void JsonWriter::beginArray() {
    beforeValue();
    m_out << '[';
    m_levels.push_back({false, true});
}

void JsonWriter::endArray() {
    bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty)
        newline();
    m_out << ']';
}

void JsonWriter::value(double v) {
    beforeValue();
    m_out << formatNumber(v);
}

void JsonWriter::value(int v) {
    beforeValue();
    m_out << v;
}

void JsonWriter::value(long long v) {
    beforeValue();
    m_out << v;
}

void JsonWriter::value(bool v) {
    beforeValue();
    m_out << (v ? "true" : "false");
}

void JsonWriter::value(std::string_view utf8) {
    beforeValue();
    m_out << quote(utf8);
}

void JsonWriter::null() {
    beforeValue();
    m_out << "null";
}

void JsonWriter::finish() {
    m_out << '\n';
    m_out.flush();
}
