#pragma once
#include "analysis/YearReport.h"
#include "store/DAT_DisplaySelection.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextBox.h"
#include "views/layout/TextTable.h"
#include <memory>
#include <string>

// The table of a year report (年報), on screen and as its printed page: the title tables, the
// caption and the table of the twelve report months with the year's row; on paper the page
// number under it.
class YearSheet {
public:
    static constexpr int Rows = 14; // heading, twelve months, the year

    // Builds the layout with fonts for this device context; a printed page is numbered
    // "page/pageCount".
    YearSheet(const DeviceContext& dc, bool printing, int page = 1, int pageCount = 1);

    // Fills every text for the year selection and its figures.
    void fill(const DisplaySelection& selection, const YearReport& report);

    GridElement& root() { return *m_root; }
    TextTable& titleTable() { return *m_title; }
    TextTable& detailTable() { return *m_detail; }
    TextTable& table() { return *m_table; }
    // The table as tab-separated lines.
    std::string copyText() const;

private:
    std::unique_ptr<GridElement> m_root;
    TextTable* m_title = nullptr;
    TextTable* m_detail = nullptr;
    TextTable* m_table = nullptr;
};
