#include "views/table/SheetFlags.h"
#include "textout/ValueFormat.h"

const DaySummary& summaryInForce(const DisplaySelection& selection) {
    if (selection.isMonthly() && selection.monthSummary)
        return *selection.monthSummary;
    return selection.day.data.summary;
}

SheetFlags sheetFlags(const DisplaySelection& selection) {
    const DaySummary& summary = summaryInForce(selection);
    SheetFlags flags;
    flags.reverse = selection.day.data.hasReverse != 0;
    flags.fourWire = selection.day.data.circuitType == CircuitThreePhase4Wire;
    flags.kilowatts = UseKilowatts(summary);
    flags.kilovolts = UseKilovolts(summary);
    flags.monthly = selection.isMonthly();
    return flags;
}

int SheetFlags::peakMode(int mode) const {
    return monthly ? mode | PeakModeDated : mode;
}

std::string unitLabel(const char* word, int digit, const char* unit) {
    std::string label = word;
    if (digit > 0)
        label += static_cast<char>('0' + digit);
    return label + "[" + unit + "]";
}
