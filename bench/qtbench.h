// Runs the benchmarks of a program that needs a QApplication. Without a
// display they run on the offscreen platform.
#pragma once

#include <functional>

// `beforeQuit` runs after the benchmarks while the application still
// exists: state they keep between runs that holds Qt objects goes there.
int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit = {});
