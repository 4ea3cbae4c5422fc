#pragma once
// main() of a benchmark that needs Qt: the offscreen platform unless one is chosen, and the
// Japanese font substitutes the views use.
#include "views/layout/gui/JapaneseFonts.h"
#include <QByteArray>
#include <benchmark/benchmark.h>

template <class Application> int runQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    installJapaneseFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
