#pragma once
#include "store/DAT_Records.h"
#include <string>

// Texts of the measured figures for the table view, the printed sheet, the graph title block,
// the CSV report and the day lists. Every text is CP932; no operation changes the record.

// Unit choice of a report (applied to the day's summary or the month summary).
// kW when the larger of maxDemand and |reverseMaxDemand| exceeds 10000 (10000 itself is W).
bool UseKilowatts(const DaySummary& summary);
// kV when the instantaneous maximum of voltage 1 exceeds 1000 (1000 itself is V).
bool UseKilovolts(const DaySummary& summary);

// How a peak is joined with its time: 0 printed summary page "（…）", 1 screen " (…)",
// 2 CSV ", …" (extra fields). Any other mode gives an empty text.
enum PeakMode { PeakModePrint = 0, PeakModeScreen = 1, PeakModeCsv = 2 };
// Or'ed with a mode: the peak's date with its weekday goes before its time ("12/1(金) 10:30"),
// as a monthly report shows them.
inline constexpr int PeakModeDated = 16;
// A date as the reports show it beside a time or in a list of days: "12/1(金)".
std::string DateWithWeekday(const DateTime& date);

// One interval line. Reverse power keeps its sign here.
std::string SamplePowerW(const IntervalSample& s);
std::string SamplePowerKW(const IntervalSample& s);
std::string SampleReversePowerW(const IntervalSample& s);
std::string SampleReversePowerKW(const IntervalSample& s);
std::string SamplePowerFactor(const IntervalSample& s);
std::string SampleVoltageV(const IntervalSample& s, int phase);
std::string SampleVoltageKV(const IntervalSample& s, int phase);
std::string SampleCurrent(const IntervalSample& s, int phase); // two decimals

// Plain summary values; energies in kWh / kvarh, reverse values without sign.
std::string EnergyText(const DaySummary& s);
std::string ReverseEnergyText(const DaySummary& s);
std::string LeadReactiveText(const DaySummary& s);
std::string LagReactiveText(const DaySummary& s);
std::string AveragePowerText(const DaySummary& s, bool kw);
std::string ReverseAveragePowerText(const DaySummary& s, bool kw);
std::string AveragePowerFactorText(const DaySummary& s);
std::string PeakPowerFactorText(const DaySummary& s);
std::string ReversePeakPowerFactorText(const DaySummary& s);
std::string AverageVoltageText(const DaySummary& s, bool kv, int phase);
std::string AverageCurrentText(const DaySummary& s, int phase); // one decimal

// Peaks with their time or time range; the number is |value| / divisor with one decimal.
std::string MaxDemandText(const DaySummary& s, bool kw, int mode);
std::string ReverseMaxDemandText(const DaySummary& s, bool kw, int mode);
std::string PeakPowerText(const DaySummary& s, bool kw, int mode);
std::string ReversePeakPowerText(const DaySummary& s, bool kw, int mode);
std::string PeakVoltageText(const DaySummary& s, bool kv, int phase, int mode);
std::string MinVoltageText(const DaySummary& s, bool kv, int phase, int mode);
std::string MaxCurrentText(const DaySummary& s, int phase, int mode);
std::string PeakCurrentText(const DaySummary& s, int phase, int mode);

// Times of a peak: from as "%H:%M"; the end of a range as "%H:%M", a valid midnight as "24:00".
std::string peakFromText(const PeakRecord& r);
std::string rangeEndText(const DateTime& to);

// Labels.
std::string CircuitTypeName(int32_t type);     // "単相", "3相3線", "3相4線", else "none"
std::string DayDataLabel(const DayData& data); // "---" or "%s:PT:%.1f,CT:%.1f"
std::string DayListLabel(const MeasurementDay& day);            // "%Y/%m/%d label"
std::string DayListLabelWithChannel(const MeasurementDay& day); // "%dch %Y/%m/%d label"
