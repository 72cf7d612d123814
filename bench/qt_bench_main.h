// The entry point of a benchmark that needs widgets: an application on the offscreen
// platform unless the caller chose one, then the registered benchmarks.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

#define KV_QT_BENCHMARK_MAIN()                                                                 \
    int main(int argc, char** argv)                                                            \
    {                                                                                          \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication app(argc, argv);                                                          \
        benchmark::Initialize(&argc, argv);                                                    \
        benchmark::RunSpecifiedBenchmarks();                                                   \
        benchmark::Shutdown();                                                                 \
        return 0;                                                                              \
    }
