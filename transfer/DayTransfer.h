#pragma once
// The rules of the transfer dialog's three buttons: "← 追加" files selected days of the transfer
// data into a circuit, "→ 戻す" takes stored days back, "→ 削除" deletes stored days. The
// dialog and orvoview-cli both call these; messages and questions go through the prompt.
#include "store/DAT_Store.h"
#include "support/Prompt.h"
#include <vector>

// What one move did.
struct DayMove {
    bool done = false;               // false: refused with a message, or the question cancelled
    std::vector<int> selectInTarget; // positions of the moved days in the list they went to
    int moved = 0;                   // days written into the target
    int replaced = 0;                // of those, days that replaced one there
    int kept = 0;                    // days left where they were (question answered No)
};

// "← 追加": the selected transfer days (positions in transferDays) go into the circuit
// (nullptr: none chosen). The days must share one channel. When a date is already stored
// (looked up under the circuit's channel) one Yes/No/Cancel question decides for all of
// them: Yes replaces, No keeps the stored day and leaves the transfer day, Cancel moves
// nothing. Filed days always take channel 1. Moved days leave transferDays.
DayMove addDays(MeasurementCircuit* circuit, MeasurementCircuit& transferDays,
                const std::vector<int>& selected, Prompt& prompt);

// "→ 戻す": the selected stored days go back into transferDays with their channel, with the
// same single question for dates already there (looked up under the transfer data's channel).
// Returned days leave the circuit.
DayMove returnDays(MeasurementCircuit* circuit, MeasurementCircuit& transferDays,
                   const std::vector<int>& selected, Prompt& prompt);

// OK with days still in the transfer list: true when the user agrees to leave them unfiled
// (asked, default No); true at once when the list is empty.
bool mayCloseWithUnfiledDays(const MeasurementCircuit& transferDays, Prompt& prompt);

// "→ 削除": after a Yes to the question, the selected stored days are removed. True when
// days were removed.
bool deleteDays(MeasurementCircuit* circuit, const std::vector<int>& selected, Prompt& prompt);
