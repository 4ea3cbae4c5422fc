// The CSV file of a year report: its lines as written, and the file written through the CSV
// output in Shift-JIS with the year's file name.
#include "analysis/YearReportCsv.h"

#include "analysis/AnalysisFixtures.h"
#include "common/TempFolder.h"
#include "store/Aggregation.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "textout/StringSink.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// Three days of 2023 at a flat 1200 W (the second with 2400 W from 13:00 to 13:30) in January
// and March; customer "東京工場, 本社" (a name with a comma), circuit "受電".
struct YearFixture {
    MeasurementCircuit circuit;
    DisplaySelection selection;

    YearFixture() {
        circuit.name = sjis::fromUtf8("受電");
        const DateTime dates[] = {DateTime::make(2023, 1, 10), DateTime::make(2023, 1, 11),
                                  DateTime::make(2023, 3, 5)};
        for (const DateTime& d : dates) {
            MeasurementDay day = fixtures::flatDay(d, 30, 1200.0);
            if (d == dates[1])
                fixtures::sampleAt(day, 13 * 60 + 30).power = 2400.0;
            day.data.summary.energy = 28800.0;
            day.data.summary.reverseEnergy = -60.0;
            day.data.summary.leadReactiveEnergy = 100.0;
            day.data.summary.lagReactiveEnergy = 3000.0;
            day.data.summary.averagePowerFactor = d == dates[2] ? 90.0 : 96.0;
            circuit.addOrReplaceDay(day);
        }
        fixtures::removeSampleAt(circuit.days.at(2), 600); // 03-05 misses 09:30-10:00
        selection.customerIndex = selection.circuitIndex = selection.dayIndex = 0;
        selection.customerName = sjis::fromUtf8("東京工場, 本社");
        selection.circuitName = circuit.name;
        selection.day = circuit.days.at(0);
        selection.circuit = &circuit;
        selection.year = 2023;
        selection.month = kWholeYear;
    }
    YearReport report() const {
        CircuitLimits limits;
        limits.contractDemand = 2000.0;
        return analyseYear(circuit, 2023, limits, 1);
    }
};

const char* const kExpected = "年報, 2023年\r\n"
                              "需要家名称,\"'東京工場, 本社\"\r\n"
                              "測定回路名称, 受電\r\n"
                              "測定ＣＨ, 1\r\n"
                              "月報集計開始日, 1\r\n"
                              "契約電力[kW], 2.0\r\n"
                              "\r\n"
                              "月別集計\r\n"
                              "月, 期間, 電力量[kWh], 逆電力量[kWh], 進み[kvarh], 遅れ[kvarh], "
                              "最大需要電力[kW], 発生日時, 平均力率[%], 負荷率[%], 日数, 欠測日\r\n"
                              "1月, 1/1～1/31, 57.6, 0.1, 0.2, 6.0, 2.40, 1/11 13:00～13:30, "
                              "96.0, 50.5, 2/31, 0\r\n"
                              "2月, 2/1～2/28, , , , , , , , , 0/28, \r\n"
                              "3月, 3/1～3/31, 28.8, 0.1, 0.1, 3.0, 1.20, 3/5 00:00～00:30, "
                              "90.0, 100.0, 1/31, 1\r\n"
                              "4月, 4/1～4/30, , , , , , , , , 0/30, \r\n"
                              "5月, 5/1～5/31, , , , , , , , , 0/31, \r\n"
                              "6月, 6/1～6/30, , , , , , , , , 0/30, \r\n"
                              "7月, 7/1～7/31, , , , , , , , , 0/31, \r\n"
                              "8月, 8/1～8/31, , , , , , , , , 0/31, \r\n"
                              "9月, 9/1～9/30, , , , , , , , , 0/30, \r\n"
                              "10月, 10/1～10/31, , , , , , , , , 0/31, \r\n"
                              "11月, 11/1～11/30, , , , , , , , , 0/30, \r\n"
                              "12月, 12/1～12/31, , , , , , , , , 0/31, \r\n"
                              "年間, 1/1～12/31, 86.4, 0.2, 0.3, 9.0, 2.40, 1/11 13:00～13:30, "
                              ", , 3/365, 1\r\n";

TEST(YearReportCsv, LinesOfTheYear) {
    const YearFixture f;
    StringSink sink;
    ReportLineWriter out(sink);
    writeYearReportLines(out, f.selection, f.report());
    EXPECT_EQ(sjis::toUtf8(sink.bytes()), kExpected);
}

TEST(YearReportCsv, WrittenInShiftJisUnderTheYearsFileName) {
    const YearFixture f;
    const std::string name = csvFileNamePreset(f.selection);
    EXPECT_EQ(sjis::toUtf8(name), "年報_東京工場, 本社_受電_2023_1.CSV");
    TempFolder folder;
    const std::string path = (folder.path() / "year.csv").string();
    CsvOutputEnv env;
    // Without the year's lines there is nothing to write: no file, no success.
    EXPECT_FALSE(WriteReportCsv(path, f.selection, env));
    EXPECT_FALSE(std::ifstream(path).good());
    const YearReport report = f.report();
    env.yearLines = [&report](ReportLineWriter& out, const DisplaySelection& s) {
        writeYearReportLines(out, s, report);
    };
    ASSERT_TRUE(WriteReportCsv(path, f.selection, env));
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), sjis::fromUtf8(kExpected)); // the Shift-JIS bytes, CR LF
}

} // namespace
