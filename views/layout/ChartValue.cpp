#include "views/layout/ChartValue.h"
#include <cstdlib>
#include <string>

namespace {

int fieldAt(std::string_view text, std::size_t from, std::size_t length) {
    if (from >= text.size())
        return -1;
    std::string part(text.substr(from, length));
    for (char c : part)
        if (c < '0' || c > '9')
            return -1;
    return std::atoi(part.c_str());
}

} // namespace

ChartValue ChartValue::fromDouble(double value) {
    ChartValue v;
    v.setDouble(value);
    return v;
}

void ChartValue::setDouble(double value) {
    m_tag = Double;
    m_double = value;
}

double ChartValue::toDouble() const {
    switch (m_tag) {
    case Short:
    case UShort:
    case Bool:
        return static_cast<double>(m_integer);
    case Long:
    case Int:
        return static_cast<double>(static_cast<int32_t>(m_integer));
    case ULong:
    case UInt:
        return static_cast<double>(static_cast<uint32_t>(m_integer));
    case Double:
        return m_double;
    case String:
        return std::atof(m_text.c_str());
    case Date:
        return m_date.value();
    default:
        return 0.0;
    }
}

void ChartValue::setFromText(Tag tag, std::string_view text) {
    m_tag = tag;
    m_integer = 0;
    m_double = 0.0;
    m_text.clear();
    m_date = DateTime();
    const std::string s(text);
    switch (tag) {
    case Short:
        m_integer = static_cast<int16_t>(std::atoi(s.c_str()));
        break;
    case UShort:
        m_integer = static_cast<uint16_t>(std::atoi(s.c_str()));
        break;
    case Bool:
        m_integer =
            (std::atoi(s.c_str()) != 0 || s == "TRUE" || s == "true" || s == "True") ? 1 : 0;
        break;
    case Long:
    case Int:
        m_integer = static_cast<int32_t>(std::strtol(s.c_str(), nullptr, 10));
        break;
    case ULong:
    case UInt:
        m_integer = static_cast<uint32_t>(std::strtoul(s.c_str(), nullptr, 10));
        break;
    case Double:
        m_double = std::atof(s.c_str());
        break;
    case Date:
        m_date = parseDate(text);
        break;
    default:
        m_text = s;
        break;
    }
}

DateTime ChartValue::parseDate(std::string_view text) {
    DateTime invalid(0.0, DateTime::Invalid);
    if (text.size() < 10)
        return invalid;
    const int year = fieldAt(text, 0, 4);
    const int month = fieldAt(text, 5, 2);
    const int day = fieldAt(text, 8, 2);
    int hour = 0, minute = 0, second = 0;
    if (text.size() >= 18) {
        hour = fieldAt(text, 11, 2);
        minute = fieldAt(text, 14, 2);
        second = fieldAt(text, 17, 2);
    }
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1900 || year > 2038 || hour < 0 ||
        hour > 24 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return invalid;
    const DateTime date = DateTime::make(year, month, day);
    if (!date.isValid())
        return invalid;
    return DateTime(date.value() + (hour * 3600 + minute * 60 + second) / 86400.0, DateTime::Valid);
}
