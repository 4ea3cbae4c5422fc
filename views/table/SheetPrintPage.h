#pragma once
#include "store/DAT_DisplaySelection.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextTable.h"
#include <memory>

struct ReportHeader;

// Number of table pages of a report: 0 without a day, 1 for a year report, 2 for a monthly
// report (table and summary), (n - 1) / 50 + 2 for a daily report of n samples (50 rows a page,
// then the summary).
int TablePageCount(const DisplaySelection* selection);

// One printed page of the table view, built anew for every page: the title tables, a caption,
// the measured table (50 samples) or on the last table page the summary table, and "%d/%d".
class SheetPrintPage {
public:
    static constexpr int RowsPerPage = 50;

    // Builds page `page` (1-based) of a job of `pageCount` pages with fonts for this device;
    // with a report header above the title tables when one is given.
    void PreparePrintPage(const DeviceContext& dc, const DisplaySelection& selection, int page,
                          int pageCount, int monthStartDay, const ReportHeader* header = nullptr);

    GridElement* root() { return m_root.get(); }
    TextTable* table() { return m_table; }
    bool isSummaryPage() const { return m_summaryPage; }

private:
    void buildSummary(TextTable& table, const DisplaySelection& selection, const FontSpec& seed);

    std::unique_ptr<GridElement> m_root;
    TextTable* m_table = nullptr;
    bool m_summaryPage = false;
};
