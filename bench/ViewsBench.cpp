// What a new selection costs on screen: hint 101 (refill and place the page) up to the end of
// the paint of the table and the graph view, against the paint of the same page alone, for a
// day of 1440 one-minute samples and for a month of 31 days. The views are 1024 x 612 pixels,
// the size they have in the main window at its default size.
#include "app/gui/UpdateHints.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "bench/QtBenchMain.h"
#include "store/Aggregation.h"
#include "tools/reportgen/ReportGenerator.h"
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Report {
    MeasurementCircuit circuit;
    DaySummary monthSummary;
    DisplaySelection selection;

    Report(int days, int interval) {
        ReportGenOptions o;
        o.firstDay = DateTime::make(2024, 5, 1);
        o.days = days;
        o.intervalMinutes = interval;
        o.circuitType1 = CircuitThreePhase4Wire;
        o.reverse = true;
        o.outages = false;
        ReportGenerator generator(o);
        generator.generate();
        circuit = generator.expectedDays();
        selection.customerIndex = selection.circuitIndex = selection.dayIndex = 0;
        selection.customerName = "Bench";
        selection.circuitName = "Circuit";
        selection.day = circuit.days.at(0);
        selection.circuit = &circuit;
        if (days > 1) {
            selection.year = 2024;
            selection.month = 5;
            monthSummary = ::monthSummary(circuit, 2024, 5, 1);
            selection.monthSummary = &monthSummary;
        }
    }
};

template <typename View> std::unique_ptr<View> shownView(const Report& report) {
    auto view = std::make_unique<View>(nullptr);
    view->resize(1024, 612);
    view->show();
    view->onUpdate(nullptr, hint::Select, &report.selection);
    QApplication::processEvents();
    return view;
}

template <typename View> void hintToPaint(benchmark::State& state, int days, int interval) {
    const Report report(days, interval);
    auto view = shownView<View>(report);
    for (auto _ : state) {
        view->onUpdate(nullptr, hint::Select, &report.selection);
        view->repaint();
    }
}

template <typename View> void paintOnly(benchmark::State& state, int days, int interval) {
    const Report report(days, interval);
    auto view = shownView<View>(report);
    for (auto _ : state)
        view->repaint();
}

void BM_SheetDay1440_HintToPaint(benchmark::State& s) {
    hintToPaint<CViewSheet>(s, 1, 1);
}
void BM_SheetDay1440_PaintOnly(benchmark::State& s) {
    paintOnly<CViewSheet>(s, 1, 1);
}
void BM_GraphDay1440_HintToPaint(benchmark::State& s) {
    hintToPaint<CViewGraph>(s, 1, 1);
}
void BM_GraphDay1440_PaintOnly(benchmark::State& s) {
    paintOnly<CViewGraph>(s, 1, 1);
}
void BM_SheetMonth_HintToPaint(benchmark::State& s) {
    hintToPaint<CViewSheet>(s, 31, 30);
}
void BM_SheetMonth_PaintOnly(benchmark::State& s) {
    paintOnly<CViewSheet>(s, 31, 30);
}
void BM_GraphMonth_HintToPaint(benchmark::State& s) {
    hintToPaint<CViewGraph>(s, 31, 30);
}
void BM_GraphMonth_PaintOnly(benchmark::State& s) {
    paintOnly<CViewGraph>(s, 31, 30);
}

BENCHMARK(BM_SheetDay1440_HintToPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetDay1440_PaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphDay1440_HintToPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphDay1440_PaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetMonth_HintToPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetMonth_PaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphMonth_HintToPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphMonth_PaintOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks<QApplication>(argc, argv);
}
