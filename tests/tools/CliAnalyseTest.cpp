// orvoview-cli analyse on a generated year of 1-minute data, checked against figures that an
// awk script computes on its own from the dump-report JSON of the same capture.
#include "analysis/AnalysisSettings.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include "tests/tools/CliFixture.h"
#include "tools/reportgen/ReportGenerator.h"

#include <map>
#include <sstream>

namespace {

// "name value" lines of the script.
std::map<std::string, std::string> scriptFigures(const std::string& out) {
    std::map<std::string, std::string> figures;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t space = line.find(' ');
        if (space != std::string::npos)
            figures[line.substr(0, space)] = line.substr(space + 1);
    }
    return figures;
}

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

TEST_F(CliTest, AnalyseAGeneratedYearAgreesWithAnIndependentScript) {
    ReportGenOptions o;
    o.seed = 1;
    o.firstDay = DateTime::make(2023, 1, 21);
    o.days = 365;
    o.intervalMinutes = 1;
    o.keepExpected = false;
    ReportGenerator generator(o);
    writeFile(dir() / "year.txt", generator.generate());
    writeFile(home() / "orvoview.INI", "[Param]\r\nMonStartDay=21\r\n");
    auto imported = cli({"import-report", "year.txt", "--customer", "工場", "--circuit", "受電"});
    ASSERT_EQ(imported.status, 0) << imported.err;

    CircuitLimits limits;
    limits.contractDemand = 6000.0;
    limits.band = VoltageBandKind::User;
    limits.userLow = 101.5;
    limits.userHigh = 104.5;
    limits.powerFactorThreshold = 95.0;
    AnalysisSettings settings;
    settings.setLimits(sj("工場"), sj("受電"), limits);
    std::error_code ec;
    ASSERT_TRUE(settings.save(analysisSettingsPath((home() / "DATA").string()), ec));

    // Report month 2023-12 runs from 2023-12-21 to 2024-01-20; its twelve months cover the year.
    auto month = cli({"analyse", "--customer", "工場", "--circuit", "受電", "--month", "2023-12"});
    ASSERT_EQ(month.status, 0) << month.err;
    const minijson::Value m = json(month);
    std::string incompleteDay;
    int incompleteDays = 0;
    for (std::size_t i = 0; i < m["days"].size(); ++i) {
        if (m["days"][i]["incomplete"].b) {
            ++incompleteDays;
            if (incompleteDay.empty())
                incompleteDay = m["days"][i]["date"].s;
        }
    }
    ASSERT_FALSE(incompleteDay.empty()) << "the generator makes outages now and then";
    auto day = cli({"analyse", "--customer", "工場", "--circuit", "受電", "--day", incompleteDay});
    ASSERT_EQ(day.status, 0) << day.err;
    const minijson::Value d = json(day);

    const std::string script = std::string(ANALYSE_CHECK_AWK);
    const std::string command = shellQuoted(ORVOVIEW_CLI) + " dump-report year.txt | awk -v S=21 " +
                                "-v Y=2023 -v M=12 -v DAY=" + incompleteDay +
                                " -v CONTRACT=6000 -v PF=95 -v VLOW=101.5 -v VHIGH=104.5 -f " +
                                shellQuoted(script);
    tooltest::RunOptions options = runOptions();
    options.watchdogSeconds = 900; // a year of minutes through a pipe, in a sanitizer build too
    auto checked = tooltest::run("/bin/sh", {"-c", command}, options);
    ASSERT_EQ(checked.status, 0) << checked.err;
    auto f = scriptFigures(checked.out);
    auto num = [&](const std::string& name) {
        EXPECT_TRUE(f.count(name)) << name;
        return std::stod(f[name]);
    };
    auto near = [](double a, double b) {
        return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
    };

    EXPECT_PRED2(near, m["maximumDemand"]["demand"].n, num("maximumDemand"));
    EXPECT_EQ(m["maximumDemand"]["from"].s, f["maximumDemandFrom"]);
    ASSERT_EQ(m["largest"].size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_PRED2(near, m["largest"][i]["demand"].n, num("largest" + std::to_string(i + 1)));
    EXPECT_EQ(static_cast<double>(m["halfHours"].size()), num("halfHours"));
    EXPECT_PRED2(near, m["statistics"]["loadFactor"].n, num("loadFactor"));
    EXPECT_EQ(m["counts"]["demandAboveContract"].n, num("demandAboveContract"));
    EXPECT_PRED2(near, m["twelveMonthMaximum"]["maximum"]["demand"].n, num("twelveMonthMaximum"));
    EXPECT_EQ(m["twelveMonthMaximum"]["month"].s, f["twelveMonthMonth"]);
    EXPECT_EQ(m["twelveMonths"].size(), 12u);
    EXPECT_EQ(m["twelveMonths"][0]["month"].s, "2023-01");

    const minijson::Value& power = m["statistics"]["power"];
    EXPECT_EQ(power["count"].n, num("powerCount"));
    EXPECT_EQ(power["minimum"].n, num("powerMinimum"));
    EXPECT_EQ(power["minimumTime"].s, f["powerMinimumTime"]);
    EXPECT_EQ(power["maximum"].n, num("powerMaximum"));
    EXPECT_EQ(power["maximumTime"].s, f["powerMaximumTime"]);
    EXPECT_PRED2(near, power["average"].n, num("powerAverage"));
    EXPECT_EQ(m["statistics"]["voltage"][0]["minimum"].n, num("voltage1Minimum"));
    EXPECT_PRED2(near, m["statistics"]["powerFactor"]["average"].n, num("powerFactorAverage"));
    EXPECT_EQ(m["counts"]["voltageBelow"][0].n, num("voltageBelow1"));
    EXPECT_EQ(m["counts"]["voltageAbove"][0].n, num("voltageAbove1"));
    EXPECT_EQ(m["counts"]["powerFactorBelow"].n, num("powerFactorBelow"));
    EXPECT_PRED2(near, m["counts"]["hoursBelowPowerFactor"].n, num("hoursBelowPowerFactor"));
    EXPECT_EQ(incompleteDays, num("incompleteDays"));

    EXPECT_EQ(d["report"].s, "day");
    EXPECT_EQ(d["reportMonth"].s, "2023-12");
    EXPECT_PRED2(near, d["maximumDemand"]["demand"].n, num("dayMaximumDemand"));
    ASSERT_EQ(d["days"].size(), 1u);
    EXPECT_EQ(d["days"][0]["missingIntervals"].n, num("dayMissingIntervals"));
    EXPECT_GT(d["days"][0]["missingIntervals"].n, 0.0);
    EXPECT_EQ(d["halfHours"].size(), 48u);
}

TEST_F(CliTest, AnalyseTellsAMissingDayOrMonth) {
    ReportGenOptions o;
    o.days = 2;
    writeFile(dir() / "r.txt", ReportGenerator(o).generate());
    ASSERT_EQ(cli({"import-report", "r.txt", "--customer", "A", "--circuit", "B"}).status, 0);
    struct Case {
        Args args;
        int status;
    } cases[] = {
        {{"analyse", "--customer", "A", "--circuit", "B", "--day", "2006-12-14"}, 1},
        {{"analyse", "--customer", "A", "--circuit", "B", "--month", "2007-02"}, 1},
        {{"analyse", "--customer", "X", "--circuit", "B", "--day", "2006-12-15"}, 1},
        {{"analyse", "--customer", "A", "--circuit", "B"}, 2},
        {{"analyse", "--customer", "A", "--circuit", "B", "--day", "2006-12-15", "--month",
          "2006-12"},
         2},
        {{"analyse", "--customer", "A", "--circuit", "B", "--day", "2006-12-15"}, 0},
        {{"analyse", "--customer", "A", "--circuit", "B", "--month", "2006-12"}, 0},
    };
    for (const Case& c : cases) {
        auto r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << r.err;
        if (c.status == 0) {
            EXPECT_NO_THROW(json(r));
        }
    }
}

TEST_F(CliTest, AnalyseYearGivesEachMonthAsItsMonthlyReportAcrossTheYearEnd) {
    ReportGenOptions o;
    o.seed = 4;
    o.firstDay = DateTime::make(2022, 12, 10);
    o.days = 70;
    o.intervalMinutes = 30;
    o.keepExpected = false;
    writeFile(dir() / "winter.txt", ReportGenerator(o).generate());
    writeFile(home() / "orvoview.INI", "[Param]\r\nMonStartDay=21\r\n");
    ASSERT_EQ(
        cli({"import-report", "winter.txt", "--customer", "工場", "--circuit", "受電"}).status, 0);

    auto year = cli({"analyse", "--customer", "工場", "--circuit", "受電", "--year", "2022"});
    ASSERT_EQ(year.status, 0) << year.err;
    const minijson::Value y = json(year);
    ASSERT_EQ(y["months"].size(), 12u);
    // Report month 2022-12 (start day 21) runs into 2023: 2022-12-21 … 2023-01-20.
    const minijson::Value& december = y["months"][11];
    EXPECT_EQ(december["from"].s, "2022-12-21");
    EXPECT_EQ(december["to"].s, "2023-01-21");
    EXPECT_EQ(december["daysStored"].n, 31);
    EXPECT_EQ(y["months"][10]["daysStored"].n, 11); // 2022-12-10 … 12-20 in report month 11
    EXPECT_EQ(y["months"][0]["daysStored"].n, 0);
    EXPECT_TRUE(y["months"][0]["maximumDemand"].isNull());

    for (int m : {11, 12}) {
        auto month = cli({"analyse", "--customer", "工場", "--circuit", "受電", "--month",
                          "2022-" + std::to_string(m)});
        ASSERT_EQ(month.status, 0) << month.err;
        const minijson::Value mo = json(month);
        const minijson::Value& row = y["months"][static_cast<std::size_t>(m - 1)];
        EXPECT_EQ(row["maximumDemand"]["demand"].n, mo["maximumDemand"]["demand"].n) << m;
        EXPECT_EQ(row["maximumDemand"]["from"].s, mo["maximumDemand"]["from"].s) << m;
        EXPECT_EQ(row["loadFactor"].n, mo["statistics"]["loadFactor"].n) << m;
        EXPECT_EQ(row["daysStored"].n, static_cast<double>(mo["days"].size())) << m;
    }
}
