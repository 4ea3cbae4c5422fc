#include "support/DateTime.h"
#include "support/SupportTexts.h"

#include "support/Clock.h"

#include <cmath>
#include <ctime>

namespace {

// Day number of 1899-12-30 counted from 1970-01-01.
constexpr int64_t kOleEpochFromUnix = -25569;
constexpr int kSecondsPerDay = 86400;

// Howard Hinnant's days_from_civil / civil_from_days (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(era * 400 + yoe) + (m <= 2);
}

// The range the OLE conversion accepts.
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

struct Parts {
    int year, month, day, hour, minute, second;
};

// OLE dates before the epoch keep the time of day as a positive fraction (-1.25 = 1899-12-29
// 06:00). Seconds are rounded to the nearest whole second, as the platform's conversion does.
// OLE dates of years 100 and 9999; values outside (or NaN) are clamped so no caller can
// overflow the day arithmetic. Valid values made by make() are always inside.
constexpr double kMinOle = -657434.0;
constexpr double kMaxOle = 2958465.99999;

Parts splitOle(double v) {
    if (!(v >= kMinOle)) {
        v = kMinOle;
    } else if (v > kMaxOle) {
        v = kMaxOle;
    }
    double whole = std::trunc(v);
    double frac = std::fabs(v - whole);
    int64_t days = static_cast<int64_t>(whole);
    int64_t secs = std::llround(frac * kSecondsPerDay);
    if (secs >= kSecondsPerDay) {
        secs -= kSecondsPerDay;
        days += v < 0 ? -1 : 1;
    }
    Parts p{};
    civilFromDays(days + kOleEpochFromUnix, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

double joinOle(int y, int mo, int d, int h, int mi, int s) {
    int64_t days =
        daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) - kOleEpochFromUnix;
    double frac = (h * 3600 + mi * 60 + s) / static_cast<double>(kSecondsPerDay);
    return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

// Monotonic second count of the civil time, used for ordering.
int64_t serialSeconds(double v) {
    Parts p = splitOle(v);
    return daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) *
               kSecondsPerDay +
           p.hour * 3600 + p.minute * 60 + p.second;
}

const char* const kWeekdays[] = {txt::support::kSunday,   txt::support::kMonday,
                                 txt::support::kTuesday,  txt::support::kWednesday,
                                 txt::support::kThursday, txt::support::kFriday,
                                 txt::support::kSaturday};

} // namespace

int DateTime::daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

DateTime DateTime::make(int year, int month, int day, int hour, int minute, int second) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return DateTime();
    }
    return DateTime(joinOle(year, month, day, hour, minute, second), Valid);
}

DateTime DateTime::now() {
    std::time_t t = std::chrono::system_clock::to_time_t(Clock::current().now());
    std::tm tm{};
    localtime_r(&t, &tm);
    return make(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

int DateTime::year() const {
    return isValid() ? splitOle(m_value).year : -1;
}
int DateTime::month() const {
    return isValid() ? splitOle(m_value).month : -1;
}
int DateTime::day() const {
    return isValid() ? splitOle(m_value).day : -1;
}
int DateTime::hour() const {
    return isValid() ? splitOle(m_value).hour : -1;
}
int DateTime::minute() const {
    return isValid() ? splitOle(m_value).minute : -1;
}
int DateTime::second() const {
    return isValid() ? splitOle(m_value).second : -1;
}

int DateTime::dayOfWeek() const {
    if (!isValid()) {
        return -1;
    }
    Parts p = splitOle(m_value);
    int64_t days =
        daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day));
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

DateTime DateTime::dateOnly() const {
    if (!isValid()) {
        return *this;
    }
    Parts p = splitOle(m_value);
    return make(p.year, p.month, p.day);
}

DateTime DateTime::normalised() const {
    if (!isValid()) {
        return *this;
    }
    Parts p = splitOle(m_value);
    return make(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

DateTime DateTime::addMinutes(int minutes) const {
    if (!isValid()) {
        return *this;
    }
    Parts p = splitOle(m_value);
    int64_t total =
        daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) * 1440 +
        p.hour * 60 + p.minute + minutes;
    int64_t days = total >= 0 ? total / 1440 : -((-total + 1439) / 1440);
    int64_t mins = total - days * 1440;
    Parts q{};
    civilFromDays(days, q.year, q.month, q.day);
    return make(q.year, q.month, q.day, static_cast<int>(mins / 60), static_cast<int>(mins % 60),
                p.second);
}

DateTime DateTime::addDays(int days) const {
    return addMinutes(days * 1440);
}

DateTime DateTime::firstOfMonth() const {
    if (!isValid()) {
        return *this;
    }
    Parts p = splitOle(m_value);
    return make(p.year, p.month, 1);
}

DateTime DateTime::lastOfMonth() const {
    if (!isValid()) {
        return *this;
    }
    Parts p = splitOle(m_value);
    return make(p.year, p.month, daysInMonth(p.year, p.month));
}

std::partial_ordering DateTime::operator<=>(const DateTime& other) const {
    if (isValid() != other.isValid()) {
        return std::partial_ordering::unordered;
    }
    if (!isValid()) {
        return std::partial_ordering::equivalent;
    }
    return serialSeconds(m_value) <=> serialSeconds(other.m_value);
}

bool DateTime::operator==(const DateTime& other) const {
    return (*this <=> other) == std::partial_ordering::equivalent;
}

int DateTime::keyCompare(const DateTime& a, const DateTime& b) {
    if (a.isValid() != b.isValid()) {
        return a.isValid() ? 1 : -1;
    }
    if (!a.isValid()) {
        return 0;
    }
    int64_t x = serialSeconds(a.m_value);
    int64_t y = serialSeconds(b.m_value);
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::string DateTime::text(int style) const {
    if (!isValid()) {
        switch (style) {
        case 1:
            return "    /  /     :  :  ";
        case 2:
            return "----/--/-- --:--:--";
        default:
            return std::string(19, ' ');
        }
    }
    return format("%Y/%m/%d %H:%M:%S");
}

std::string DateTime::format(const char* pattern) const {
    std::string out;
    if (!isValid() || pattern == nullptr) {
        return out;
    }
    Parts p = splitOle(m_value);
    char buf[16];
    for (const char* c = pattern; *c; ++c) {
        if (*c != '%' || c[1] == '\0') {
            out += *c;
            continue;
        }
        ++c;
        bool noPad = false;
        if (*c == '#' && c[1] != '\0') {
            noPad = true;
            ++c;
        }
        auto two = [&](int v) {
            std::snprintf(buf, sizeof buf, noPad ? "%d" : "%02d", v);
            out += buf;
        };
        switch (*c) {
        case 'Y':
            std::snprintf(buf, sizeof buf, "%04d", p.year);
            out += buf;
            break;
        case 'y':
            two(p.year % 100);
            break;
        case 'm':
            two(p.month);
            break;
        case 'd':
            two(p.day);
            break;
        case 'H':
            two(p.hour);
            break;
        case 'M':
            two(p.minute);
            break;
        case 'S':
            two(p.second);
            break;
        case 'a':
            out += kWeekdays[dayOfWeek()];
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += *c;
            break;
        }
    }
    return out;
}
