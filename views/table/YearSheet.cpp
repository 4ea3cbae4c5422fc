#include "views/table/YearSheet.h"
#include "analysis/AnalysisTexts.h"
#include "analysis/YearReportText.h"
#include "support/SjisText.h"
#include "views/layout/LayoutTexts.h"
#include "views/table/CaptionRow.h"
#include "views/table/PrintPageFrame.h"
#include "views/table/TableStyle.h"
#include "views/table/TitleTables.h"

using namespace table_style;

namespace {

constexpr uint32_t Centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr uint32_t RightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
// The widest texts of the heading and the figures, to which their fonts are fitted.
constexpr auto kFitFigure = sjis::text(u8"12/31 23:30～24:00");

void setUpTable(TextTable& t, const FontSpec& seed) {
    t.setup(kYearColumns, YearSheet::Rows, -1, -1, kYearColumns, YearSheet::Rows);
    const double weights[kYearColumns] = {5, 10, 9, 9, 8, 8, 10, 16, 7, 7, 7, 6};
    for (int c = 0; c < kYearColumns; ++c)
        t.grid().setWeight(c, weights[c], GridElement::Columns);
    t.setFont(seed);
    t.setFill(TextTable::Range{0, 0, -1, 0}, Black, LabelGrey);
    t.setFill(TextTable::Range{0, YearSheet::Rows - 1, -1, YearSheet::Rows - 1}, Black, LabelGrey);
    t.setEdges(TextTable::Range{}, Black, 15, false);
    t.setTextFormat(TextTable::Range{0, 0, -1, 0}, Centred);
    t.setTextFormat(TextTable::Range{0, 1, 1, -1}, Centred);
    t.setTextFormat(TextTable::Range{2, 1, -1, -1}, RightAligned);
    t.setInset(TextTable::Range{2, 1, -1, -1}, -1, -1, table_style::FigurePadding, -1);
    t.setTextFormat(TextTable::Range{7, 1, 7, -1}, Centred);
    // The heading wraps in no cell: its font fits the longest heading in its narrow column.
    t.setFitText(6, 0, txt::analysis::kYearMaxDemand);
    t.fontGroup(6, 0, TextTable::Range{0, 0, -1, 0}, true);
    t.setFitText(7, 1, kFitFigure.str());
    t.fontGroup(7, 1, TextTable::Range{0, 1, -1, -1}, true);
}

} // namespace

YearSheet::YearSheet(const DeviceContext& dc, bool printing, int page, int pageCount)
    : m_root(std::make_unique<GridElement>()) {
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    const FontSpec captionFont = FontSpec::make(dc, txt::layout::kFaceGothic, printing ? 110 : 350);
    if (printing) {
        // The table keeps the height of 14 screen rows; the rest of the page stays white.
        const int heights[] = {55, 55, 100, 14 * 70, -1, 45};
        const PrintPageFrame frame = placePrintPageFrame(*m_root, heights, seed, page, pageCount);
        m_title = frame.title;
        m_detail = frame.detail;
    } else {
        m_root->initTracks(1, 4, -1, -1, BoxElement());
        for (int r = 0; r < 3; ++r)
            m_root->setFixedSize(r, 55, GridElement::Rows);
        m_title = placeIn<TextTable>(*m_root, 0);
        m_detail = placeIn<TextTable>(*m_root, 1);
        title_tables::setUp(*m_title, *m_detail, seed, title_tables::readableOnScreen(dc));
    }
    placeCaptionRow(*m_root, 2, captionFont).caption->setText(txt::analysis::kYearCaption);
    m_table = placeIn<TextTable>(*m_root, 3);
    setUpTable(*m_table, seed);
}

void YearSheet::fill(const DisplaySelection& selection, const YearReport& report) {
    DaySummary reactive;
    for (const YearMonthRow& row : report.months) {
        reactive.leadReactiveEnergy += row.leadReactiveEnergy;
        reactive.lagReactiveEnergy += row.lagReactiveEnergy;
    }
    title_tables::fill(*m_title, *m_detail, selection, reactive, 1);
    TextTable& t = *m_table;
    auto setRow = [&t](int r, const YearRowText& texts) {
        for (int c = 0; c < kYearColumns; ++c)
            t.setText(c, r, texts[static_cast<std::size_t>(c)]);
    };
    setRow(0, yearHeadingText());
    for (int m = 0; m < 12; ++m)
        setRow(m + 1, yearMonthText(report.months[static_cast<std::size_t>(m)]));
    setRow(Rows - 1, yearTotalText(report));
    t.refreshVisibleCells();
}

std::string YearSheet::copyText() const {
    std::string out;
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < kYearColumns; ++c) {
            if (c > 0)
                out += '\t';
            out += m_table->text(c, r);
        }
        out += '\n';
    }
    return out;
}
