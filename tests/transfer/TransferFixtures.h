#pragma once
// Days and lists for the transfer tests.
#include "store/DAT_Store.h"
#include "support/Sjis.h"
#include <string>
#include <vector>

namespace transfertest {

inline std::string sj(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

// A 単相 day of May 2024 with the given channel; `pt` tells copies apart.
inline MeasurementDay day(int channel, int d, double pt = 1.0, double ct = 1.0) {
    MeasurementDay x;
    x.channel = channel;
    x.date = DateTime::make(2024, 5, d);
    x.data.setHeader(CircuitSinglePhase, pt, ct);
    return x;
}

inline MeasurementCircuit circuitOf(const std::vector<MeasurementDay>& days) {
    MeasurementCircuit c;
    for (const MeasurementDay& d : days)
        c.addOrReplaceDay(d);
    return c;
}

} // namespace transfertest
