#include "views/table/IncompleteMark.h"
#include "analysis/AnalysisTexts.h"
#include "support/Format.h"

std::string incompleteDayMark(const DayCoverage& coverage) {
    if (!coverage.incomplete())
        return {};
    std::string mark = formatText(txt::analysis::kIncompleteMark, coverage.missingIntervals());
    // Without samples there is no count of missing intervals: the mark alone.
    if (coverage.intervalMinutes == 0)
        mark.erase(mark.find_last_not_of("0123456789") + 1);
    return mark;
}

std::string incompleteDayLegend(int markedDays) {
    return markedDays > 0 ? txt::analysis::kIncompleteLegend : std::string();
}
