#pragma once
#include "store/DAT_DisplaySelection.h"
#include <string>

// What a report shows, derived from the selection every time a page is built: the reverse
// column and rows, the phase-2 columns and rows (3相4線 only), and the power and voltage units.
struct SheetFlags {
    bool reverse = false;
    bool fourWire = false;
    bool kilowatts = false;
    bool kilovolts = false;
    bool monthly = false; // peaks carry their date

    // The peak mode (PeakMode) to show peaks with on this report.
    int peakMode(int mode) const;

    // Element of the phase arrays shown under "3": element 2 for 3相4線, element 1 otherwise.
    int thirdPhase() const { return fourWire ? 2 : 1; }
    // Phases in the order the sheet lists them (1, 2, 3 or 1, 3) as array elements.
    int phaseCount() const { return fourWire ? 3 : 2; }
    int phaseElement(int shown) const { return shown == 0 ? 0 : fourWire ? shown : 1; }
    // The digit a phase is labelled with: 1, 2, 3 or 1, 3.
    int phaseDigit(int shown) const { return shown == 0 ? 1 : fourWire ? shown + 1 : 3; }
    const char* powerUnit() const { return kilowatts ? "kW" : "W"; }
    const char* voltageUnit() const { return kilovolts ? "kV" : "V"; }
};

// The day's summary for a daily report, the month summary for a monthly one.
const DaySummary& summaryInForce(const DisplaySelection& selection);
SheetFlags sheetFlags(const DisplaySelection& selection);
// "<word><digit>[<unit>]" or, with digit 0, "<word>[<unit>]".
std::string unitLabel(const char* word, int digit, const char* unit);
