#include "textout/XlsxBook.h"

#include "support/Sjis.h"

#include <xlsxwriter.h>

namespace {

void check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR)
        throw XlsxError(std::string(what) + ": " + lxw_strerror(error));
}

lxw_format* makeStyle(lxw_workbook* book, XlsxStyle style) {
    lxw_format* f = workbook_add_format(book);
    if (!f)
        throw XlsxError("workbook_add_format");
    format_set_font_name(f, "IPAGothic");
    format_set_font_size(f, 10);
    constexpr lxw_color_t kGrey = 0xD9D9D9;
    switch (style) {
    case XlsxStyle::Label:
        format_set_bg_color(f, kGrey);
        format_set_border(f, LXW_BORDER_THIN);
        break;
    case XlsxStyle::Boxed:
        format_set_border(f, LXW_BORDER_THIN);
        break;
    case XlsxStyle::Title:
        format_set_bold(f);
        format_set_font_size(f, 16);
        break;
    case XlsxStyle::Heading:
        format_set_bold(f);
        format_set_bg_color(f, kGrey);
        format_set_border(f, LXW_BORDER_THIN);
        format_set_align(f, LXW_ALIGN_CENTER);
        format_set_text_wrap(f);
        break;
    case XlsxStyle::Caption:
        format_set_bold(f);
        break;
    case XlsxStyle::Integer:
        format_set_num_format(f, "0");
        break;
    case XlsxStyle::OneDecimal:
        format_set_num_format(f, "0.0");
        break;
    case XlsxStyle::TwoDecimals:
        format_set_num_format(f, "0.00");
        break;
    case XlsxStyle::Time:
        format_set_num_format(f, "hh:mm");
        format_set_align(f, LXW_ALIGN_CENTER);
        break;
    case XlsxStyle::Date:
        format_set_num_format(f, "m/d");
        format_set_align(f, LXW_ALIGN_CENTER);
        break;
    case XlsxStyle::Text:
    case XlsxStyle::Count:
        break;
    }
    return f;
}

lxw_row_t row(int r) {
    return static_cast<lxw_row_t>(r);
}
lxw_col_t col(int c) {
    return static_cast<lxw_col_t>(c);
}

} // namespace

void XlsxSheet::text(int r, int c, std::string_view cp932, XlsxStyle style) {
    const std::string utf8 = sjis::toUtf8(cp932);
    check(worksheet_write_string(m_sheet, row(r), col(c), utf8.c_str(),
                                 m_styles[static_cast<int>(style)]),
          "worksheet_write_string");
}

void XlsxSheet::number(int r, int c, double value, XlsxStyle style) {
    check(worksheet_write_number(m_sheet, row(r), col(c), value, m_styles[static_cast<int>(style)]),
          "worksheet_write_number");
}

void XlsxSheet::width(int first, int last, double characters) {
    check(worksheet_set_column(m_sheet, col(first), col(last), characters, nullptr),
          "worksheet_set_column");
}

void XlsxSheet::height(int r, double points) {
    check(worksheet_set_row(m_sheet, row(r), points, nullptr), "worksheet_set_row");
}

void XlsxSheet::blank(int r, int c, XlsxStyle style) {
    check(worksheet_write_blank(m_sheet, row(r), col(c), m_styles[static_cast<int>(style)]),
          "worksheet_write_blank");
}

void XlsxSheet::merge(int r, int first, int last, std::string_view cp932, XlsxStyle style) {
    const std::string utf8 = sjis::toUtf8(cp932);
    check(worksheet_merge_range(m_sheet, row(r), col(first), row(r), col(last), utf8.c_str(),
                                m_styles[static_cast<int>(style)]),
          "worksheet_merge_range");
}

void XlsxSheet::printSetup(int headingRow) {
    constexpr uint8_t kA4 = 9;
    worksheet_set_paper(m_sheet, kA4);
    worksheet_set_landscape(m_sheet);
    worksheet_fit_to_pages(m_sheet, 1, 0);
    check(worksheet_repeat_rows(m_sheet, row(headingRow), row(headingRow)),
          "worksheet_repeat_rows");
}

XlsxBook::XlsxBook(const std::string& utf8Path, const std::string& tempFolder) {
    // Rows go to the temporary folder as they are finished (every sheet is written top down):
    // a month of one-minute days is held in little memory and written in far less time.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tempFolder.c_str());
    m_book = workbook_new_opt(utf8Path.c_str(), &options);
    if (!m_book)
        throw XlsxError("workbook_new");
    for (int s = 0; s < static_cast<int>(XlsxStyle::Count); ++s)
        m_styles[s] = makeStyle(m_book, static_cast<XlsxStyle>(s));
}

XlsxBook::~XlsxBook() {
    if (m_book)
        lxw_workbook_free(m_book);
}

XlsxSheet& XlsxBook::addSheet(std::string_view cp932Name) {
    std::string utf8 = sjis::toUtf8(cp932Name);
    check(workbook_validate_sheet_name(m_book, utf8.c_str()), "workbook_validate_sheet_name");
    lxw_worksheet* sheet = workbook_add_worksheet(m_book, utf8.c_str());
    if (!sheet)
        throw XlsxError("workbook_add_worksheet");
    m_sheets.push_back(std::make_unique<XlsxSheet>(sheet, std::move(utf8), m_styles));
    return *m_sheets.back();
}

void XlsxBook::addChart(const XlsxSheet& sheet, const XlsxChart& spec) {
    lxw_chart* chart = workbook_add_chart(m_book, spec.kind == XlsxChart::Column ? LXW_CHART_COLUMN
                                                                                 : LXW_CHART_LINE);
    if (!chart)
        throw XlsxError("workbook_add_chart");
    const char* name = sheet.utf8Name().c_str();
    for (const XlsxSeries& s : spec.series) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (!series)
            throw XlsxError("chart_add_series");
        const XlsxRange& c = spec.categories;
        chart_series_set_categories(series, name, row(c.firstRow), col(c.column), row(c.lastRow),
                                    col(c.column));
        const XlsxRange& v = s.values;
        chart_series_set_values(series, name, row(v.firstRow), col(v.column), row(v.lastRow),
                                col(v.column));
        chart_series_set_name(series, sjis::toUtf8(s.name).c_str());
        if (spec.kind == XlsxChart::Line) {
            lxw_chart_line line{};
            line.width = 1.0;
            chart_series_set_line(series, &line);
        }
    }
    if (spec.kind == XlsxChart::Column)
        chart_set_series_gap(chart, 0);
    chart_title_set_name(chart, sjis::toUtf8(spec.title).c_str());
    chart_axis_set_name(chart->y_axis, sjis::toUtf8(spec.valueAxis).c_str());
    if (spec.minimum < spec.maximum) {
        chart_axis_set_min(chart->y_axis, spec.minimum);
        chart_axis_set_max(chart->y_axis, spec.maximum);
    }
    chart_axis_set_num_format(chart->x_axis, spec.timeCategories ? "hh:mm" : "m/d");
    if (spec.timeCategories) {
        // One label and tick an hour at 1-minute samples.
        const int count = spec.categories.lastRow - spec.categories.firstRow + 1;
        const auto step = static_cast<uint16_t>(count > 48 ? count / 24 : 1);
        chart_axis_set_interval_unit(chart->x_axis, step);
        chart_axis_set_interval_tick(chart->x_axis, step);
    }
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options options{};
    options.x_scale = 1.6;
    options.y_scale = 1.1;
    check(worksheet_insert_chart_opt(sheet.handle(), row(spec.row), col(spec.column), chart,
                                     &options),
          "worksheet_insert_chart");
}

void XlsxBook::close() {
    lxw_workbook* book = m_book;
    m_book = nullptr;
    check(workbook_close(book), "workbook_close");
}
