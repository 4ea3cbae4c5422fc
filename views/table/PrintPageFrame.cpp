#include "views/table/PrintPageFrame.h"
#include "support/Format.h"
#include "views/layout/TextBox.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"

using namespace table_style;

PrintPageFrame placePrintPageFrame(GridElement& root, std::span<const int> rowHeights,
                                   const FontSpec& seed, int page, int pageCount) {
    const int rows = static_cast<int>(rowHeights.size());
    root.initTracks(1, rows, -1, -1, BoxElement());
    for (int r = 0; r < rows; ++r)
        if (rowHeights[r] > 0)
            root.setFixedSize(r, rowHeights[r], GridElement::Rows);
    PrintPageFrame frame{placeIn<TextTable>(root, 0), placeIn<TextTable>(root, 1)};
    title_tables::setUp(*frame.title, *frame.detail, seed);
    auto* pageNumber = placeIn<TextBox>(root, rows - 1);
    pageNumber->setFont(seed);
    pageNumber->setTextFormat(PageNumberFormat);
    pageNumber->setText(formatText(txt::table::kPageNumber, page, pageCount));
    return frame;
}
