// What a day change costs with the 分析 view shown: the document selects the next day (or report
// month) of a circuit holding a year of 1-minute data, every view hears hint 101 (the table and
// graph views exist but are hidden, as in the main window), and the analysis view is painted.
// The cold case selects a circuit the views have not seen since the store was replaced; the
// paint of the view alone is the baseline.
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/ViewAnalysis.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "bench/QtBenchMain.h"
#include "store/DAT_Store.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

const DateTime kFirst = DateTime::make(2023, 1, 1);

// One customer, one four-wire circuit, 365 days of 1440 samples.
MeasurementStore yearOfMinutes() {
    MeasurementStore store;
    Customer& customer = store.at(store.insert("Bench customer"));
    MeasurementCircuit& circuit = customer.circuits.at(customer.circuits.insert("Circuit"));
    for (int d = 0; d < 365; ++d) {
        MeasurementDay day;
        day.date = kFirst.addDays(d);
        day.data.setHeader(CircuitThreePhase4Wire, 1.0, 1.0);
        for (int m = 1; m <= 1440; ++m) {
            IntervalSample s;
            s.time = day.date.addMinutes(m);
            s.power = 3000.0 + 2000.0 * std::sin(m / 229.0) + (d % 7) * 100.0;
            s.powerFactor = 80.0 + (m % 20);
            s.voltage = {101.0 + (m % 5) * 0.5, 101.5, 102.0};
            s.current = {20.0, 21.0, 22.0};
            day.data.addOrReplaceSample(s);
        }
        circuit.addOrReplaceDay(std::move(day));
    }
    return store;
}

struct Window {
    COrvoViewDoc document;
    CViewSheet sheet{&document};
    CViewGraph graph{&document};
    CViewAnalysis analysis{&document};
    MeasurementStore original = yearOfMinutes();

    Window() {
        graph.addExtension(analysis.graphExtension());
        document.replaceStore(original);
        analysis.resize(1024, 612);
        analysis.show();
        QApplication::processEvents();
    }
    const MeasurementCircuit& circuit() const { return document.store().at(0).circuits.at(0); }
    // The i-th day of December, or the i-th report month of the year with its first day.
    SelectionTuple day(int i) const {
        return {0, 0, circuit().findDay(DateTime::make(2023, 12, 1 + i % 31)), -1, -1};
    }
    SelectionTuple month(int i) const {
        const int m = 1 + i % 12;
        return {0, 0, circuit().findDay(DateTime::make(2023, m, 1)), 2023, m};
    }
};

void dayChange(benchmark::State& state, bool monthly) {
    Window w;
    int i = 0;
    for (auto _ : state) {
        ++i;
        w.document.select(monthly ? w.month(i) : w.day(i), 1);
        w.analysis.repaint();
    }
}

// The paint of the same view for a selection already made: the part of a change no cache saves.
void paintOnly(benchmark::State& state, bool monthly) {
    Window w;
    w.document.select(monthly ? w.month(0) : w.day(0), 1);
    for (auto _ : state)
        w.analysis.repaint();
}

// Every selection follows a replaced store: nothing computed before may be used.
void firstSelection(benchmark::State& state, bool monthly) {
    Window w;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.document.clearSelection();
        w.document.replaceStore(w.original);
        state.ResumeTiming();
        ++i;
        w.document.select(monthly ? w.month(i) : w.day(i), 1);
        w.analysis.repaint();
    }
}

void BM_AnalysisViewDayChange(benchmark::State& s) {
    dayChange(s, false);
}
void BM_AnalysisViewMonthChange(benchmark::State& s) {
    dayChange(s, true);
}
void BM_AnalysisViewDayPaintOnly(benchmark::State& s) {
    paintOnly(s, false);
}
void BM_AnalysisViewMonthPaintOnly(benchmark::State& s) {
    paintOnly(s, true);
}
void BM_AnalysisViewFirstDay(benchmark::State& s) {
    firstSelection(s, false);
}
void BM_AnalysisViewFirstMonth(benchmark::State& s) {
    firstSelection(s, true);
}

BENCHMARK(BM_AnalysisViewDayChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisViewMonthChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisViewDayPaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisViewMonthPaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisViewFirstDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisViewFirstMonth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks<QApplication>(argc, argv);
}
