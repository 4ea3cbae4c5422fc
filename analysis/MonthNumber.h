#pragma once
// A month as one number, year × 12 + month − 1: months order, step and cross a year end as
// integers do. The year and month come back from it unchanged (for years from 0).

constexpr int monthNumber(int year, int month) {
    return year * 12 + month - 1;
}
constexpr int yearOfMonthNumber(int number) {
    return number / 12;
}
constexpr int monthOfMonthNumber(int number) {
    return number % 12 + 1;
}
