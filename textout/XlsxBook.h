#pragma once
// The one door to libxlsxwriter: a workbook, its sheets, cell styles and charts. Texts come in
// as CP932 and are written as the UTF-8 the format requires. Every failure throws XlsxError.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class XlsxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a cell looks; numbers keep their value and get the display format of their style.
enum class XlsxStyle {
    Text,
    Label,      // grey, bordered: the label cells of the title block
    Boxed,      // bordered text
    Title,      // large bold
    Heading,    // bold, bordered, grey: column headings
    Caption,    // bold
    Integer,    // 0
    OneDecimal, // 0.0
    TwoDecimals,
    Time, // hh:mm, the value a fraction of a day
    Date, // m/d, the value an Excel serial day
    Count
};

// A column of cells on a sheet: rows first to last (0-based, inclusive).
struct XlsxRange {
    int firstRow = 0;
    int lastRow = 0;
    int column = 0;
};

struct XlsxSeries {
    std::string name; // CP932
    XlsxRange values;
};

struct XlsxChart {
    enum Kind { Column, Line } kind = Line;
    std::string title; // CP932
    std::string valueAxis;
    XlsxRange categories;
    std::vector<XlsxSeries> series;
    bool timeCategories = false;     // categories hold times of day (else dates)
    double minimum = 0, maximum = 0; // value axis range; equal = automatic
    int row = 0, column = 0;         // top-left cell
};

class XlsxSheet {
public:
    XlsxSheet(lxw_worksheet* sheet, std::string name, lxw_format* const* styles)
        : m_sheet(sheet), m_name(std::move(name)), m_styles(styles) {}
    void text(int row, int column, std::string_view cp932, XlsxStyle style = XlsxStyle::Text);
    void number(int row, int column, double value, XlsxStyle style);
    void width(int firstColumn, int lastColumn, double characters);
    // The height of a row in points; before any cell of the row is written.
    void height(int row, double points);
    // An empty cell that shows its style (a bordered box).
    void blank(int row, int column, XlsxStyle style);
    void merge(int row, int firstColumn, int lastColumn, std::string_view cp932, XlsxStyle style);
    // Printed on A4 landscape, one page wide, the row `headingRow` repeated on every page.
    void printSetup(int headingRow);
    const std::string& utf8Name() const { return m_name; }
    lxw_worksheet* handle() const { return m_sheet; }

private:
    lxw_worksheet* m_sheet;
    std::string m_name;
    lxw_format* const* m_styles;
};

class XlsxBook {
public:
    // Writes to `utf8Path` on close(), keeping its working files in `tempFolder`. Rows must be
    // written top down, each row before the next.
    XlsxBook(const std::string& utf8Path, const std::string& tempFolder);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    // A sheet named `cp932Name` (at most 31 characters, none of []:*?/\, unique).
    XlsxSheet& addSheet(std::string_view cp932Name);
    void addChart(const XlsxSheet& sheet, const XlsxChart& chart);
    // Writes the file; the book is spent afterwards.
    void close();

private:
    lxw_workbook* m_book;
    lxw_format* m_styles[static_cast<int>(XlsxStyle::Count)] = {};
    std::vector<std::unique_ptr<XlsxSheet>> m_sheets;
};
