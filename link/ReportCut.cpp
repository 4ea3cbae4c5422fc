#include "link/ReportCut.h"
#include "link/LinkTexts.h"
#include "support/Format.h"

namespace {

std::string dayText(const DayKey& day, sjis::Text format) {
    return formatText(format, static_cast<int>(day.channel), day.date.format("%Y/%m/%d").c_str());
}

} // namespace

std::string cutReceptionMessage(CutReason reason, const ReportEnd& end, int keptDays,
                                const std::string& file) {
    using namespace txt::link;
    std::string text = reason == CutReason::Silence     ? kCutSilence
                       : reason == CutReason::ReadError ? kCutReadError
                                                        : kCutFileEnd;
    text += " ";
    text += keptDays > 0 ? formatText(kCutKept, keptDays) : std::string(kCutNoneKept);
    if (end.cutDay)
        text += " " + dayText(*end.cutDay, kCutDayLeft);
    if (!file.empty())
        text += " " + formatText(reason == CutReason::FileEnd ? sjis::Text(kCutFile)
                                                              : sjis::Text(kCutCapture),
                                 file.c_str());
    return text;
}

std::string headlessDayMessage(const DayKey& day) {
    return dayText(day, txt::link::kHeadlessDay);
}
