#include "views/table/ReportHeaderBlock.h"
#include "textout/TextoutTexts.h"
#include "views/layout/BoxElement.h"
#include "views/layout/TextTable.h"
#include "views/table/TableStyle.h"

namespace report_header_block {
using namespace table_style;

namespace {

constexpr int kCaptionHeight = 45;
constexpr int kBoxSide = kHeight - kCaptionHeight; // the boxes are squares
constexpr int kGap = 40;

void placeTexts(TextTable& t, const ReportHeader& h, const FontSpec& seed) {
    const std::string rows[4][2] = {{txt::textout::kInspector, h.inspector},
                                    {txt::textout::kInspectorCompany, h.company},
                                    {txt::textout::kCustomerAddress, h.address},
                                    {txt::textout::kRemarks, h.remarks}};
    t.setup(2, 4, -1, -1, 2, 4);
    t.grid().setWeight(0, 18, GridElement::Columns);
    t.setFont(seed);
    // One font for the values, small enough for the longest of them.
    std::string longest = rows[2][0];
    for (int r = 0; r < 4; ++r) {
        t.setText(0, r, rows[r][0]);
        t.setText(1, r, rows[r][1]);
        if (rows[r][1].size() > longest.size())
            longest = rows[r][1];
    }
    t.refreshVisibleCells();
    t.setFill(TextTable::Range{0, 0, 0, -1}, Black, LabelGrey);
    t.setEdges(TextTable::Range{}, Black, 15, false);
    t.setTextFormat(TextTable::Range{1, 0, 1, -1}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    t.setFitText(0, 0, txt::textout::kCustomerAddress);
    t.fontGroup(0, 0, TextTable::Range{0, 0, 0, -1}, true);
    t.setFitText(1, 0, longest);
    t.fontGroup(1, 0, TextTable::Range{1, 0, 1, -1}, true);
}

void placeStamps(TextTable& t, const std::vector<std::string>& captions, const FontSpec& seed) {
    const int n = static_cast<int>(captions.size());
    t.setup(n, 2, -1, -1, n, 2);
    t.grid().setFixedSize(0, kCaptionHeight, GridElement::Rows);
    t.setFont(seed);
    for (int c = 0; c < n; ++c)
        t.setText(c, 0, captions[static_cast<std::size_t>(c)]);
    t.refreshVisibleCells();
    t.setFill(TextTable::Range{0, 0, -1, 0}, Black, LabelGrey);
    t.setEdges(TextTable::Range{}, Black, 15, false);
    t.setFitText(0, 0, txt::textout::kCustomerAddress);
    t.fontGroup(0, 0, TextTable::Range{0, 0, -1, 0}, true);
}

} // namespace

void place(GridElement& cell, const ReportHeader& header, const FontSpec& seed) {
    const std::vector<std::string> stamps = header.stamps();
    const int boxes = static_cast<int>(stamps.size());
    cell.initTracks(3, 1, -1, -1, BoxElement());
    cell.setFixedSize(1, boxes > 0 ? kGap : 0, GridElement::Columns);
    cell.setFixedSize(2, boxes * kBoxSide, GridElement::Columns);
    placeTexts(*static_cast<TextTable*>(cell.setContent(0, 0, TextTable())), header, seed);
    if (boxes > 0)
        placeStamps(*static_cast<TextTable*>(cell.setContent(2, 0, TextTable())), stamps, seed);
}

} // namespace report_header_block
