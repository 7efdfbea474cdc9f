// The main() of the benchmarks that need a Qt application (windows are drawn offscreen unless
// QT_QPA_PLATFORM says otherwise).
#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
