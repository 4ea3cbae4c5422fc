#pragma once

class DateTime;

// The check of 印刷期間の入力 at OK: the CP932 message when the period cannot be printed (its
// end before its start), else null. The dialog stays open after a message.
const char* checkPrintPeriod(const DateTime& start, const DateTime& end);
