#pragma once
// Small builders for measurement records, shared by the test suites.
#include "store/DAT_Records.h"

#include <array>

namespace builders {

inline IntervalSample sample(DateTime t, double p, double rp, double pf, std::array<double, 3> v,
                             std::array<double, 3> i) {
    IntervalSample s;
    s.time = t;
    s.power = p;
    s.reversePower = rp;
    s.powerFactor = pf;
    s.voltage = v;
    s.current = i;
    return s;
}

} // namespace builders
