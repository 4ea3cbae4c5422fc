#pragma once
// The analysis page printed after the graph page when the user chose it: the report's title
// tables and the four analysis tables, with the page number.
#include "store/DAT_DisplaySelection.h"
#include "views/layout/GridElement.h"
#include <memory>

class DeviceContext;
struct ReportAnalysis;
struct ReportHeader;

class AnalysisPrintPage {
public:
    // Builds the page of the selection, with its analysis (made by the caller, who may keep
    // the days' results), as page `page` of `pageCount`; with a report header above the title
    // tables when one is given.
    void build(const DeviceContext& dc, const DisplaySelection& selection,
               const ReportAnalysis& analysis, int page, int pageCount,
               const ReportHeader* header = nullptr);
    // Null before the first build.
    GridElement* root() { return m_root.get(); }

private:
    std::unique_ptr<GridElement> m_root;
};
