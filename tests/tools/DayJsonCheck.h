#pragma once
// Compares the JSON form of a day with the record, value by value (numbers exactly).
#include "store/DAT_Records.h"
#include "tests/tools/MiniJson.h"
#include "tools/cli/RecordJson.h"
#include <gtest/gtest.h>

namespace fixtures {

inline void expectDate(const minijson::Value& v, const std::string& text, const char* what) {
    if (text.empty())
        EXPECT_TRUE(v.isNull()) << what;
    else
        EXPECT_EQ(v.s, text) << what;
}

inline void expectPeak(const minijson::Value& v, const PeakRecord& p, const char* what) {
    EXPECT_EQ(v["value"].n, p.value) << what;
    expectDate(v["from"], jsonDateTime(p.from), what);
    expectDate(v["to"], jsonDateTime(p.to), what);
}

inline void expectDayJson(const minijson::Value& v, const MeasurementDay& day) {
    SCOPED_TRACE(jsonDate(day.date));
    EXPECT_EQ(v["channel"].n, day.channel);
    expectDate(v["date"], jsonDate(day.date), "date");
    const DayData& d = day.data;
    EXPECT_EQ(v["circuitType"].n, d.circuitType);
    EXPECT_EQ(v["ptRatio"].n, d.ptRatio);
    EXPECT_EQ(v["ctRatio"].n, d.ctRatio);
    EXPECT_EQ(v["hasReverse"].n, d.hasReverse);
    ASSERT_EQ(v["samples"].size(), static_cast<std::size_t>(d.intervals.count()));
    for (int i = 0; i < d.intervals.count(); ++i) {
        const IntervalSample& s = d.intervals.at(i);
        const minijson::Value& j = v["samples"][static_cast<std::size_t>(i)];
        expectDate(j["time"], jsonDateTime(s.time), "time");
        EXPECT_EQ(j["power"].n, s.power);
        EXPECT_EQ(j["reversePower"].n, s.reversePower);
        EXPECT_EQ(j["powerFactor"].n, s.powerFactor);
        for (std::size_t p = 0; p < 3; ++p) {
            EXPECT_EQ(j["voltage"][p].n, s.voltage[p]);
            EXPECT_EQ(j["current"][p].n, s.current[p]);
        }
    }
    const DaySummary& s = d.summary;
    const minijson::Value& j = v["summary"];
    EXPECT_EQ(j["energy"].n, s.energy);
    EXPECT_EQ(j["reverseEnergy"].n, s.reverseEnergy);
    EXPECT_EQ(j["spareTotal"].n, s.spareTotal);
    EXPECT_EQ(j["leadReactiveEnergy"].n, s.leadReactiveEnergy);
    EXPECT_EQ(j["lagReactiveEnergy"].n, s.lagReactiveEnergy);
    EXPECT_EQ(j["averagePower"].n, s.averagePower);
    EXPECT_EQ(j["reverseAveragePower"].n, s.reverseAveragePower);
    EXPECT_EQ(j["averagePowerFactor"].n, s.averagePowerFactor);
    expectPeak(j["maxDemand"], s.maxDemand, "maxDemand");
    expectPeak(j["reverseMaxDemand"], s.reverseMaxDemand, "reverseMaxDemand");
    expectPeak(j["peakPower"], s.peakPower, "peakPower");
    expectPeak(j["reversePeakPower"], s.reversePeakPower, "reversePeakPower");
    EXPECT_EQ(j["peakPowerFactor"].n, s.peakPowerFactor);
    EXPECT_EQ(j["reversePeakPowerFactor"].n, s.reversePeakPowerFactor);
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(j["averageVoltage"][p].n, s.averageVoltage[p]);
        EXPECT_EQ(j["averageCurrent"][p].n, s.averageCurrent[p]);
        expectPeak(j["peakVoltage"][p], s.peakVoltage[p], "peakVoltage");
        expectPeak(j["minVoltage"][p], s.minVoltage[p], "minVoltage");
        expectPeak(j["maxCurrent"][p], s.maxCurrent[p], "maxCurrent");
        expectPeak(j["peakCurrent"][p], s.peakCurrent[p], "peakCurrent");
    }
}

} // namespace fixtures
