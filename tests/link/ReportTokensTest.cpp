#include "link/ReportTokens.h"
#include "common/Cp932.h"

#include "support/CxException.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CxException& e) {
        return sjis::toUtf8(e.message());
    }
    return "(no exception)";
}

const DateTime kDay = DateTime::make(2006, 12, 15);

} // namespace

TEST(ReportTokens, TakeTokenSkipsBlankRuns) {
    LineCursor c("10:00   12  -3.5");
    EXPECT_EQ(TakeToken(c), "10:00");
    EXPECT_EQ(TakeToken(c), "12");
    EXPECT_EQ(TakeToken(c), "-3.5");
    EXPECT_TRUE(c.atEnd());
    EXPECT_EQ(TakeToken(c), "");
    EXPECT_EQ(TakeToken(c), "");
}

TEST(ReportTokens, NumberTextAndValue) {
    struct Case {
        const char* token;
        bool accepted;
        double value;
    } cases[] = {
        {"123", true, 123},     {"-12.5", true, -12.5}, {"?", true, 0},    {"12.?", true, 12},
        {"--.-", true, 0},      {"", true, 0},          {".5", true, 0.5}, {"-.5", true, -0.5},
        {"1-2", true, 1},       {"1.2.3", true, 1.2},   {"-", true, 0},    {"007", true, 7},
        {"1,234", false, 0},    {"1e3", false, 0},      {"+1", false, 0},  {"12\r", false, 0},
        {"\x82\x4f", false, 0}, // full-width ０
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNumberText(c.token), c.accepted) << c.token;
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(numberValue(c.token), c.value) << c.token;
        }
    }
    EXPECT_TRUE(std::isinf(numberValue(std::string(400, '9'))));
}

TEST(ReportTokens, TakeNumberRejectsOtherBytesAndMissingValues) {
    LineCursor ok("1 ? --.- 12.?");
    EXPECT_EQ(TakeNumber(ok), 1);
    EXPECT_EQ(TakeNumber(ok), 0);
    EXPECT_EQ(TakeNumber(ok), 0);
    EXPECT_EQ(TakeNumber(ok), 12);
    EXPECT_EQ(messageOf([&] { TakeNumber(ok); }), "解析異常，数字以外の文字検出<1 ? --.- 12.?>");

    LineCursor comma("1,234 5");
    EXPECT_EQ(messageOf([&] { TakeNumber(comma); }), "解析異常，数字以外の文字検出<1,234 5>");

    LineCursor label("label 42 x");
    EXPECT_EQ(SkipTakeNumber(label), 42);
    EXPECT_EQ(messageOf([&] { SkipTakeNumber(label); }),
              "解析異常，数字以外の文字検出<label 42 x>");
}

TEST(ReportTokens, MessagesQuoteTheLineAsReceived) {
    // A header is read from its half-width copy, the message quotes the original.
    std::string received = sj("ＣＨ１ x");
    LineCursor c("CH1 x", received);
    c.skip(4);
    EXPECT_EQ(messageOf([&] { TakeNumber(c); }), "解析異常，数字以外の文字検出<ＣＨ１ x>");
}

TEST(ReportTokens, TimeOnDate) {
    EXPECT_EQ(*timeOnDate(kDay, "10:30"), DateTime::make(2006, 12, 15, 10, 30));
    EXPECT_EQ(*timeOnDate(kDay, "7:05"), DateTime::make(2006, 12, 15, 7, 5));
    EXPECT_EQ(*timeOnDate(kDay, "23:59:59"), DateTime::make(2006, 12, 15, 23, 59, 59));
    EXPECT_EQ(*timeOnDate(kDay, "0:0"), DateTime::make(2006, 12, 15));
    for (const char* bad :
         {"", "24:00", "10:60", "1030", "10:300", "10:30x", "ab", "-1:00", "10:30:60", "100:00"}) {
        EXPECT_FALSE(timeOnDate(kDay, bad).has_value()) << bad;
    }
    EXPECT_FALSE(timeOnDate(DateTime(), "10:30").has_value());
}

TEST(ReportTokens, ParseTimeRange) {
    TimeRange r = ParseTimeRange("23:30-24:00", kDay, "");
    EXPECT_EQ(r.from, DateTime::make(2006, 12, 15, 23, 30));
    EXPECT_EQ(r.to, DateTime::make(2006, 12, 16, 0, 0));

    r = ParseTimeRange("10:00-10:30", kDay, "");
    EXPECT_EQ(r.from, DateTime::make(2006, 12, 15, 10, 0));
    EXPECT_EQ(r.to, DateTime::make(2006, 12, 15, 10, 30));

    r = ParseTimeRange("12:34", kDay, "");
    EXPECT_EQ(r.from, DateTime::make(2006, 12, 15, 12, 34));
    EXPECT_FALSE(r.to.isValid());

    r = ParseTimeRange("9:00", kDay, ""); // 4 bytes: a single time
    EXPECT_EQ(r.from, DateTime::make(2006, 12, 15, 9, 0));

    r = ParseTimeRange("12:34:56", kDay, ""); // 6 or more without '-': a single time
    EXPECT_EQ(r.from, DateTime::make(2006, 12, 15, 12, 34, 56));
    EXPECT_FALSE(r.to.isValid());

    r = ParseTimeRange("22:00-1:00", kDay, ""); // ends after midnight
    EXPECT_EQ(r.to, DateTime::make(2006, 12, 16, 1, 0));
}

TEST(ReportTokens, ParseTimeRangeFailures) {
    struct Case {
        const char* token;
        const char* message;
    } cases[] = {
        {"123", "時間範囲解析異常<L>"},       {"", "時間範囲解析異常<L>"},
        {"1234", "時間解析１異常<L>"},        {"25:00", "時間解析１異常<L>"},
        {"ab:cd-10:00", "時間解析１異常<L>"}, {"-10:30", "時間解析１異常<L>"},
        {"10:00-", "時間解析２異常<L>"},      {"10:00-xx:yy", "時間解析２異常<L>"},
        {"10:00-24:30", "時間解析２異常<L>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(messageOf([&] { ParseTimeRange(c.token, kDay, "L"); }), c.message) << c.token;
    }
}
