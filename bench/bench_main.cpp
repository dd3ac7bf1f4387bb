// The benchmarks' main(): a toolkit application before any benchmark runs,
// offscreen unless a platform is set, so that the graph and movie benchmarks
// can draw and the long-report benchmark can open the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "platform/qt/vector_state.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    clear_vector_upper_state();  // as the program does after the toolkit's start-up
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
