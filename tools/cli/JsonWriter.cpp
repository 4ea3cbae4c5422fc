#include "tools/cli/JsonWriter.h"
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

std::string JsonWriter::formatNumber(double v) {
    if (std::isnan(v))
        return "\"NaN\"";
    if (std::isinf(v))
        return v > 0 ? "\"Infinity\"" : "\"-Infinity\"";
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
    m_buffer += '\n';
    m_buffer.append(2 * m_levels.size(), ' ');
}

void JsonWriter::flush() {
    if (!m_buffer.empty()) {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    if (level.compact) {
        if (!level.empty)
            put(", ");
        level.empty = false;
        return;
    }
    if (!level.empty)
        put(",");
    level.empty = false;
    newline();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    put(quote(name));
    put(": ");
    m_afterKey = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    put("{");
    m_levels.push_back({true, true, false});
}

void JsonWriter::endObject() {
    bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty)
        newline();
    put("}");
}

void JsonWriter::beginArray(bool compact) {
    beforeValue();
    put("[");
    m_levels.push_back({false, true, compact});
}

void JsonWriter::endArray() {
    Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty && !level.compact)
        newline();
    put("]");
}

void JsonWriter::value(double v) {
    beforeValue();
    put(formatNumber(v));
}

void JsonWriter::value(int v) {
    value(static_cast<long long>(v));
}

void JsonWriter::value(long long v) {
    beforeValue();
    char buffer[24];
    std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, v);
    put(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)));
}

void JsonWriter::value(bool v) {
    beforeValue();
    put(v ? "true" : "false");
}

void JsonWriter::value(std::string_view utf8) {
    beforeValue();
    put(quote(utf8));
}

void JsonWriter::null() {
    beforeValue();
    put("null");
}

void JsonWriter::finish() {
    put("\n");
    flush();
    m_out.flush();
}
