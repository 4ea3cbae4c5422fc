#pragma once
#include "store/DAT_DisplaySelection.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextBox.h"
#include "views/layout/TextTable.h"
#include "views/table/SheetFlags.h"
#include <memory>
#include <string>

// The report sheet as the screen shows it: two title tables, the caption and the scrolling
// measured table, the caption and the summary and peak tables. Built once, refilled for every
// selection; the window places and paints `root()`.
class SheetScreen {
public:
    // Builds the layout with fonts for this device context.
    explicit SheetScreen(const DeviceContext& dc);

    // Fills every text for the selection; false (and nothing changed) when it holds no day.
    bool fill(const DisplaySelection& selection, int monthStartDay);

    GridElement& root() { return *m_root; }
    TextTable& titleTable() { return *m_title; }
    TextTable& detailTable() { return *m_detail; }
    TextBox& measuredCaption() { return *m_measuredCaption; }
    // Beside the caption: the legend of the incomplete-day mark, empty unless a row has it.
    TextBox& incompleteLegend() { return *m_incompleteLegend; }
    TextTable& measuredTable() { return *m_measured; }
    TextTable& summaryTable() { return *m_summary; }
    TextTable& peakTable() { return *m_peak; }
    const SheetFlags& flags() const { return m_flags; }
    // What Ctrl+C copies: the title block, the measured table's shown columns and the summary
    // and peaks, as tab-separated lines.
    std::string copyText() const;

private:
    void fillSummary(const DaySummary& s);
    void fillPeaks(const DaySummary& s);

    std::unique_ptr<GridElement> m_root;
    TextTable* m_title = nullptr;
    TextTable* m_detail = nullptr;
    TextBox* m_measuredCaption = nullptr;
    TextBox* m_incompleteLegend = nullptr;
    TextTable* m_measured = nullptr;
    TextTable* m_summary = nullptr;
    TextTable* m_peak = nullptr;
    SheetFlags m_flags;
};
