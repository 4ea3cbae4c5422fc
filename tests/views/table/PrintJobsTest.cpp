#include "views/table/PrintJobs.h"
#include "views/ReportFixtures.h"
#include <gtest/gtest.h>

using namespace report_fixture;

namespace {

TEST(PrintJobs, OneJobPerStoredDateOfThePeriod) {
    Report report({makeDay(DateTime::make(2024, 5, 1)), makeDay(DateTime::make(2024, 5, 3)),
                   makeDay(DateTime::make(2024, 5, 4)),
                   makeDay(DateTime::make(2024, 5, 2), {.channel = 2})});
    const MeasurementCircuit& c = report.circuit();
    struct Case {
        DateTime first;
        DateTime last;
        int channel;
        std::vector<const char*> dates;
    };
    const Case cases[] = {
        {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3), 1, {"2024/05/01", "2024/05/03"}},
        {DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 2), 1, {}},
        {DateTime::make(2024, 5, 4), DateTime::make(2024, 5, 1), 1, {}},
        {DateTime::make(2024, 4, 1),
         DateTime::make(2024, 6, 1),
         1,
         {"2024/05/01", "2024/05/03", "2024/05/04"}},
        {DateTime::make(2024, 5, 1, 15, 0), DateTime::make(2024, 5, 1, 9, 0), 1, {"2024/05/01"}},
        {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3), 2, {"2024/05/02"}},
    };
    for (const Case& k : cases) {
        std::vector<std::string> dates;
        for (int i : print_jobs::daysToPrint(c, k.channel, k.first, k.last))
            dates.push_back(c.days.at(i).date.format("%Y/%m/%d"));
        EXPECT_EQ(dates, std::vector<std::string>(k.dates.begin(), k.dates.end()))
            << k.first.format("%Y/%m/%d") << " " << k.last.format("%Y/%m/%d");
    }
}

TEST(PrintJobs, JobPagesAreTheTablePagesAndTheGraph) {
    const std::pair<int, int> cases[] = {{0, 3}, {50, 3}, {51, 4}, {120, 5}};
    for (auto [samples, pages] : cases) {
        Report report({makeDay(DateTime::make(2024, 5, 1), {.samples = samples})});
        EXPECT_EQ(print_jobs::jobPageCount(report.daily(0)), pages) << samples;
    }
    Report report({makeDay(DateTime::make(2024, 5, 1), {.samples = 120})});
    EXPECT_EQ(print_jobs::jobPageCount(report.monthly(2024, 5, 1)), 3);
    EXPECT_EQ(print_jobs::jobPageCount(DisplaySelection()), 0);
}

TEST(PrintJobs, JobSelectionKeepsTheShownOneButTheDay) {
    Report report({makeDay(DateTime::make(2024, 5, 1)), makeDay(DateTime::make(2024, 5, 3))});
    const DisplaySelection shown = report.daily(0);
    const DisplaySelection job = print_jobs::jobSelection(shown, 1);
    EXPECT_EQ(job.day.date, DateTime::make(2024, 5, 3));
    EXPECT_EQ(job.dayIndex, 1);
    EXPECT_EQ(job.customerName, shown.customerName);
    EXPECT_EQ(job.circuit, shown.circuit);
}

TEST(PrintJobs, PdfFileNamesNeverHoldAPathSeparator) {
    struct Case {
        const char* customer;
        const char* circuit;
        const char* expected;
    };
    const Case cases[] = {
        {"東京工場", "受電", "日報_東京工場_受電_20240501.pdf"},
        {"A/B", "C\\D", "日報_A_B_C_D_20240501.pdf"},
        {"..", "x:y*?", "日報____x_y___20240501.pdf"},
        {"ソフト", "表示", "日報_ソフト_表示_20240501.pdf"}, // 0x5C as second byte stays
        {"a\tb", "<|>\"", "日報_a_b______20240501.pdf"},
    };
    for (const Case& c : cases) {
        Report report({makeDay(DateTime::make(2024, 5, 1))});
        DisplaySelection sel = report.daily(0);
        sel.customerName = u(c.customer);
        sel.circuitName = u(c.circuit);
        const std::string name = print_jobs::pdfFileName(sel);
        EXPECT_EQ(name, u(c.expected)) << c.customer;
        EXPECT_EQ(sjis::toUtf8(name).find('/'), std::string::npos);
        EXPECT_EQ(sjis::toUtf8(name).find('\\'), std::string::npos);
    }
    const std::pair<const char*, const char*> parts[] = {{"..", "__"}, {".", "_"}, {"", "_"}};
    for (auto [in, out] : parts)
        EXPECT_EQ(print_jobs::fileNamePart(in), out) << in;
    Report report({makeDay(DateTime::make(2024, 5, 1))});
    EXPECT_EQ(print_jobs::pdfFileName(report.monthly(2024, 5, 1)),
              u("月報_東京工場_受電_2024_05.pdf"));
}

// A name too long for a file name keeps its start and the month with its extension.
TEST(PrintJobs, PdfFileNameOfVeryLongNamesFitsAFileSystem) {
    Report report({makeDay(DateTime::make(2024, 5, 1))});
    DisplaySelection sel = report.monthly(2024, 5, 1);
    std::string customer;
    for (int i = 0; i < 256; ++i)
        customer += "東";
    sel.customerName = u(customer.c_str());
    const std::string name = sjis::toUtf8(print_jobs::pdfFileName(sel));
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.rfind("月報_東東東", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 12), "_2024_05.pdf");
}

} // namespace
