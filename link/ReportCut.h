#pragma once
// What the user is told when a reception or a captured file ended inside a block.
#include "link/ReportParser.h"
#include <string>

enum class CutReason {
    Silence,   // the recorder stopped sending inside a block
    ReadError, // the port could no longer be read (a cable or adapter pulled out)
    FileEnd,   // a captured file ends inside a block or a line
};

// One line (CP932): the reason in words, how many days arrived whole, the day that was cut
// off, and the file that holds the bytes: the capture of a serial reception, or the file read
// (`file` may be empty: no file sentence).
std::string cutReceptionMessage(CutReason reason, const ReportEnd& end, int keptDays,
                                const std::string& file);

// "測定値の一覧が届いていない <n>ch <date> の集計は取り込みません" (CP932).
std::string headlessDayMessage(const DayKey& day);

// The days of a reception as the transfer dialog takes them: a whole reception, or the days
// that arrived whole before the reception was cut, with the message that says so.
struct ReceptionHandover {
    ReceptionHandover() = default;
    ReceptionHandover(MeasurementCircuit received) : days(std::move(received)) {} // a whole one
    MeasurementCircuit days;
    bool interrupted = false;
    std::string notice; // CP932: cutReceptionMessage of an interrupted reception
};
