#include "app/PrintPeriod.h"
#include "app/AppTexts.h"
#include "support/DateTime.h"

const char* checkPrintPeriod(const DateTime& start, const DateTime& end) {
    return end < start ? txt::app::kPeriodReversed.c_str() : nullptr;
}
