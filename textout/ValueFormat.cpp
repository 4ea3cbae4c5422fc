#include "textout/ValueFormat.h"

#include "support/Format.h"
#include "textout/TextoutTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The same text as printf's "%.Nf" (to_chars is specified as printf), without its cost.
std::string fixed(double v, int decimals) {
    char buf[400]; // the largest double with two decimals needs 312
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string oneDecimal(double v) {
    return fixed(v, 1);
}

std::size_t phaseIndex(int phase) {
    // Out of range is a programming error; std::array::at reports it.
    return static_cast<std::size_t>(phase);
}

// The peak's time, after its date when the mode asks for it and the peak has one.
std::string fromText(const PeakRecord& r, int mode) {
    if ((mode & PeakModeDated) && r.from.isValid())
        return DateWithWeekday(r.from) + " " + peakFromText(r);
    return peakFromText(r);
}

// The two-step pattern spelled out: number, optional power factor, time(s).
std::string singleTime(const std::string& number, const PeakRecord& r, int mode) {
    const std::string t = fromText(r, mode);
    switch (mode & ~PeakModeDated) {
    case PeakModePrint:
        return number + txt::textout::kParenOpen + t + txt::textout::kParenClose;
    case PeakModeScreen:
        return number + " (" + t + ")";
    case PeakModeCsv:
        return number + ", " + t;
    default:
        return {};
    }
}

std::string withPowerFactor(const std::string& number, const std::string& pf, const PeakRecord& r,
                            int mode) {
    const std::string t = fromText(r, mode);
    switch (mode & ~PeakModeDated) {
    case PeakModePrint:
        return number + " , " + pf + txt::textout::kParenOpen + t + txt::textout::kParenClose;
    case PeakModeScreen:
        return number + " , " + pf + " (" + t + ")";
    case PeakModeCsv:
        return number + ", " + pf + ", " + t;
    default:
        return {};
    }
}

std::string timeRange(const std::string& number, const PeakRecord& r, int mode) {
    const std::string from = fromText(r, mode);
    const std::string to = rangeEndText(r.to);
    switch (mode & ~PeakModeDated) {
    case PeakModePrint:
        return number + txt::textout::kParenOpen + from + txt::textout::kWave + to +
               txt::textout::kParenClose;
    case PeakModeScreen:
        return number + " (" + from + txt::textout::kWave + to + ")";
    case PeakModeCsv:
        return number + ", " + from + ", " + to;
    default:
        return {};
    }
}

std::string peakNumber(const PeakRecord& r, double divisor) {
    return oneDecimal(std::fabs(r.value) / divisor);
}

double powerDivisor(bool kw) {
    return kw ? 1000.0 : 1.0;
}

} // namespace

bool UseKilowatts(const DaySummary& s) {
    return std::max(s.maxDemand.value, std::fabs(s.reverseMaxDemand.value)) > 10000.0;
}

bool UseKilovolts(const DaySummary& s) {
    return s.peakVoltage[0].value > 1000.0;
}

std::string SamplePowerW(const IntervalSample& s) {
    return fixed(s.power, 0);
}
std::string SamplePowerKW(const IntervalSample& s) {
    return oneDecimal(s.power * 0.001);
}
std::string SampleReversePowerW(const IntervalSample& s) {
    return fixed(s.reversePower, 0);
}
std::string SampleReversePowerKW(const IntervalSample& s) {
    return oneDecimal(s.reversePower * 0.001);
}
std::string SamplePowerFactor(const IntervalSample& s) {
    return oneDecimal(s.powerFactor);
}
std::string SampleVoltageV(const IntervalSample& s, int phase) {
    return oneDecimal(s.voltage.at(phaseIndex(phase)));
}
std::string SampleVoltageKV(const IntervalSample& s, int phase) {
    return oneDecimal(s.voltage.at(phaseIndex(phase)) * 0.001);
}
std::string SampleCurrent(const IntervalSample& s, int phase) {
    return fixed(s.current.at(phaseIndex(phase)), 2);
}

std::string EnergyText(const DaySummary& s) {
    return oneDecimal(s.energy * 0.001);
}
std::string ReverseEnergyText(const DaySummary& s) {
    return oneDecimal(std::fabs(s.reverseEnergy) * 0.001);
}
std::string LeadReactiveText(const DaySummary& s) {
    return oneDecimal(s.leadReactiveEnergy * 0.001);
}
std::string LagReactiveText(const DaySummary& s) {
    return oneDecimal(s.lagReactiveEnergy * 0.001);
}
std::string AveragePowerText(const DaySummary& s, bool kw) {
    return oneDecimal(kw ? s.averagePower * 0.001 : s.averagePower);
}
std::string ReverseAveragePowerText(const DaySummary& s, bool kw) {
    const double v = std::fabs(s.reverseAveragePower);
    return oneDecimal(kw ? v * 0.001 : v);
}
std::string AveragePowerFactorText(const DaySummary& s) {
    return oneDecimal(s.averagePowerFactor);
}
std::string PeakPowerFactorText(const DaySummary& s) {
    return oneDecimal(s.peakPowerFactor);
}
std::string ReversePeakPowerFactorText(const DaySummary& s) {
    return oneDecimal(s.reversePeakPowerFactor);
}
std::string AverageVoltageText(const DaySummary& s, bool kv, int phase) {
    const double v = s.averageVoltage.at(phaseIndex(phase));
    return oneDecimal(kv ? v * 0.001 : v);
}
std::string AverageCurrentText(const DaySummary& s, int phase) {
    return oneDecimal(s.averageCurrent.at(phaseIndex(phase)));
}

std::string MaxDemandText(const DaySummary& s, bool kw, int mode) {
    return timeRange(peakNumber(s.maxDemand, powerDivisor(kw)), s.maxDemand, mode);
}
std::string ReverseMaxDemandText(const DaySummary& s, bool kw, int mode) {
    return timeRange(peakNumber(s.reverseMaxDemand, powerDivisor(kw)), s.reverseMaxDemand, mode);
}
std::string PeakPowerText(const DaySummary& s, bool kw, int mode) {
    return withPowerFactor(peakNumber(s.peakPower, powerDivisor(kw)), PeakPowerFactorText(s),
                           s.peakPower, mode);
}
std::string ReversePeakPowerText(const DaySummary& s, bool kw, int mode) {
    return withPowerFactor(peakNumber(s.reversePeakPower, powerDivisor(kw)),
                           ReversePeakPowerFactorText(s), s.reversePeakPower, mode);
}
std::string PeakVoltageText(const DaySummary& s, bool kv, int phase, int mode) {
    const PeakRecord& r = s.peakVoltage.at(phaseIndex(phase));
    return singleTime(peakNumber(r, kv ? 1000.0 : 1.0), r, mode);
}
std::string MinVoltageText(const DaySummary& s, bool kv, int phase, int mode) {
    const PeakRecord& r = s.minVoltage.at(phaseIndex(phase));
    return singleTime(peakNumber(r, kv ? 1000.0 : 1.0), r, mode);
}
std::string MaxCurrentText(const DaySummary& s, int phase, int mode) {
    const PeakRecord& r = s.maxCurrent.at(phaseIndex(phase));
    return timeRange(peakNumber(r, 1.0), r, mode);
}
std::string PeakCurrentText(const DaySummary& s, int phase, int mode) {
    const PeakRecord& r = s.peakCurrent.at(phaseIndex(phase));
    return singleTime(peakNumber(r, 1.0), r, mode);
}

std::string DateWithWeekday(const DateTime& date) {
    return date.format(txt::textout::kDateWithWeekday);
}

std::string peakFromText(const PeakRecord& r) {
    return r.from.format("%H:%M");
}

std::string rangeEndText(const DateTime& to) {
    // A demand interval that ends at midnight belongs to the day it closes.
    if (to.isValid() && to.hour() == 0 && to.minute() == 0)
        return "24:00";
    return to.format("%H:%M");
}

std::string CircuitTypeName(int32_t type) {
    switch (type) {
    case CircuitSinglePhase:
        return txt::textout::kSinglePhase;
    case CircuitThreePhase3Wire:
        return txt::textout::kThreePhase3W;
    case CircuitThreePhase4Wire:
        return txt::textout::kThreePhase4W;
    default:
        return "none";
    }
}

std::string DayDataLabel(const DayData& d) {
    if (d.circuitType == CircuitNone)
        return "---";
    return formatText("%s:PT:%.1f,CT:%.1f", CircuitTypeName(d.circuitType).c_str(), d.ptRatio,
                      d.ctRatio);
}

std::string DayListLabel(const MeasurementDay& day) {
    return day.date.format("%Y/%m/%d") + " " + DayDataLabel(day.data);
}

std::string DayListLabelWithChannel(const MeasurementDay& day) {
    return formatText("%dch ", static_cast<int>(day.channel)) + DayListLabel(day);
}
