#include "link/ReportParser.h"

#include "link/LinkTexts.h"
#include "link/ReportTokens.h"
#include "support/CxException.h"
#include "support/DateText.h"
#include "support/Sjis.h"

#include <string>

namespace {

using namespace txt::link;

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

[[noreturn]] void failLineTooLong(std::string_view line) {
    // Quote what fits the line buffer, without splitting a double-byte character.
    std::size_t n = kMaxReportLineBytes;
    if (sjis::isTrailByteAt(line, n)) {
        --n;
    }
    failWithLine(kMsgLineTooLong, line.substr(0, n));
}

// PT or CT ratio: 3 bytes of the token are skipped ("PT:"), the value runs to the next blank.
double headerRatio(LineCursor& c, std::string_view noBlank, std::string_view notNumber) {
    c.skip(3);
    std::string_view rest = c.rest();
    std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        failWithLine(noBlank, c.messageLine());
    }
    std::string_view value = rest.substr(0, blank);
    for (char ch : value) {
        if (!((ch >= '0' && ch <= '9') || ch == '-' || ch == '.')) {
            failWithLine(notNumber, c.messageLine());
        }
    }
    c.skip(blank);
    c.skipBlanks();
    return numberValue(value);
}

void headerLine(ParseContext& ctx, std::string_view line) {
    // Full-width letters, digits, blanks and punctuation become single bytes; kanji stay.
    std::string half = sjis::toHalfWidth(line);
    LineCursor c(half, line);
    c.skip(2); // "CH"

    std::string_view channelToken = TakeToken(c);
    int32_t channel = 0;
    if (!channelToken.empty() && channelToken[0] == '1') {
        channel = 1;
    } else if (!channelToken.empty() && channelToken[0] == '2') {
        channel = 2;
    } else {
        failWithLine(kMsgChannel, line);
    }

    std::string_view typeToken = TakeToken(c);
    int32_t type = 0;
    if (startsWith(typeToken, kSinglePhase)) {
        type = CircuitSinglePhase;
    } else if (startsWith(typeToken, kThreePhase3Wire)) {
        type = CircuitThreePhase3Wire;
    } else if (startsWith(typeToken, kThreePhase4Wire)) {
        type = CircuitThreePhase4Wire;
    } else {
        failWithLine(kMsgCircuitType, line);
    }

    double pt = headerRatio(c, kMsgPtNoBlank, kMsgPtNotNumber);
    double ct = headerRatio(c, kMsgCtNoBlank, kMsgCtNotNumber);

    std::optional<DateTime> date = parseDateText(c.rest());
    if (!date) {
        failWithLine(kMsgHeaderDate, line);
    }
    ctx.blockDate = date->dateOnly();
    ctx.currentDayIndex = ctx.receivedDays.days.insert(DayKey{channel, ctx.blockDate});
    ctx.workingDay.clear();
    ctx.workingDay.setHeader(type, pt, ct);
}

void intervalLine(ParseContext& ctx, std::string_view line) {
    LineCursor c(line);
    std::optional<DateTime> time = timeOnDate(ctx.blockDate, TakeToken(c));
    if (!time) {
        failWithLine(kMsgIntervalTime, line);
    }
    // A listing runs past midnight: a time before the latest sample lies on a later day, the
    // first one on which it is not before it.
    auto& intervals = ctx.workingDay.intervals;
    if (!intervals.empty()) {
        const DateTime& latest = intervals.at(intervals.count() - 1).time;
        if (compareTimeKey(*time, latest) < 0) {
            DateTime moved = DateTime::make(latest.year(), latest.month(), latest.day(),
                                            time->hour(), time->minute(), time->second());
            if (compareTimeKey(moved, latest) < 0) {
                moved = moved.addDays(1);
            }
            if (!moved.isValid()) {
                failWithLine(kMsgIntervalTime, line); // past 9999-12-31
            }
            *time = moved;
        }
    }

    IntervalSample sample;
    sample.time = *time;
    sample.power = TakeNumber(c);
    if (ctx.reverseColumn) {
        sample.reversePower = TakeNumber(c);
    }
    sample.powerFactor = TakeNumber(c);
    sample.voltage[0] = TakeNumber(c);
    sample.current[0] = TakeNumber(c);
    sample.voltage[1] = TakeNumber(c);
    sample.current[1] = TakeNumber(c);
    if (ctx.workingDay.circuitType == CircuitThreePhase4Wire) {
        sample.voltage[2] = TakeNumber(c);
        sample.current[2] = TakeNumber(c);
    }
    ctx.workingDay.addOrReplaceSample(sample);
}

// Value, 3rd token skipped, time (range) in the 4th.
PeakRecord rangeRecord(LineCursor& c, const DateTime& blockDate) {
    PeakRecord r;
    r.value = SkipTakeNumber(c);
    TakeToken(c);
    TimeRange range = ParseTimeRange(TakeToken(c), blockDate, c.messageLine());
    r.from = range.from;
    r.to = range.to;
    return r;
}

// Value, power factor in the 4th token, time in the 6th.
PeakRecord peakWithFactor(LineCursor& c, const DateTime& blockDate, double& factor) {
    PeakRecord r;
    r.value = SkipTakeNumber(c);
    factor = SkipTakeNumber(c);
    TakeToken(c);
    TimeRange range = ParseTimeRange(TakeToken(c), blockDate, c.messageLine());
    r.from = range.from;
    r.to = range.to;
    return r;
}

// One line of the positional summary block, written straight into the stored day.
void summaryLine(ParseContext& ctx, std::string_view line) {
    DayData& data = ctx.receivedDays.days.at(ctx.currentDayIndex).data;
    DaySummary& s = data.summary;
    const bool fourWire = data.circuitType == CircuitThreePhase4Wire;
    int p = ctx.summaryPosition;

    // Phase 3 positions exist only for 3相4線; otherwise the line belongs to the next position.
    if (!fourWire && (p == 14 || p == 17 || p == 20 || p == 23 || p == 26 || p == 29)) {
        ++p;
    }
    if (p == 12 && startsWith(line, kPeakPowerMark)) {
        ctx.summaryPosition = 12; // extra peak heading in front of the averages
        return;
    }

    LineCursor c(line);
    int next = p + 1;
    const int skipIfNoReverse = ctx.reverseColumn ? p + 1 : p + 2;
    switch (p) {
    case 0:
        s.energy = SkipTakeNumber(c);
        next = skipIfNoReverse;
        break;
    case 1:
        s.reverseEnergy = SkipTakeNumber(c);
        break;
    case 2:
        s.spareTotal = 0.0;
        break;
    case 3:
        s.leadReactiveEnergy = SkipTakeNumber(c);
        break;
    case 4:
        s.lagReactiveEnergy = SkipTakeNumber(c);
        break;
    case 5:
        s.averagePower = SkipTakeNumber(c);
        next = skipIfNoReverse;
        break;
    case 6:
        s.reverseAveragePower = SkipTakeNumber(c);
        break;
    case 7:
        s.averagePowerFactor = SkipTakeNumber(c);
        break;
    case 8:
        s.maxDemand = rangeRecord(c, ctx.blockDate);
        next = skipIfNoReverse;
        break;
    case 9:
        s.reverseMaxDemand = rangeRecord(c, ctx.blockDate);
        break;
    case 10:
        s.peakPower = peakWithFactor(c, ctx.blockDate, s.peakPowerFactor);
        next = skipIfNoReverse;
        break;
    case 11:
        s.reversePeakPower = peakWithFactor(c, ctx.blockDate, s.reversePeakPowerFactor);
        break;
    case 12:
    case 13:
    case 14:
        s.averageVoltage[static_cast<std::size_t>(p - 12)] = SkipTakeNumber(c);
        break;
    case 15:
    case 16:
    case 17:
        s.averageCurrent[static_cast<std::size_t>(p - 15)] = SkipTakeNumber(c);
        break;
    case 18:
    case 19:
    case 20:
        s.peakVoltage[static_cast<std::size_t>(p - 18)] = rangeRecord(c, ctx.blockDate);
        break;
    case 21:
    case 22:
    case 23:
        s.minVoltage[static_cast<std::size_t>(p - 21)] = rangeRecord(c, ctx.blockDate);
        break;
    case 24:
    case 25:
    case 26:
        s.maxCurrent[static_cast<std::size_t>(p - 24)] = rangeRecord(c, ctx.blockDate);
        break;
    case 27:
    case 28:
    case 29:
        s.peakCurrent[static_cast<std::size_t>(p - 27)] = rangeRecord(c, ctx.blockDate);
        if (p == 29 || (p == 28 && !fourWire)) {
            next = -1;
        }
        break;
    default:
        failWithLine(std::string(kMsgNoCase) + std::to_string(ctx.summaryPosition) + "]<", line);
    }
    ctx.summaryPosition = next;
    if (next == -1) {
        ctx.state = ParseState::WaitHeader;
    }
}

} // namespace

void FeedLine(ParseContext& ctx, std::string_view line) {
    switch (ctx.state) {
    case ParseState::WaitHeader:
        if (startsWith(line, kChannelMark)) {
            if (line.size() > kMaxReportLineBytes) {
                failLineTooLong(line);
            }
            headerLine(ctx, line);
            ctx.state = ParseState::WaitBlockKind;
        }
        return;
    case ParseState::WaitBlockKind:
        if (startsWith(line, kTimeMark)) {
            if (line.size() > kMaxReportLineBytes) {
                failLineTooLong(line);
            }
            ctx.reverseColumn = line.find(kReverseMark.view()) != std::string_view::npos;
            ctx.workingDay.hasReverse = ctx.reverseColumn ? 1 : 0;
            ctx.state = ParseState::IntervalBlock;
        } else if (startsWith(line, kEnergyMark)) {
            if (line.size() > kMaxReportLineBytes) {
                failLineTooLong(line);
            }
            ctx.summaryPosition = 0;
            ctx.state = ParseState::SummaryBlock;
            summaryLine(ctx, line);
        }
        return;
    case ParseState::IntervalBlock:
        if (line.empty()) {
            ctx.receivedDays.days.at(ctx.currentDayIndex).data = ctx.workingDay;
            ctx.state = ParseState::WaitHeader;
        } else if (!startsWith(line, kOutageMark)) {
            if (line.size() > kMaxReportLineBytes) {
                failLineTooLong(line);
            }
            intervalLine(ctx, line);
        }
        return;
    case ParseState::SummaryBlock:
        if (!line.empty()) {
            if (line.size() > kMaxReportLineBytes) {
                failLineTooLong(line);
            }
            summaryLine(ctx, line);
        }
        return;
    }
}

bool FeedReadLine(ParseContext& ctx, std::string_view line, bool complete) {
    if (complete) {
        FeedLine(ctx, line);
        return true;
    }
    if (ctx.state != ParseState::WaitHeader) {
        return false;
    }
    try {
        FeedLine(ctx, line);
    } catch (const CxException&) {
        return false;
    }
    return true;
}

ReportEnd FinishReport(ParseContext& ctx, bool cutLine) {
    ReportEnd end;
    end.cut = cutLine || ctx.state != ParseState::WaitHeader;
    MeasurementCircuit& days = ctx.receivedDays;
    if (ctx.state != ParseState::WaitHeader && ctx.currentDayIndex >= 0 &&
        ctx.currentDayIndex < days.days.count()) {
        end.cutDay = days.days.at(ctx.currentDayIndex).key();
        days.days.removeAt(ctx.currentDayIndex);
    }
    // A closed listing always sets the circuit type (the header admits only 1-3).
    for (int i = days.days.count() - 1; i >= 0; --i) {
        if (days.days.at(i).data.circuitType == 0) {
            end.headless.insert(end.headless.begin(), days.days.at(i).key());
            days.days.removeAt(i);
        }
    }
    ctx.state = ParseState::WaitHeader;
    ctx.currentDayIndex = -1;
    return end;
}
