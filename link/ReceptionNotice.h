#pragma once
#include <string>

// What the reception worker tells its dialog. Codes 1 and 2 carry a text (CP932), 3 and 4
// end the reception.
struct ReceptionNotice {
    enum Code : int {
        AddLine = 1,       // add the text to the list
        LogAndAddLine = 2, // a failure message; the worker has already written it to the log
        Succeeded = 3,     // reception over; the days may be taken once the worker has ended
        Failed = 4,        // reception failed; nothing is handed over
    };
    int code = AddLine;
    bool showInStatus = false; // also show the text in the status line
    std::string text;
};
