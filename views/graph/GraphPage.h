#pragma once
#include "store/DAT_DisplaySelection.h"
#include "views/graph/GraphScales.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextBox.h"
#include "views/layout/TextTable.h"
#include "views/layout/TimeChart.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The graph page of a report: two header tables, the power chart and the voltage and current
// charts (side by side on screen, one under the other on paper with the page number).
class GraphPage {
public:
    enum ChartKind : int { PowerChart = 1, VoltageChart = 2, CurrentChart = 3 };

    // What a chart was filled from, handed to extensions.
    struct FillContext {
        const DisplaySelection* selection = nullptr;
        DateTime start; // minute 0 of the time axis
        bool kilowatts = false;
        bool kilovolts = false;
        bool printing = false;
    };
    // Adds curves or marks to a chart after its own curves (screen and paper alike).
    using Extension = std::function<void(ChartKind, TimeChart&, const FillContext&)>;

    GraphPage(const DeviceContext& dc, bool printing);

    // Header texts and curves for the selection; nothing changes without a valid selection.
    // `now` gives the date of the one-hour chart of a day without samples; a printed page is
    // numbered "page/pageCount" (an analysis page may follow it).
    void fill(const DisplaySelection& selection, const GraphScales& scales, int monthStartDay,
              const DateTime& now, int page = 0, int pageCount = 0);
    void addExtension(Extension extension) { m_extensions.push_back(std::move(extension)); }

    bool isPrinting() const { return m_printing; }
    GridElement& root() { return *m_root; }
    TextTable& titleTable() { return *m_title; }
    TextTable& detailTable() { return *m_detail; }
    // The time axis of a report: a day from its first to its last sample (an empty day: one
    // hour from today's midnight), a month 30 days from its start day.
    static TimeAxis timeAxisFor(const DisplaySelection& selection, int monthStartDay,
                                const DateTime& now);

    TimeChart& chart(ChartKind kind);
    const TimeChart& chart(ChartKind kind) const;
    TextBox* pageNumberBox() { return m_pageNumber; }
    // The chart whose rectangle holds the logical point, or nullptr.
    TimeChart* chartAt(Point logical);
    // Time and values of the sample nearest to the logical x in that chart; "" when none.
    std::string valuesAt(const TimeChart& chart, int32_t logicalX) const;
    // Every curve of the three charts as tab-separated columns, one line per time.
    std::string copyText() const;

private:
    std::string timeText(int32_t minutes) const;

    bool m_printing;
    std::unique_ptr<GridElement> m_root;
    TextTable* m_title = nullptr;
    TextTable* m_detail = nullptr;
    TimeChart* m_power = nullptr;
    TimeChart* m_voltage = nullptr;
    TimeChart* m_current = nullptr;
    TextBox* m_pageNumber = nullptr;
    FillContext m_context;
    bool m_monthly = false;
    std::vector<Extension> m_extensions;
};
