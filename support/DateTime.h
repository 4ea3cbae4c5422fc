#pragma once
#include <compare>
#include <cstdint>
#include <string>

// A point in time as an OLE automation date (days since 1899-12-30, fraction = time of day)
// with a validity status. Records keep their dates in this form and store them as such.
class DateTime {
public:
    enum Status : int32_t { Valid = 0, Invalid = 1, Null = 2 };

    // Invalid. Records start with invalid dates; use now() for the current time.
    DateTime() = default;
    DateTime(double oleDate, Status status) : m_value(oleDate), m_status(status) {}

    // Builds a date; invalid when any field does not survive the round trip (31 February).
    static DateTime make(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0);
    // Current local time from the installed clock (see Clock.h).
    static DateTime now();

    double value() const { return m_value; }
    Status status() const { return m_status; }
    bool isValid() const { return m_status == Valid; }
    void setValue(double oleDate, Status status = Valid) {
        m_value = oleDate;
        m_status = status;
    }
    void setStatus(Status status) { m_status = status; }
    void clear() { *this = DateTime(); }

    // Parts; each is -1 when the value is not valid.
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int dayOfWeek() const; // 0 = Sunday; -1 when not valid

    DateTime dateOnly() const;   // same day, 00:00:00
    DateTime normalised() const; // rebuilt from the six parts (drops fractions of a second)
    DateTime addDays(int days) const;
    DateTime addMinutes(int minutes) const;
    DateTime firstOfMonth() const;
    DateTime lastOfMonth() const;
    static int daysInMonth(int year, int month);

    // Field-by-field comparison (year … second). Values of different validity are unordered;
    // two invalid values compare equal.
    std::partial_ordering operator<=>(const DateTime& other) const;
    bool operator==(const DateTime& other) const;

    // A total order for container keys: invalid values sort before every valid one.
    static int keyCompare(const DateTime& a, const DateTime& b);

    // "%Y/%m/%d %H:%M:%S"; when not valid: style 0 nineteen blanks,
    // style 1 "    /  /     :  :  ", style 2 "----/--/-- --:--:--".
    std::string text(int style = 0) const;

    // strftime-like: %Y (four digits) %m %d %H %M %S %y %a(Japanese weekday) %%, and the "#" flag
    // (%#m, %#d, %#H …) that drops leading zeros. Empty when not valid.
    std::string format(const char* pattern) const;

private:
    double m_value = 0.0;
    Status m_status = Invalid;
};
