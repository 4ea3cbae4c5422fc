#include "views/table/IncompleteMark.h"
#include "analysis/AnalysisTexts.h"
#include "support/Format.h"

std::string incompleteDayMark(const DayCoverage& coverage) {
    if (!coverage.incomplete())
        return {};
    return formatText(txt::analysis::kIncompleteMark, coverage.missingIntervals());
}

std::string incompleteDayLegend(int markedDays) {
    return markedDays > 0 ? txt::analysis::kIncompleteLegend : std::string();
}
