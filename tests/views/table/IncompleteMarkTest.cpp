// The mark of an incomplete day in a monthly table and the legend beside the table.
#include "views/table/IncompleteMark.h"
#include "analysis/AnalysisFixtures.h"
#include "common/Cp932.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

struct MarkCase {
    const char* name;
    int interval;             // 0: a stored day without samples
    std::vector<int> removed; // end minutes of samples left out
    std::vector<int> outage;  // end minutes of samples with every voltage 0
    const char* mark;         // UTF-8
};

class IncompleteMarkTable : public ::testing::TestWithParam<MarkCase> {};

TEST_P(IncompleteMarkTable, MarksOnlyDaysThatMissIntervals) {
    const MarkCase& c = GetParam();
    MeasurementDay d;
    d.date = kDay;
    if (c.interval > 0)
        d = fixtures::flatDay(kDay, c.interval, 1000.0);
    for (int m : c.removed)
        fixtures::removeSampleAt(d, m);
    for (int m : c.outage)
        fixtures::sampleAt(d, m).voltage = {0.0, 0.0, 0.0};
    EXPECT_EQ(incompleteDayMark(dayCoverage(d.data, d.date)), sj(c.mark));
}

INSTANTIATE_TEST_SUITE_P(
    Days, IncompleteMarkTable,
    ::testing::Values(MarkCase{"complete_30min", 30, {}, {}, ""},
                      MarkCase{"gap_of_two_intervals", 30, {600, 630}, {}, " ▲2"},
                      MarkCase{"outage_day", 15, {}, {615, 630, 645}, " ▲3"},
                      MarkCase{"gap_and_outage", 30, {60}, {720}, " ▲2"},
                      MarkCase{"without_samples", 0, {}, {}, " ▲"},
                      MarkCase{"complete_60min", 60, {}, {}, ""},
                      MarkCase{"60min_last_hour_missing", 60, {1440}, {}, " ▲1"},
                      MarkCase{"1min_first_two_missing", 1, {1, 2}, {}, " ▲2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IncompleteLegend, OnlyWhenARowIsMarked) {
    const std::pair<int, const char*> cases[] = {
        {0, ""}, {1, "▲n：欠測 n 区間（停電を含む）"}, {31, "▲n：欠測 n 区間（停電を含む）"}};
    for (auto [marked, legend] : cases)
        EXPECT_EQ(incompleteDayLegend(marked), sj(legend)) << marked;
}

} // namespace
