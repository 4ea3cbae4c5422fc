#include "views/analysis/AnalysisPrintPage.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/ReportAnalysis.h"
#include "support/Format.h"
#include "views/analysis/AnalysisTables.h"
#include "views/layout/LayoutTexts.h"
#include "views/layout/TextBox.h"
#include "views/layout/TextTable.h"
#include "views/table/PrintPageFrame.h"
#include "views/table/SheetFlags.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"
#include <algorithm>

using namespace table_style;

namespace {

// The longest text of a column, from which its font is fitted.
std::string longestOf(const AnalysisTable& t, std::size_t column) {
    std::string longest = column < t.header.size() ? t.header[column] : std::string();
    for (const auto& row : t.rows)
        if (column < row.size() && row[column].size() > longest.size())
            longest = row[column];
    return longest;
}

void fillTable(TextTable& table, const AnalysisTable& content, const FontSpec& seed, int rows) {
    const int columns = static_cast<int>(content.header.size());
    table.setup(columns, rows + 1, -1, -1, columns, rows + 1);
    if (columns == 2)
        table.grid().setWeight(0, 35, GridElement::Columns); // labels, then the wider values
    table.setFont(seed);
    for (int c = 0; c < columns; ++c)
        table.setText(c, 0, content.header[static_cast<std::size_t>(c)]);
    for (std::size_t r = 0; r < content.rows.size() && static_cast<int>(r) < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table.setText(c, static_cast<int>(r) + 1, content.rows[r][static_cast<std::size_t>(c)]);
    table.refreshVisibleCells();
    table.setFill(TextTable::Range{0, 0, -1, 0}, Black, LabelGrey);
    table.setEdges(TextTable::Range{}, Black, 15, false);
    for (int c = 0; c < columns; ++c) {
        table.setFitText(c, 0, longestOf(content, static_cast<std::size_t>(c)));
        table.fontGroup(c, 0, TextTable::Range{c, 0, c, -1}, true);
    }
}

} // namespace

void AnalysisPrintPage::build(const DeviceContext& dc, const DisplaySelection& selection,
                              const ReportAnalysis& analysis, int page, int pageCount,
                              const ReportHeader* header) {
    m_root = std::make_unique<GridElement>();
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    GridElement& root = *m_root;
    // Title, detail, then caption and table of each analysis table, and the page number; the
    // tables share what the fixed rows leave.
    const int heights[] = {55, 55, 60, -1, 60, -1, 60, -1, 60, -1, 45};
    const PrintPageFrame frame = placePrintPageFrame(root, heights, seed, page, pageCount, header);
    if (!selection.isValid())
        return;
    title_tables::fill(*frame.title, *frame.detail, selection, summaryInForce(selection),
                       analysis.window.isValid() ? analysis.window.start.day() : 1);

    const std::vector<AnalysisTable> tables =
        analysisTables(analysis, sheetFlags(selection).kilowatts, sheetFlags(selection).kilovolts);
    const FontSpec captionFont = FontSpec::make(dc, txt::layout::kFaceGothic, 90);
    const int rows[] = {14, 9, 10, 8};
    for (std::size_t i = 0; i < tables.size() && i < 4; ++i) {
        auto* caption = placeIn<TextBox>(root, 2 + 2 * static_cast<int>(i));
        caption->setFont(captionFont);
        caption->setTextFormat(CaptionFormat);
        caption->setText(tables[i].title);
        // Every row is printed: a month with many incomplete days gets a smaller font.
        fillTable(*placeIn<TextTable>(root, 3 + 2 * static_cast<int>(i)), tables[i], seed,
                  std::max(rows[i], static_cast<int>(tables[i].rows.size())));
    }
}
