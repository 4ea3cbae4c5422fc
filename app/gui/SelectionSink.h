#pragma once
#include "store/DAT_DisplaySelection.h"
#include <array>

// What the document needs from the frame after a selection: refill its lists and scales, and
// tell the three scale values (power, voltage, current; -1 = nothing selected).
class SelectionSink {
public:
    virtual ~SelectionSink() = default;
    virtual void afterSelect(const DisplaySelection& selection) = 0;
    virtual std::array<double, 3> scaleValues() const = 0;
};
