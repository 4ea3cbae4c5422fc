// The workbook read back with openpyxl: every figure a number equal to the table's, the charts
// on the right ranges.
#include "textout/ReportWorkbook.h"
#include "analysis/YearReportSheet.h"
#include "analysis/YearReportText.h"
#include "common/Cp932.h"
#include "store/MonthWindow.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "tests/common/TempFolder.h"
#include "tests/textout/CsvFixtures.h"
#include "tests/textout/WorkbookDump.h"
#include "textout/CsvReport.h"
#include "textout/StringSink.h"
#include "textout/ValueFormat.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

using csvfix::at;
using workbook_dump::Cell;
using workbook_dump::Workbook;

// A 3相4線 day with reverse power, one sample a minute: kW and kV, every column in use.
std::unique_ptr<csvfix::Report> fullDay() {
    auto r = std::make_unique<csvfix::Report>();
    MeasurementDay day;
    day.date = at(2024, 3, 7);
    day.data.setHeader(CircuitThreePhase4Wire, 66, 40);
    day.data.hasReverse = 1;
    for (int k = 1; k <= 1440; ++k) {
        const double x = k;
        day.data.addOrReplaceSample(csvfix::sample(
            at(2024, 3, 7).addMinutes(k), 20000 + 37.31 * x, -(k % 7) * 123.456,
            80 + (k % 200) * 0.0937, {6600 + (k % 50) * 0.377, 6590 - (k % 30) * 0.41, 6610.05},
            {10 + (k % 100) * 0.0133, 11.004 + (k % 3), 9.995}));
    }
    DaySummary& s = day.data.summary;
    s.energy = 720000;
    s.maxDemand = {25000, at(2024, 3, 7, 10, 0), at(2024, 3, 7, 10, 30)};
    s.reverseMaxDemand = {-800, at(2024, 3, 7, 3, 0), at(2024, 3, 7, 3, 30)};
    s.peakVoltage = {csvfix::peak(6718.2, at(2024, 3, 7, 1, 1)),
                     csvfix::peak(6700, at(2024, 3, 7, 2, 2)),
                     csvfix::peak(6690, at(2024, 3, 7, 3, 3))};
    s.averageCurrent = {10.66, 12.01, 9.99};
    r->circuit.addOrReplaceDay(day);
    csvfix::selectDay(*r, "検査需要家", "受電盤", 0, 1);
    return r;
}

double numberOf(const std::string& text) {
    return std::stod(text);
}

// The CSV's summary lines (label, fields), the figures the summary table shows.
std::vector<std::vector<std::string>> summaryLines(const DisplaySelection& sel, int startDay) {
    StringSink sink;
    ReportLineWriter out(sink);
    writeReportLines(out, sel, startDay);
    const std::string bytes = sjis::toUtf8(sink.bytes());
    std::vector<std::vector<std::string>> lines;
    const std::size_t from = bytes.find("集計データ");
    std::stringstream in(bytes.substr(bytes.find('\n', from) + 1));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        for (std::size_t at = 0;;) {
            const std::size_t comma = line.find(", ", at);
            fields.push_back(line.substr(at, comma - at));
            if (comma == std::string::npos)
                break;
            at = comma + 2;
        }
        lines.push_back(fields);
    }
    return lines;
}

// Every summary figure sits beside its label as the number (or time text) the CSV holds.
void expectSummary(const Workbook& book, const std::string& sheet, const DisplaySelection& sel,
                   int startDay) {
    const auto lines = summaryLines(sel, startDay);
    ASSERT_GT(lines.size(), 15u);
    for (const auto& fields : lines) {
        const int row = book.rowOf(sheet, 0, fields[0]);
        ASSERT_GE(row, 0) << fields[0];
        for (std::size_t f = 1; f < fields.size(); ++f) {
            const Cell* cell = book.at(sheet, row, static_cast<int>(f) + 2);
            if (fields[f].empty()) {
                EXPECT_EQ(cell, nullptr) << fields[0] << " field " << f;
                continue;
            }
            ASSERT_NE(cell, nullptr) << fields[0] << " field " << f;
            if (fields[f].find(':') != std::string::npos)
                EXPECT_EQ(cell->text, fields[f]) << fields[0];
            else
                EXPECT_TRUE(cell->number && cell->value == numberOf(fields[f])) << fields[0];
        }
    }
}

std::string ref(const std::string& sheet, char column, int firstRow, int lastRow) {
    return "'" + sheet + "'!$" + column + "$" + std::to_string(firstRow + 1) + ":$" + column + "$" +
           std::to_string(lastRow + 1);
}

class ReportWorkbookTest : public ::testing::Test {
protected:
    Workbook write(std::span<const DisplaySelection> reports, WorkbookOutputEnv env = {}) {
        const std::string path = folder.file("report.xlsx");
        EXPECT_TRUE(WriteReportWorkbook(path, reports, env));
        return workbook_dump::read(path);
    }
    TempFolder folder;
};

TEST_F(ReportWorkbookTest, DayOf1440SamplesHasEveryFigureAsTheTableShowsItAndItsCharts) {
    auto r = fullDay();
    const Workbook book = write(std::span(&r->sel, 1));
    const std::string sheet = "日報 2024年3月7日";
    ASSERT_EQ(book.sheets, std::vector<std::string>{sheet});
    EXPECT_EQ(book.at(sheet, 0, 0)->text, "日報 2024年 3月 7日");
    const int customerRow = book.rowOf(sheet, 0, "需要家名称");
    ASSERT_GE(customerRow, 0);
    EXPECT_EQ(book.at(sheet, customerRow, 2)->text, "検査需要家");

    const int header = book.rowOf(sheet, 0, "時間");
    ASSERT_GE(header, 0);
    EXPECT_EQ(book.at(sheet, header, 1)->text, "電力[kW] (正方向)");
    EXPECT_EQ(book.at(sheet, header, 9)->text, "電流3[A]");
    const int first = header + 1;
    using Text = std::function<std::string(const IntervalSample&)>;
    const std::vector<Text> columns = {
        SamplePowerKW,
        SampleReversePowerKW,
        SamplePowerFactor,
        [](const IntervalSample& s) { return SampleVoltageKV(s, 0); },
        [](const IntervalSample& s) { return SampleVoltageKV(s, 1); },
        [](const IntervalSample& s) { return SampleVoltageKV(s, 2); },
        [](const IntervalSample& s) { return SampleCurrent(s, 0); },
        [](const IntervalSample& s) { return SampleCurrent(s, 1); },
        [](const IntervalSample& s) { return SampleCurrent(s, 2); },
    };
    const auto& samples = r->sel.day.data.intervals;
    ASSERT_EQ(samples.count(), 1440);
    int mismatches = 0;
    for (int k = 0; k < samples.count(); ++k) {
        const IntervalSample& s = samples.at(k);
        const Cell* time = book.at(sheet, first + k, 0);
        ASSERT_TRUE(time && time->number) << k;
        EXPECT_EQ(std::lround(time->value * 1440), (s.time.hour() * 60 + s.time.minute())) << k;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const Cell* cell = book.at(sheet, first + k, static_cast<int>(c) + 1);
            if (!cell || !cell->number || cell->value != numberOf(columns[c](s)))
                ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
    expectSummary(book, sheet, r->sel, 1);

    const int last = first + 1439;
    const std::string times = ref(sheet, 'A', first, last);
    const std::vector<workbook_dump::Series> expected = {
        {sheet, "barChart", "電力", "電力[kW] (正方向)", times, ref(sheet, 'B', first, last)},
        {sheet, "barChart", "電力", "電力[kW] (逆方向)", times, ref(sheet, 'C', first, last)},
        {sheet, "lineChart", "力率[%]", "力率[%]", times, ref(sheet, 'D', first, last)},
        {sheet, "lineChart", "電圧", "電圧1[kV]", times, ref(sheet, 'E', first, last)},
        {sheet, "lineChart", "電圧", "電圧2[kV]", times, ref(sheet, 'F', first, last)},
        {sheet, "lineChart", "電圧", "電圧3[kV]", times, ref(sheet, 'G', first, last)},
        {sheet, "lineChart", "電流", "電流1[A]", times, ref(sheet, 'H', first, last)},
        {sheet, "lineChart", "電流", "電流2[A]", times, ref(sheet, 'I', first, last)},
        {sheet, "lineChart", "電流", "電流3[A]", times, ref(sheet, 'J', first, last)},
    };
    ASSERT_EQ(book.series.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [s, kind, title, name, categories, values] = book.series[i];
        const auto& e = expected[i];
        EXPECT_EQ(std::tie(s, kind, title, name, categories, values),
                  std::tie(e.sheet, e.kind, e.title, e.name, e.categories, e.values))
            << i;
    }
}

TEST_F(ReportWorkbookTest, MonthHasADateRowForEveryDayOfTheWindowWithTheDayAverages) {
    auto r = csvfix::monthlyStart21();
    WorkbookOutputEnv env;
    env.monthStartDay = 21;
    const Workbook book = write(std::span(&r->sel, 1), env);
    const std::string sheet = "月報 2006年12月";
    ASSERT_EQ(book.sheets, std::vector<std::string>{sheet});
    const int header = book.rowOf(sheet, 0, "日付");
    ASSERT_GE(header, 0);
    const MonthWindow window = monthWindow(2006, 12, 21);
    ASSERT_EQ(window.dayCount(), 31);
    int stored = 0;
    for (int k = 0; k < window.dayCount(); ++k) {
        const int row = header + 1 + k;
        const Cell* date = book.at(sheet, row, 0);
        ASSERT_TRUE(date && date->number);
        EXPECT_EQ(date->value, std::floor(window.dateAt(k).value())) << k;
        const int index = r->circuit.days.find({1, window.dateAt(k)});
        if (index < 0) {
            EXPECT_EQ(book.at(sheet, row, 1), nullptr) << "no stored day " << k;
            continue;
        }
        ++stored;
        const DaySummary& s = r->circuit.days.at(index).data.summary;
        const bool kw = UseKilowatts(*r->sel.monthSummary);
        const bool kv = UseKilovolts(*r->sel.monthSummary);
        const std::string texts[] = {AveragePowerText(s, kw),      AveragePowerFactorText(s),
                                     AverageVoltageText(s, kv, 0), AverageVoltageText(s, kv, 1),
                                     AverageCurrentText(s, 0),     AverageCurrentText(s, 1)};
        for (int c = 0; c < 6; ++c) {
            const Cell* cell = book.at(sheet, row, c + 1);
            ASSERT_TRUE(cell && cell->number) << k << " " << c;
            EXPECT_EQ(cell->value, numberOf(texts[c])) << k << " " << c;
        }
    }
    EXPECT_EQ(stored, 4);
    expectSummary(book, sheet, r->sel, 21);
    ASSERT_EQ(book.series.size(), 6u);
    EXPECT_EQ(book.series[0].values, ref(sheet, 'B', header + 1, header + 31));
    EXPECT_EQ(book.series[0].categories, ref(sheet, 'A', header + 1, header + 31));
}

TEST_F(ReportWorkbookTest, SeveralDaysMakeOneSheetEachAndTheAnalysisTablesASheetOfTheirOwn) {
    auto a = csvfix::daily3p3w();
    auto b = fullDay();
    const DisplaySelection reports[] = {a->sel, b->sel};
    WorkbookOutputEnv env;
    env.analysis.push_back({sj("統計"),
                            {sj("項目"), sj("値")},
                            {{sj("負荷率[%]"), "61.25"},
                             {sj("最大デマンド"), sj("10.25 (13:30～14:00)")},
                             {"nan", "-3"}}});
    const Workbook book = write(reports, env);
    EXPECT_EQ(book.sheets,
              (std::vector<std::string>{"日報 2007年1月5日", "日報 2024年3月7日", "分析"}));
    EXPECT_EQ(book.at("分析", 0, 0)->text, "統計");
    EXPECT_EQ(book.at("分析", 1, 1)->text, "値");
    EXPECT_TRUE(book.at("分析", 2, 1)->number);
    EXPECT_EQ(book.at("分析", 2, 1)->value, 61.25);
    EXPECT_EQ(book.at("分析", 3, 1)->text, "10.25 (13:30～14:00)");
    EXPECT_EQ(book.at("分析", 4, 0)->text, "nan");
    EXPECT_EQ(book.at("分析", 4, 1)->value, -3);
    EXPECT_EQ(book.series.size(), 6u + 9u);
}

TEST_F(ReportWorkbookTest, ReportHeaderAboveTheTitleBlockWhenShownAndNotOtherwise) {
    auto r = fullDay();
    const std::string sheet = "日報 2024年3月7日";
    const Workbook plain = write(std::span(&r->sel, 1));
    EXPECT_EQ(plain.rowOf(sheet, 0, "測定者"), -1);

    WorkbookOutputEnv env;
    ReportHeader h;
    h.inspector = sj("山田 太郎");
    h.company = sj("東西電気保安");
    h.address = sj("東京都港区芝1-2-3");
    h.remarks = sj("年次点検");
    env.header.setHeader(r->sel.customerName, r->sel.circuitName, h, false);
    // Kept but off: the workbook is as before.
    const Workbook off = write(std::span(&r->sel, 1), env);
    ASSERT_EQ(off.cells.size(), plain.cells.size());
    for (const auto& [at, cell] : plain.cells) {
        const Cell& same = off.cells.at(at);
        EXPECT_TRUE(same.number == cell.number && same.value == cell.value &&
                    same.text == cell.text);
    }

    env.header.setShown(true);
    const Workbook book = write(std::span(&r->sel, 1), env);
    EXPECT_EQ(book.at(sheet, 0, 0)->text, "日報 2024年 3月 7日");
    // The stamp boxes' captions over the last three of the ten columns.
    EXPECT_EQ(book.at(sheet, 0, 7)->text, "担当");
    EXPECT_EQ(book.at(sheet, 0, 8)->text, "確認");
    EXPECT_EQ(book.at(sheet, 0, 9)->text, "承認");
    const std::pair<const char*, const char*> lines[] = {{"測定者", "山田 太郎"},
                                                         {"測定会社", "東西電気保安"},
                                                         {"需要家住所", "東京都港区芝1-2-3"},
                                                         {"備考", "年次点検"}};
    for (const auto& [label, value] : lines) {
        const int row = book.rowOf(sheet, 0, label);
        ASSERT_GE(row, 2) << label;
        EXPECT_LT(row, book.rowOf(sheet, 0, "需要家名称")) << label;
        EXPECT_EQ(book.at(sheet, row, 2)->text, value) << label;
    }
    // Everything below moved down together: the figures and the charts' ranges.
    const int shift = book.rowOf(sheet, 0, "時間") - plain.rowOf(sheet, 0, "時間");
    EXPECT_EQ(shift, 5);
    const int first = plain.rowOf(sheet, 0, "時間") + 1;
    for (int k : {0, 719, 1439})
        for (int c = 0; c < 10; ++c) {
            const Cell* before = plain.at(sheet, first + k, c);
            const Cell* after = book.at(sheet, first + k + shift, c);
            ASSERT_TRUE(before && after) << k << "," << c;
            EXPECT_EQ(after->value, before->value) << k << "," << c;
        }
    ASSERT_FALSE(book.series.empty());
    EXPECT_EQ(book.series[0].values, ref(sheet, 'B', first + shift, first + shift + 1439));
}

// A year has no report sheet of its own: its sheet is the year table, the figures as numbers.
TEST_F(ReportWorkbookTest, AYearIsTheSheetOfItsTableWithTheFiguresAsNumbers) {
    auto r = csvfix::daily3p3w();
    DisplaySelection year = r->sel;
    year.year = 2007;
    year.month = kWholeYear;
    const YearReport report = analyseYear(r->circuit, 2007, CircuitLimits{}, 1);
    WorkbookOutputEnv env;
    env.yearSheet = yearSheetName(2007);
    env.year.push_back(yearWorkbookTable(year, report));
    const Workbook book = write(std::span(&year, 1), env);
    ASSERT_EQ(book.sheets, (std::vector<std::string>{"年報 2007年"}));
    const std::string sheet = book.sheets[0];
    EXPECT_EQ(book.at(sheet, 0, 0)->text.rfind("年報, 2007年", 0), 0u);
    const YearRowText heading = yearHeadingText();
    for (int c = 0; c < kYearColumns; ++c)
        EXPECT_EQ(book.at(sheet, 1, c)->text, sjis::toUtf8(heading[static_cast<std::size_t>(c)]));
    // Every cell of the twelve months and the year is the table's text, a number where the
    // text is one.
    for (int m = 0; m <= 12; ++m) {
        const YearRowText row = m < 12 ? yearMonthText(report.months[static_cast<std::size_t>(m)])
                                       : yearTotalText(report);
        for (int c = 0; c < kYearColumns; ++c) {
            SCOPED_TRACE(std::to_string(m) + "/" + std::to_string(c));
            const std::string text = sjis::toUtf8(row[static_cast<std::size_t>(c)]);
            const Cell* cell = book.at(sheet, m + 2, c);
            if (text.empty()) {
                EXPECT_EQ(cell, nullptr);
                continue;
            }
            ASSERT_NE(cell, nullptr);
            char* end = nullptr;
            const double value = std::strtod(text.c_str(), &end);
            if (end == text.c_str() + text.size())
                EXPECT_TRUE(cell->number && cell->value == value) << text;
            else
                EXPECT_EQ(cell->text, text);
        }
    }
    // January holds the stored day's energy.
    EXPECT_TRUE(book.at(sheet, 2, 2)->number);
    EXPECT_EQ(book.at(sheet, 2, 2)->value, 101.2);
}

TEST_F(ReportWorkbookTest, FailedWriteIsToldAndLosesNothing) {
    auto r = csvfix::daily3p3w();
    ScriptedPrompt prompt;
    WorkbookOutputEnv env;
    env.prompt = &prompt;
    EXPECT_FALSE(
        WriteReportWorkbook(folder.file("missing/report.xlsx"), std::span(&r->sel, 1), env));
    ASSERT_EQ(prompt.asked().size(), 1u);

    // A folder at the name: the replacement cannot take it, nothing of it is lost.
    const std::string path = folder.file("kept.xlsx");
    std::filesystem::create_directory(path);
    TempFolder::write(path + "/inside", "old");
    EXPECT_FALSE(WriteReportWorkbook(path, std::span(&r->sel, 1), env));
    EXPECT_EQ(prompt.asked().size(), 2u);
    std::ifstream in(path + "/inside");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

TEST_F(ReportWorkbookTest, NothingIsWrittenWithoutADay) {
    DisplaySelection none;
    EXPECT_FALSE(WriteReportWorkbook(folder.file("x.xlsx"), std::span(&none, 1)));
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.xlsx")));
    EXPECT_EQ(workbookFileNamePreset(none), "");
}

TEST_F(ReportWorkbookTest, FileNameFollowsTheCsvRuleWithItsOwnExtension) {
    auto r = csvfix::daily3p3w();
    EXPECT_EQ(sjis::toUtf8(workbookFileNamePreset(r->sel)),
              "日報_テスト需要家_第1回路_20070105_1.xlsx");
    auto m = csvfix::monthlyStart21();
    const std::string csv = csvFileNamePreset(m->sel);
    EXPECT_EQ(workbookFileNamePreset(m->sel), csv.substr(0, csv.size() - 4) + ".xlsx");
}

} // namespace
