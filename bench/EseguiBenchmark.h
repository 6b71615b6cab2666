#pragma once
#include <QApplication>
#include <benchmark/benchmark.h>

// The main() of a benchmark program: the benchmarks named on the command line run inside an
// application on the offscreen platform, as the windows and reports need one.
inline int eseguiBenchmark(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
