#include "qtbench.h"

#include <benchmark/benchmark.h>

#include <QApplication>

int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  if (beforeQuit) beforeQuit();
  benchmark::Shutdown();
  return 0;
}
