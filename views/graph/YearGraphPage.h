#pragma once
#include "analysis/YearReport.h"
#include "store/DAT_DisplaySelection.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextTable.h"
#include "views/layout/TimeChart.h"
#include <memory>
#include <string>

// The graph of a year report (年報), on screen and as its printed page: the title tables and one
// chart over the twelve report months with the energy of each month as a bar, its maximum
// 30-minute demand as a line on an axis of its own and the contract demand as a level on it.
class YearGraphPage {
public:
    YearGraphPage(const DeviceContext& dc, bool printing, int page = 1, int pageCount = 1);

    void fill(const DisplaySelection& selection, const YearReport& report);

    GridElement& root() { return *m_root; }
    TimeChart& chart() { return *m_chart; }
    // The month, energy and maximum demand of every month with days, tab-separated.
    std::string copyText() const;

private:
    std::unique_ptr<GridElement> m_root;
    TextTable* m_title = nullptr;
    TextTable* m_detail = nullptr;
    TimeChart* m_chart = nullptr;
    std::string m_copyText;
};
