#include "views/table/PrintPageFrame.h"
#include "support/Format.h"
#include "views/layout/BoxElement.h"
#include "views/layout/TextBox.h"
#include "views/table/ReportHeaderBlock.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"

using namespace table_style;

PrintPageFrame placePrintPageFrame(GridElement& root, std::span<const int> rowHeights,
                                   const FontSpec& seed, int page, int pageCount,
                                   const ReportHeader* header) {
    constexpr int kHeaderGap = 20;
    const int rows = static_cast<int>(rowHeights.size());
    root.initTracks(1, rows, -1, -1, BoxElement());
    for (int r = 0; r < rows; ++r)
        if (rowHeights[r] > 0)
            root.setFixedSize(r, rowHeights[r], GridElement::Rows);
    PrintPageFrame frame;
    if (header) {
        // The header, a gap, then the title table in the first row.
        auto* top = placeIn<GridElement>(root, 0);
        top->initTracks(1, 3, -1, -1, BoxElement());
        top->setFixedSize(0, report_header_block::kHeight, GridElement::Rows);
        top->setFixedSize(1, kHeaderGap, GridElement::Rows);
        root.setFixedSize(0, rowHeights[0] + report_header_block::kHeight + kHeaderGap,
                          GridElement::Rows);
        report_header_block::place(*placeIn<GridElement>(*top, 0), *header, seed);
        frame.title = placeIn<TextTable>(*top, 2);
    } else {
        frame.title = placeIn<TextTable>(root, 0);
    }
    frame.detail = placeIn<TextTable>(root, 1);
    title_tables::setUp(*frame.title, *frame.detail, seed);
    auto* pageNumber = placeIn<TextBox>(root, rows - 1);
    pageNumber->setFont(seed);
    pageNumber->setTextFormat(PageNumberFormat);
    pageNumber->setText(formatText(txt::table::kPageNumber, page, pageCount));
    return frame;
}
