#pragma once
#include "support/DateTime.h"
#include <cstdint>
#include <string>
#include <string_view>

// The small tagged value a chart point keeps. The chart itself stores doubles only; the
// other tags exist for values set from text.
class ChartValue {
public:
    enum Tag : int32_t {
        Empty = 0,
        Short = 1,
        UShort = 2,
        Bool = 3,
        Long = 4,
        ULong = 5,
        Int = 6,
        UInt = 7,
        Double = 8,
        String = 9,
        Date = 10,
        Text = 11,
    };

    ChartValue() = default;
    static ChartValue fromDouble(double value);

    Tag tag() const { return m_tag; }
    // Tags 4 and 6 read as signed, 5 and 7 as unsigned 32-bit numbers, 9 through atof;
    // 10 gives the date value, 11 and unknown tags 0.
    double toDouble() const;
    const std::string& text() const { return m_text; }
    const DateTime& date() const { return m_date; }

    // Parses the text as a value of that tag.
    void setFromText(Tag tag, std::string_view text);
    void setDouble(double value);

    // Date text: year in characters 1-4, month 6-7, day 9-10 and, from 18 characters on,
    // hour 12-13, minute 15-16, second 18-19 (any separators). Invalid unless day 1-31,
    // month 1-12, year 1900-2038, hour 0-24, minute and second 0-59 and a real date.
    static DateTime parseDate(std::string_view text);

private:
    Tag m_tag = Empty;
    int64_t m_integer = 0;
    double m_double = 0.0;
    std::string m_text;
    DateTime m_date;
};
