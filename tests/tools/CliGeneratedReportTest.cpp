// The tool on reports from the report generator: every value of every day comes through.
#include "common/StoreBuilders.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/DayJsonCheck.h"
#include "tools/reportgen/ReportGenerator.h"

namespace {

ReportGenOptions options(uint64_t seed, int32_t type, bool reverse, bool channel2) {
    ReportGenOptions o;
    o.seed = seed;
    o.firstDay = DateTime::make(2024, 2, 27);
    o.days = 4; // over the end of February
    o.circuitType1 = type;
    o.channel2 = channel2;
    o.reverse = reverse;
    return o;
}

} // namespace

TEST_F(CliTest, DumpReportOfGeneratedReportsMatchesTheGeneratedDays) {
    struct Case {
        int32_t type;
        bool reverse;
        bool channel2;
    } cases[] = {{CircuitSinglePhase, false, false},
                 {CircuitThreePhase4Wire, true, true},
                 {CircuitThreePhase3Wire, true, false}};
    uint64_t seed = 11;
    for (const Case& c : cases) {
        ReportGenerator generator(options(seed++, c.type, c.reverse, c.channel2));
        writeFile(dir() / "gen.txt", generator.generate());
        auto r = cli({"dump-report", "gen.txt"});
        ASSERT_EQ(r.status, 0) << r.err;
        auto v = json(r);
        const MeasurementCircuit& expected = generator.expectedDays();
        ASSERT_EQ(v["days"].size(), static_cast<std::size_t>(expected.days.count()));
        for (int i = 0; i < expected.days.count(); ++i)
            fixtures::expectDayJson(v["days"][static_cast<std::size_t>(i)], expected.days.at(i));
    }
}

TEST_F(CliTest, ImportReportOfAGeneratedReportThenDumpData) {
    ReportGenerator generator(options(5, CircuitThreePhase4Wire, true, true));
    writeFile(dir() / "gen.txt", generator.generate());
    auto r = cli(
        {"import-report", "gen.txt", "--customer", "工場", "--circuit", "CH2側", "--channel", "2"});
    ASSERT_EQ(r.status, 0) << r.err;

    auto dump = cli({"dump-data", dataFile().string()});
    ASSERT_EQ(dump.status, 0) << dump.err;
    auto v = json(dump);
    const auto& days = v["customers"][0]["circuits"][0]["days"];
    std::vector<MeasurementDay> expected;
    for (int i = 0; i < generator.expectedDays().days.count(); ++i) {
        MeasurementDay d = generator.expectedDays().days.at(i);
        if (d.channel == 2) {
            d.channel = 1; // stored days take channel 1
            expected.push_back(d);
        }
    }
    ASSERT_EQ(expected.size(), 4u);
    ASSERT_EQ(days.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        fixtures::expectDayJson(days[i], expected[i]);
}
