#pragma once
#include <chrono>
#include <ctime>

// A moment given in local time, for clocks and file times that must not depend on the zone.
inline std::chrono::system_clock::time_point localTime(int year, int month, int day, int hour = 12,
                                                       int minute = 0, int second = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}
