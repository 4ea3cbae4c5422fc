#include "textout/ReportWorkbook.h"

#include "store/MonthWindow.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/FailureReport.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OpenedFile.h"
#include "support/Prompt.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "textout/StringSink.h"
#include "textout/TextoutTexts.h"
#include "textout/XlsxBook.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The sheet takes the lines the CSV report is made of, so both carry the same labels and the
// same rounded figures (the figures of the table view); here they are split into cells.
std::vector<std::string> reportLines(const DisplaySelection& sel, int monthStartDay) {
    StringSink sink;
    ReportLineWriter out(sink);
    writeReportLines(out, sel, monthStartDay);
    std::vector<std::string> lines;
    std::string_view rest = sink.bytes();
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        lines.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return lines;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t at = line.find(", ");
        fields.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        line.remove_prefix(at + 2);
    }
}

// A field the report formatted as a number ("-12.5"; never "nan" or "inf") as that number.
bool numberOf(std::string_view field, double& value, XlsxStyle& style) {
    const std::size_t digits = field.starts_with('-') ? 1 : 0;
    if (field.size() <= digits || !std::isdigit(static_cast<unsigned char>(field[digits])))
        return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{} || end != field.data() + field.size())
        return false;
    const std::size_t point = field.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : field.size() - point - 1;
    style = decimals == 0   ? XlsxStyle::Integer
            : decimals == 1 ? XlsxStyle::OneDecimal
                            : XlsxStyle::TwoDecimals;
    return true;
}

void putField(XlsxSheet& sheet, int row, int column, std::string_view field) {
    double value = 0;
    XlsxStyle style = XlsxStyle::Text;
    if (numberOf(field, value, style))
        sheet.number(row, column, value, style);
    else if (!field.empty())
        sheet.text(row, column, field, XlsxStyle::Boxed);
}

// "[kW]" of "電力[kW] (正方向)"; empty without brackets.
std::string unitOf(std::string_view label) {
    const std::size_t open = label.find('[');
    const std::size_t close = label.find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return {};
    return std::string(label.substr(open + 1, close - open - 1));
}

// Where the measured columns are: time or date, power (and reverse power), power factor,
// then the voltages and the currents (two each, three when four-wire).
struct ColumnPlan {
    int power = 1;
    int powerCount = 1;
    int powerFactor = 2;
    int voltage = 3;
    int phases = 2;
    int current = 5;
    int columns = 7;
};

ColumnPlan planOf(const DayData& data) {
    ColumnPlan p;
    p.powerCount = data.hasReverse != 0 ? 2 : 1;
    p.powerFactor = p.power + p.powerCount;
    p.phases = data.circuitType == CircuitThreePhase4Wire ? 3 : 2;
    p.voltage = p.powerFactor + 1;
    p.current = p.voltage + p.phases;
    p.columns = p.current + p.phases;
    return p;
}

constexpr int kChartRows = 18; // rows one chart covers at its size

void addCharts(XlsxBook& book, const XlsxSheet& sheet, const ColumnPlan& plan,
               const std::vector<std::string_view>& header, int firstRow, int lastRow, bool daily) {
    const XlsxRange categories{firstRow, lastRow, 0};
    auto seriesOf = [&](int first, int count) {
        std::vector<XlsxSeries> series;
        for (int c = first; c < first + count; ++c)
            series.push_back(
                {std::string(header.at(static_cast<std::size_t>(c))), {firstRow, lastRow, c}});
        return series;
    };
    const std::string powerUnit = unitOf(header.at(static_cast<std::size_t>(plan.power)));
    const std::string voltageUnit = unitOf(header.at(static_cast<std::size_t>(plan.voltage)));
    XlsxChart charts[] = {
        {XlsxChart::Column, txt::textout::kPowerChart, powerUnit, categories,
         seriesOf(plan.power, plan.powerCount), daily, 0, 0, 0, 0},
        {XlsxChart::Line, txt::textout::kPowerFactor, "%", categories,
         seriesOf(plan.powerFactor, 1), daily, 0, 0, 0, 0},
        {XlsxChart::Line, txt::textout::kVoltage, voltageUnit, categories,
         seriesOf(plan.voltage, plan.phases), daily, 0, 0, 0, 0},
        {XlsxChart::Line, txt::textout::kCurrent, "A", categories,
         seriesOf(plan.current, plan.phases), daily, 0, 0, 0, 0},
    };
    int row = 0;
    for (XlsxChart& chart : charts) {
        chart.row = row;
        chart.column = plan.columns + 1;
        book.addChart(sheet, chart);
        row += kChartRows;
    }
}

// The title and the stamp boxes (caption above a bordered box, the last columns) in the first
// two rows, then the header's texts; the rows the title block moves down.
int placeHeader(XlsxSheet& sheet, const ReportHeader& header, const std::string& heading,
                int columns) {
    const std::vector<std::string> stamps = header.stamps();
    const int first = columns - static_cast<int>(stamps.size());
    sheet.merge(0, 0, first - 1, heading, XlsxStyle::Title);
    for (std::size_t i = 0; i < stamps.size(); ++i)
        sheet.text(0, first + static_cast<int>(i), stamps[i], XlsxStyle::Heading);
    if (!stamps.empty()) {
        sheet.height(1, 66); // about as high as a column of 12 characters is wide
        for (int c = first; c < columns; ++c)
            sheet.blank(1, c, XlsxStyle::Boxed);
    }
    const std::pair<const char*, const std::string*> lines[] = {
        {txt::textout::kInspector, &header.inspector},
        {txt::textout::kInspectorCompany, &header.company},
        {txt::textout::kCustomerAddress, &header.address},
        {txt::textout::kRemarks, &header.remarks}};
    int row = 2;
    for (const auto& [label, value] : lines) {
        sheet.merge(row, 0, 1, label, XlsxStyle::Label);
        sheet.merge(row, 2, columns - 1, *value, XlsxStyle::Boxed);
        ++row;
    }
    return row - 1;
}

std::string sheetNameOf(const DisplaySelection& sel) {
    if (sel.isMonthly())
        return formatText(txt::textout::kMonthlySheet, static_cast<int>(sel.year),
                          static_cast<int>(sel.month));
    return formatText(txt::textout::kDailySheet,
                      sel.day.date.format(txt::textout::kSheetDate).c_str());
}

// Removes its folder with what libxlsxwriter left in it.
struct PrivateFolder {
    std::string path;
    PrivateFolder() {
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "orvoview-xlsx-XXXXXX");
        if (ec || !mkdtemp(pattern.data()))
            throw FileAccessError("mkdtemp: " + std::string(std::strerror(errno)));
        path = pattern;
    }
    ~PrivateFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
};

} // namespace

std::string workbookFileNamePreset(const DisplaySelection& sel) {
    return reportFileNamePreset(sel, txt::textout::kWorkbookExtension);
}

ReportOutput workbookOutput(const DisplaySelection& selection, const WorkbookOutputEnv& env) {
    return {workbookFileNamePreset(selection), txt::textout::kWorkbookWritten,
            [&selection, env](const std::filesystem::path& path, Prompt& prompt) {
                WorkbookOutputEnv reporting = env;
                reporting.prompt = &prompt;
                return WriteReportWorkbook(path, std::span(&selection, 1), reporting);
            }};
}

void addReportSheet(XlsxBook& book, const DisplaySelection& sel, int monthStartDay,
                    const ReportHeader* reportHeader) {
    if (!hasReportDay(sel) || sel.isYearly())
        return;
    const std::vector<std::string> lines = reportLines(sel, monthStartDay);
    const bool monthly = sel.isMonthly();
    const char* caption =
        monthly ? txt::textout::kMonthlyCaption.c_str() : txt::textout::kDailyCaption.c_str();
    const auto captionAt = std::find(lines.begin() + 1, lines.end(), caption);
    if (captionAt == lines.end() || captionAt + 1 == lines.end())
        throw XlsxError("report lines without their table");
    const auto titleEnd = static_cast<std::size_t>(captionAt - lines.begin());
    const ColumnPlan plan = planOf(sel.day.data);

    XlsxSheet& sheet = book.addSheet(sheetNameOf(sel));
    sheet.width(0, 0, 8);
    sheet.width(1, plan.columns - 1, 12);

    // Title block: "日報 <date>", then label and values; the names as stored, not CSV fields.
    std::vector<std::string_view> title = fieldsOf(lines.at(0));
    std::string heading(title.at(0));
    for (std::size_t i = 1; i < title.size(); ++i)
        heading.append(" ").append(title[i]);
    const int shift = reportHeader ? placeHeader(sheet, *reportHeader, heading, plan.columns) : 0;
    if (!reportHeader)
        sheet.merge(0, 0, plan.columns - 1, heading, XlsxStyle::Title);
    int row = 2 + shift;
    for (std::size_t i = 1; i < titleEnd && !lines[i].empty(); ++i, ++row) {
        const std::vector<std::string_view> fields = fieldsOf(lines[i]);
        sheet.merge(row, 0, 1, fields.at(0), XlsxStyle::Label);
        if (i == 1 || i == 2) {
            sheet.merge(row, 2, plan.columns - 1, i == 1 ? sel.customerName : sel.circuitName,
                        XlsxStyle::Boxed);
            continue;
        }
        for (std::size_t f = 1; f < fields.size(); ++f)
            putField(sheet, row, static_cast<int>(f) + 1, fields[f]);
    }

    // The measured values: the first column as real times (daily) or dates (monthly).
    row = static_cast<int>(titleEnd) + 1 + shift;
    sheet.text(row++, 0, *captionAt, XlsxStyle::Caption);
    const std::vector<std::string_view> header = fieldsOf(*(captionAt + 1));
    for (std::size_t f = 0; f < header.size(); ++f)
        sheet.text(row, static_cast<int>(f), header[f], XlsxStyle::Heading);
    sheet.printSetup(row);
    ++row;
    const int firstRow = row;
    const int count = monthly ? monthWindow(sel.year, sel.month, monthStartDay).dayCount()
                              : sel.day.data.intervals.count();
    const MonthWindow window =
        monthly ? monthWindow(sel.year, sel.month, monthStartDay) : MonthWindow{};
    auto line = captionAt + 2;
    for (int k = 0; k < count && line != lines.end(); ++k, ++line, ++row) {
        if (monthly) {
            sheet.number(row, 0, std::floor(window.dateAt(k).value()), XlsxStyle::Date);
        } else {
            const DateTime& t = sel.day.data.intervals.at(k).time;
            sheet.number(row, 0, (t.hour() * 60 + t.minute()) / 1440.0, XlsxStyle::Time);
        }
        const std::vector<std::string_view> fields = fieldsOf(*line);
        for (std::size_t f = 1; f < fields.size(); ++f)
            putField(sheet, row, static_cast<int>(f), fields[f]);
    }
    const int lastRow = row - 1;

    // The summary: its label over two columns, then the figures and times.
    for (; line != lines.end() && line->empty(); ++line)
        ++row;
    if (line != lines.end())
        sheet.text(row++, 0, *line++, XlsxStyle::Caption);
    for (; line != lines.end(); ++line, ++row) {
        const std::vector<std::string_view> fields = fieldsOf(*line);
        sheet.merge(row, 0, 2, fields.at(0), XlsxStyle::Label);
        for (std::size_t f = 1; f < fields.size(); ++f)
            putField(sheet, row, static_cast<int>(f) + 2, fields[f]);
    }

    if (lastRow >= firstRow)
        addCharts(book, sheet, plan, header, firstRow, lastRow, !monthly);
}

void addTablesSheet(XlsxBook& book, const std::string& cp932Name,
                    std::span<const WorkbookTable> tables) {
    XlsxSheet& sheet = book.addSheet(cp932Name);
    sheet.width(0, 0, 28);
    sheet.width(1, 8, 22);
    int row = 0;
    for (const WorkbookTable& table : tables) {
        sheet.text(row++, 0, table.title, XlsxStyle::Caption);
        if (!table.header.empty()) {
            for (std::size_t c = 0; c < table.header.size(); ++c)
                sheet.text(row, static_cast<int>(c), table.header[c], XlsxStyle::Heading);
            ++row;
        }
        for (const std::vector<std::string>& cells : table.rows) {
            for (std::size_t c = 0; c < cells.size(); ++c)
                putField(sheet, row, static_cast<int>(c), cells[c]);
            ++row;
        }
        ++row;
    }
}

bool WriteReportWorkbook(const std::filesystem::path& path,
                         std::span<const DisplaySelection> reports, const WorkbookOutputEnv& env) {
    if (std::none_of(reports.begin(), reports.end(),
                     [](const DisplaySelection& s) { return hasReportDay(s); }))
        return false;
    SilentPrompt silent;
    Prompt& prompt = env.prompt ? *env.prompt : silent;
    return runReportingFailures(
        prompt, {kWorkbookSourceName, __LINE__},
        [&] {
            // libxlsxwriter writes to a name of its own choosing; it is built in a private
            // folder and then written whole through the safe writer.
            PrivateFolder folder;
            const std::string built = folder.path + "/report.xlsx";
            {
                XlsxBook book(built, folder.path);
                for (const DisplaySelection& report : reports) {
                    const std::optional<ReportHeader> header =
                        env.header.printedHeader(report.customerName, report.circuitName);
                    addReportSheet(book, report, env.monthStartDay, header ? &*header : nullptr);
                }
                if (!env.year.empty())
                    addTablesSheet(book, env.yearSheet, env.year);
                if (!env.analysis.empty())
                    addTablesSheet(book, txt::textout::kAnalysisSheet, env.analysis);
                book.close();
            }
            OpenedFile file = OpenedFile::openRead(built);
            if (!file.isOpen())
                throw FileAccessError(displayPath(built) + ": " +
                                      sjis::fromUtf8Shown(std::strerror(errno)));
            std::error_code ec;
            if (!writeFileAtomically(path, file.readAll(), ec, FileKind::Report))
                throw FileAccessError(displayPath(path) + ": " + sjis::fromUtf8Shown(ec.message()));
        },
        env.log);
}
