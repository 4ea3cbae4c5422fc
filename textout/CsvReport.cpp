#include "textout/CsvReport.h"

#include "store/Aggregation.h"
#include "support/CxException.h"
#include "support/FailureReport.h"
#include "support/FileNameFit.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/Sjis.h"
#include "textout/ReportFile.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include <algorithm>
#include <cstring>

namespace {

// "日報_", "月報_", "年報_": two kanji and the underscore before the customer name.
constexpr std::size_t kKindPrefixBytes = 5;

// Flags and texts that every line of one report shares.
struct ReportContext {
    const DisplaySelection& sel;
    const DaySummary& summary; // the summary in force
    bool monthly;
    bool reverse;
    bool fourWire;
    bool kw;
    bool kv;
    std::size_t third; // phase element of the "3" column: 2 when four-wire, else 1
    std::string fwd;
    std::string rev;
};

void add(std::string& line, std::string_view field) {
    line.append(", ");
    line.append(field);
}

std::string headerLine(const ReportContext& c) {
    std::string line =
        c.monthly ? txt::textout::kDateHeading.c_str() : txt::textout::kTimeHeading.c_str();
    const std::string power = c.kw ? txt::textout::kPowerKW.c_str() : txt::textout::kPowerW.c_str();
    add(line, power + c.fwd);
    if (c.reverse)
        add(line, power + c.rev);
    add(line, txt::textout::kPowerFactor);
    const char* v = c.kv ? "[kV]" : "[V]";
    add(line, std::string(txt::textout::kVoltage) + "1" + v);
    if (c.fourWire)
        add(line, std::string(txt::textout::kVoltage) + "2" + v);
    add(line, std::string(txt::textout::kVoltage) + "3" + v);
    add(line, std::string(txt::textout::kCurrent) + "1[A]");
    if (c.fourWire)
        add(line, std::string(txt::textout::kCurrent) + "2[A]");
    add(line, std::string(txt::textout::kCurrent) + "3[A]");
    return line;
}

void writeSampleLines(ReportLineWriter& out, const ReportContext& c) {
    std::string line;
    for (const IntervalSample& s : c.sel.day.data.intervals) {
        line = s.time.format("%H:%M");
        add(line, c.kw ? SamplePowerKW(s) : SamplePowerW(s));
        if (c.reverse)
            add(line, c.kw ? SampleReversePowerKW(s) : SampleReversePowerW(s));
        add(line, SamplePowerFactor(s));
        auto voltage = [&](int i) { return c.kv ? SampleVoltageKV(s, i) : SampleVoltageV(s, i); };
        add(line, voltage(0));
        if (c.fourWire)
            add(line, voltage(1));
        add(line, voltage(static_cast<int>(c.third)));
        add(line, SampleCurrent(s, 0));
        if (c.fourWire)
            add(line, SampleCurrent(s, 1));
        add(line, SampleCurrent(s, static_cast<int>(c.third)));
        out.WriteLine(line);
    }
}

void writeDateLines(ReportLineWriter& out, const ReportContext& c, const MonthWindow& window) {
    std::string line;
    const int n = window.dayCount();
    for (int k = 0; k < n; ++k) {
        const DateTime date = window.dateAt(k);
        line = date.format("%#m/%#d");
        const int index = c.sel.circuit ? c.sel.circuit->days.find({c.sel.day.channel, date}) : -1;
        if (index >= 0) {
            const DaySummary& s = c.sel.circuit->days.at(index).data.summary;
            add(line, AveragePowerText(s, c.kw));
            if (c.reverse)
                add(line, ReverseAveragePowerText(s, c.kw));
            add(line, AveragePowerFactorText(s));
            add(line, AverageVoltageText(s, c.kv, 0));
            if (c.fourWire)
                add(line, AverageVoltageText(s, c.kv, 1));
            add(line, AverageVoltageText(s, c.kv, static_cast<int>(c.third)));
            add(line, AverageCurrentText(s, 0));
            if (c.fourWire)
                add(line, AverageCurrentText(s, 1));
            add(line, AverageCurrentText(s, static_cast<int>(c.third)));
        }
        out.WriteLine(line);
    }
}

void writeSummaryLines(ReportLineWriter& out, const ReportContext& c) {
    const DaySummary& s = c.summary;
    auto line = [&](const std::string& label, const std::string& value) {
        out.WriteLine(label + ", " + value);
    };
    const std::string kwUnit = c.kw ? "[kW]" : "[W]";
    const std::string kvUnit = c.kv ? "[kV]" : "[V]";

    line(txt::textout::kEnergy + c.fwd, EnergyText(s));
    if (c.reverse)
        line(txt::textout::kEnergy + c.rev, ReverseEnergyText(s));
    line(txt::textout::kLead, LeadReactiveText(s));
    line(txt::textout::kLag, LagReactiveText(s));
    const std::string averagePower = txt::textout::kAveragePower + kwUnit;
    line(averagePower + c.fwd, AveragePowerText(s, c.kw));
    if (c.reverse)
        line(averagePower + c.rev, ReverseAveragePowerText(s, c.kw));
    line(txt::textout::kAveragePowerFactor, AveragePowerFactorText(s));
    const std::string maxDemand = txt::textout::kMaxDemand + kwUnit + txt::textout::kMaxDemandTime;
    line(maxDemand + c.fwd, MaxDemandText(s, c.kw, PeakModeCsv));
    if (c.reverse)
        line(maxDemand + c.rev, ReverseMaxDemandText(s, c.kw, PeakModeCsv));
    const std::string peakPower = txt::textout::kPeakPower + kwUnit + txt::textout::kPeakPowerTail;
    line(peakPower + c.fwd, PeakPowerText(s, c.kw, PeakModeCsv));
    if (c.reverse)
        line(peakPower + c.rev, ReversePeakPowerText(s, c.kw, PeakModeCsv));

    // Phase rows: 1, (four-wire) 2, and "3" from the phase element in force.
    std::vector<std::pair<int, std::size_t>> phases = {{1, 0}};
    if (c.fourWire)
        phases.emplace_back(2, 1);
    phases.emplace_back(3, c.third);
    auto label = [](const char* word, int n, const std::string& unit, const char* tail) {
        return word + std::to_string(n) + unit + tail;
    };
    for (auto [n, i] : phases)
        line(label(txt::textout::kAverageVoltage, n, kvUnit, ""),
             AverageVoltageText(s, c.kv, static_cast<int>(i)));
    for (auto [n, i] : phases)
        line(label(txt::textout::kAverageCurrent, n, "[A]", ""),
             AverageCurrentText(s, static_cast<int>(i)));
    for (auto [n, i] : phases)
        line(label(txt::textout::kPeakVoltage, n, kvUnit, txt::textout::kTimeNote),
             PeakVoltageText(s, c.kv, static_cast<int>(i), PeakModeCsv));
    for (auto [n, i] : phases)
        line(label(txt::textout::kMinVoltage, n, kvUnit, txt::textout::kTimeNote),
             MinVoltageText(s, c.kv, static_cast<int>(i), PeakModeCsv));
    for (auto [n, i] : phases)
        line(label(txt::textout::kMaxCurrent, n, "[A]", txt::textout::kTimeNote),
             MaxCurrentText(s, static_cast<int>(i), PeakModeCsv));
    for (auto [n, i] : phases)
        line(label(txt::textout::kPeakCurrent, n, "[A]", txt::textout::kTimeNote),
             PeakCurrentText(s, static_cast<int>(i), PeakModeCsv));
}

} // namespace

bool hasReportDay(const DisplaySelection& sel) {
    return sel.isValid() && sel.dayIndex >= 0;
}

std::string csvNameField(const std::string& name) {
    const bool formulaStart =
        !name.empty() && std::strchr("=+-@\t\r", name.front()) != nullptr && name.front() != '\0';
    if (!formulaStart && name.find_first_of(",\"") == std::string::npos)
        return name;
    std::string field = "\"'";
    for (char c : name) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string csvNameLine(sjis::Text format, const std::string& name) {
    const std::string field = csvNameField(name);
    std::string line = formatText(format, field.c_str());
    // A quoted field must follow its comma directly: spreadsheets take `, "…"` as a field that
    // starts with a blank, not as a quoted one, and split it at its commas.
    if (!field.empty() && field.front() == '"') {
        const std::size_t at = line.find(", \"");
        if (at != std::string::npos)
            line.erase(at + 1, 1);
    }
    return line;
}

std::string reportFileNamePreset(const DisplaySelection& sel, const char* extension) {
    if (!hasReportDay(sel))
        return {};
    std::string name;
    if (sel.isYearly())
        name = formatText(txt::textout::kYearlyFileName, sel.customerName.c_str(),
                          sel.circuitName.c_str(), static_cast<int>(sel.year),
                          static_cast<int>(sel.displayChannel));
    else if (sel.isMonthly())
        name = formatText(txt::textout::kMonthlyFileName, sel.customerName.c_str(),
                          sel.circuitName.c_str(), static_cast<int>(sel.year),
                          static_cast<int>(sel.month), static_cast<int>(sel.displayChannel));
    else
        name = formatText(txt::textout::kDailyFileName, sel.customerName.c_str(),
                          sel.circuitName.c_str(), sel.day.date.format("%Y%m%d").c_str(),
                          static_cast<int>(sel.displayChannel));
    name += extension;
    // "日報_<customer>_<circuit>" then the date, channel and extension, kept whole when long
    // names make the name too long for a file.
    const std::size_t names =
        kKindPrefixBytes + sel.customerName.size() + 1 + sel.circuitName.size();
    // Names from an old store or another installation must not make it a path.
    return fitFileName(fileNameOf(name), name.size() - std::min(names, name.size()));
}

std::string csvFileNamePreset(const DisplaySelection& sel) {
    return reportFileNamePreset(sel, txt::textout::kCsvExtension);
}

void writeReportLines(ReportLineWriter& out, const DisplaySelection& sel, int monthStartDay) {
    if (!hasReportDay(sel) || sel.isYearly())
        return;
    const bool monthly = sel.isMonthly();
    const DayData& data = sel.day.data;

    // A monthly selection refers to the document's month summary; without one, compute it.
    DaySummary computed;
    const DaySummary* summary = &data.summary;
    if (monthly) {
        if (sel.monthSummary) {
            summary = sel.monthSummary;
        } else {
            if (sel.circuit)
                computed = monthSummary(*sel.circuit, sel.year, sel.month, monthStartDay);
            summary = &computed;
        }
    }

    const bool reverse = data.hasReverse != 0;
    const bool fourWire = data.circuitType == CircuitThreePhase4Wire;
    const ReportContext c{sel,
                          *summary,
                          monthly,
                          reverse,
                          fourWire,
                          UseKilowatts(*summary),
                          UseKilovolts(*summary),
                          fourWire ? std::size_t{2} : std::size_t{1},
                          reverse ? txt::textout::kForward : "",
                          reverse ? txt::textout::kReverse : ""};

    if (monthly)
        out.WriteLine(formatText(txt::textout::kMonthlyTitle, static_cast<int>(sel.year),
                                 static_cast<int>(sel.month)));
    else
        out.WriteLine(formatText(txt::textout::kDailyTitle,
                                 sel.day.date.format(txt::textout::kDailyDate).c_str()));
    out.WriteLine(csvNameLine(txt::textout::kCustomerLine, sel.customerName));
    out.WriteLine(csvNameLine(txt::textout::kCircuitLine, sel.circuitName));
    out.WriteLine(formatText(txt::textout::kChannelLine, static_cast<int>(sel.displayChannel)));
    out.WriteLine(
        formatText(txt::textout::kCircuitTypeLine, CircuitTypeName(data.circuitType).c_str()));
    out.WriteLine(formatText(txt::textout::kRatioLine, data.ptRatio, data.ctRatio));
    out.WriteLine(formatText(txt::textout::kReactiveLine, LeadReactiveText(*summary).c_str(),
                             LagReactiveText(*summary).c_str()));
    out.WriteLine("");
    out.WriteLine(monthly ? txt::textout::kMonthlyCaption.c_str()
                          : txt::textout::kDailyCaption.c_str());
    out.WriteLine(headerLine(c));
    if (monthly)
        writeDateLines(out, c, monthWindow(sel.year, sel.month, monthStartDay));
    else
        writeSampleLines(out, c);
    out.WriteLine("");
    out.WriteLine(txt::textout::kSummaryCaption);
    writeSummaryLines(out, c);
}

bool WriteReportCsv(const std::filesystem::path& path, const DisplaySelection& sel,
                    const CsvOutputEnv& env) {
    if (!hasReportDay(sel) || (sel.isYearly() && !env.yearLines))
        return false;
    SilentPrompt silent;
    Prompt& prompt = env.prompt ? *env.prompt : silent;
    return runReportingFailures(
        prompt, {kCsvSourceName, __LINE__},
        [&] {
            std::unique_ptr<ReportSink> sink =
                env.open ? env.open(path) : openReportFile(path, env.retry);
            if (!sink)
                throw CxException(0, "OpenError\n%s", displayPath(path).c_str());
            ReportLineWriter out(*sink);
            if (sel.isYearly())
                env.yearLines(out, sel);
            else
                writeReportLines(out, sel, env.monthStartDay);
            sink->finish();
        },
        env.log);
}
