#include "bench/QtBenchMain.h"
#include "tests/views/layout/SamplePage.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// A graph-view-sized page: header, a 60-row table (all rows on the page) and three charts
// of 1440 points each (one day of one-minute samples), on a 1200 x 2800 image at 96 dpi.
constexpr int Width = 1200;
constexpr int Height = 2800;
constexpr int Charts = 3;
constexpr int Points = 1440;
constexpr int Rows = 60;

struct Fixture {
    QImage image{Width, Height, QImage::Format_RGB32};
    sample_page::Page page;
    Rect area;
    explicit Fixture(int charts = Charts, int rows = Rows) {
        QPainterDeviceContext dc(image);
        dc.setMapMode(MM_LOMETRIC);
        page = sample_page::build(dc, charts, Points, rows, rows);
        area = dc.toLogical(Rect{0, 0, Width, Height});
    }
};

void placeAndPaint(benchmark::State& state, Fixture& f) {
    for (auto _ : state) {
        f.image.fill(Qt::white);
        QPainter painter(&f.image);
        QPainterDeviceContext dc(painter);
        page_render::place(*f.page.root, nullptr, dc, MM_LOMETRIC, f.area);
        page_render::paint(*f.page.root, nullptr, dc);
    }
}

// The page of the goal: three 1440-point charts and a 60-row table.
void BM_PlaceAndPaint(benchmark::State& state) {
    Fixture f;
    placeAndPaint(state, f);
}
BENCHMARK(BM_PlaceAndPaint)->Unit(benchmark::kMillisecond);

// Where the time goes: (charts, table rows).
void BM_PlaceAndPaintParts(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    placeAndPaint(state, f);
}
BENCHMARK(BM_PlaceAndPaintParts)
    ->Args({0, 2})
    ->Args({0, 60})
    ->Args({3, 2})
    ->Unit(benchmark::kMillisecond);

void BM_PaintOnly(benchmark::State& state) {
    Fixture f;
    {
        QPainterDeviceContext dc(f.image);
        page_render::place(*f.page.root, nullptr, dc, MM_LOMETRIC, f.area);
    }
    for (auto _ : state) {
        f.image.fill(Qt::white);
        QPainter painter(&f.image);
        QPainterDeviceContext dc(painter);
        dc.setMapMode(MM_LOMETRIC);
        page_render::paint(*f.page.root, nullptr, dc);
    }
}
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond);

void BM_PlaceOnly(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        QPainterDeviceContext dc(f.image);
        page_render::place(*f.page.root, nullptr, dc, MM_LOMETRIC, f.area);
    }
}
BENCHMARK(BM_PlaceOnly)->Unit(benchmark::kMillisecond);

// The engine alone, without pixels: place and paint into the recording back end.
void BM_PlaceAndPaintRecording(benchmark::State& state) {
    RecordingDeviceContext rec({0, 0, Width, Height}, 96.0, 96.0);
    rec.setMapMode(MM_LOMETRIC);
    sample_page::Page page = sample_page::build(rec, Charts, Points, Rows, Rows);
    const Rect area = rec.toLogical(Rect{0, 0, Width, Height});
    for (auto _ : state) {
        rec.clear();
        page_render::place(*page.root, nullptr, rec, MM_LOMETRIC, area);
        page_render::paint(*page.root, nullptr, rec);
    }
}
BENCHMARK(BM_PlaceAndPaintRecording)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
