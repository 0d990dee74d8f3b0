// The editor control on large real Japanese documents (1, 10 and 100 MB of
// the corpus sample repeated, CR LF, with a marker line 50 lines from the
// end): loading with wrapping, saving, typing, Enter and deleting in the
// middle (also each keystroke's own time, as a user types), a caret jump
// over the whole document with a selection, searching, re-wrapping
// everything, and the memory a load takes.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "benchdoc.h"

namespace {

void BM_LoadWrapped(benchmark::State& state) {
  const int mb = static_cast<int>(state.range(0)), width = static_cast<int>(state.range(1));
  DocumentPath(mb);
  long rows = 0;
  for (auto _ : state) {
    Editor e(width);
    e.Load(mb);
    rows = e.edit.RowCount();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetBytesProcessed(state.iterations() * (static_cast<int64_t>(mb) << 20));
}
BENCHMARK(BM_LoadWrapped)->Args({1, 80})->Args({10, 80})->Args({100, 80})->Args({100, 60})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

// Resident memory after loading 100 MB, in multiples of the file size; the
// process holds nothing else of size.
void BM_ResidentAfterLoad(benchmark::State& state) {
  const int mb = static_cast<int>(state.range(0));
  DocumentPath(mb);
  const long before = ProcStatusKb("VmRSS:");
  double residentRatio = 0, peakRatio = 0;
  for (auto _ : state) {
    Editor e(80);
    e.Load(mb);
    const double fileKb = static_cast<double>(mb) * 1024;
    residentRatio = (ProcStatusKb("VmRSS:") - before) / fileKb;
    peakRatio = ProcStatusKb("VmHWM:") / fileKb;
  }
  state.counters["resident_x_file"] = residentRatio;
  state.counters["peak_x_file"] = peakRatio;
}
BENCHMARK(BM_ResidentAfterLoad)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

void PutCaretInTheMiddle(Editor& e) {
  e.edit.Sel().ClearRowSel();
  e.edit.MoveCaretTo(TPoint{10, e.edit.RowCount() / 2});
  e.edit.Sel().AnchorPos = e.edit.Sel().EndPos = e.edit.CaretPos;
}

// Each keystroke is undone (untimed), so that every one lands in the same
// paragraph of ordinary length and the history stays small.
void TypeInTheMiddle(benchmark::State& state, const char* text) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  PutCaretInTheMiddle(e);
  for (auto _ : state) {
    e.edit.InsertText(text);
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
}

void BM_TypeCharInTheMiddle(benchmark::State& state) { TypeInTheMiddle(state, "a"); }
BENCHMARK(BM_TypeCharInTheMiddle)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_EnterInTheMiddle(benchmark::State& state) { TypeInTheMiddle(state, "\r"); }
BENCHMARK(BM_EnterInTheMiddle)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// The time one action takes, on the wall clock and as this thread's CPU
// time: on a shared machine the wall clock also counts the time the thread
// waited for a core.
class TActionTimes {
 public:
  template <typename F>
  void Time(F&& action) {
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = ThreadCpuMs();
    action();
    cpu_.push_back(ThreadCpuMs() - cpu);
    const auto elapsed = std::chrono::steady_clock::now() - wall;
    wall_.push_back(std::chrono::duration<double, std::milli>(elapsed).count());
  }

  void Report(benchmark::State& state) {
    Report(state, "", wall_);
    Report(state, "cpu_", cpu_);
  }

 private:
  static double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
  static void Report(benchmark::State& state, const std::string& prefix, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters[prefix + "median_ms"] = ms[ms.size() / 2];
    state.counters[prefix + "p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    state.counters[prefix + "max_ms"] = ms.back();
  }

  std::vector<double> wall_, cpu_;
};

// 200 keystrokes one after another in the middle of a freshly loaded
// 100 MB document, as the widget passes a key on (key down, then the
// character), each timed on its own.
void TypeKeystrokes(benchmark::State& state, int vk, char ch) {
  TActionTimes times;
  for (auto _ : state) {
    state.PauseTiming();
    auto e = std::make_unique<Editor>(80);
    e->Load(100);
    const int middle = e->edit.RowCount() / 2;
    e->edit.SetTopRow(middle - 10);
    e->edit.MoveCaretTo(TPoint{10, middle});
    state.ResumeTiming();
    for (int i = 0; i < 200; ++i) {
      times.Time([&] {
        e->edit.WMKeyDown(vk, 0);
        e->edit.WMChar(ch);
        e->edit.WMKeyUp(vk);
      });
    }
    state.PauseTiming();
    e.reset();
    state.ResumeTiming();
  }
  times.Report(state);
}

void BM_EachTypedCharacter(benchmark::State& state) { TypeKeystrokes(state, 'A', 'a'); }
BENCHMARK(BM_EachTypedCharacter)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_EachEnter(benchmark::State& state) { TypeKeystrokes(state, VK_RETURN, '\r'); }
BENCHMARK(BM_EachEnter)->Unit(benchmark::kMillisecond)->Iterations(1);

// Shift+Ctrl+Home from the end of the 100 MB document and Shift+Ctrl+End
// back, each selecting the whole text, timed on its own.
void BM_CaretJumpSelecting(benchmark::State& state) {
  Editor& e = Loaded(100);
  e.host.keysDown = {VK_SHIFT, VK_CONTROL};
  TActionTimes times;
  for (auto _ : state) {
    for (int vk : {VK_END, VK_HOME}) times.Time([&] { e.edit.WMKeyDown(vk, 0); });
  }
  e.host.keysDown.clear();
  e.edit.WMChar(27);  // Esc: the shared editor is left without a selection
  times.Report(state);
}
BENCHMARK(BM_CaretJumpSelecting)->Unit(benchmark::kMillisecond)->Iterations(20);

// Each deletion is undone (untimed), so every one deletes the same rows.
void BM_DeleteThousandRows(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const int top = e.edit.RowCount() / 3;
    e.edit.Sel().AnchorPos = TPoint{3, top};
    e.edit.Sel().EndPos = TPoint{3, top + 1000};
    e.edit.DeleteSelection();
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteThousandRows)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ofstream out("/dev/null", std::ios::binary);
    e.edit.SaveToStream(out, 0);
  }
  state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}
BENCHMARK(BM_Save)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Re-wrapping everything after the width changed, alternating 80 and 60.
void BM_ReformatAll(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  int width = 80;
  for (auto _ : state) {
    width = width == 80 ? 60 : 80;
    e.edit.SetDefWrapPos(width);
    e.edit.ReformatAll();
  }
}
BENCHMARK(BM_ReformatAll)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(2);

// The caret's line and column in the file, as the status bar asks for them
// at every caret move: at rows all over the document, and at the caret
// after each keystroke (typed and undone untimed), which changes the rows
// the answer is counted from.
void BM_FilePosAtRandomRows(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  std::mt19937 rng(1);
  std::vector<TPoint> places(4096);
  for (TPoint& p : places) p = TPoint{std::uniform_int_distribution<int>(0, 60)(rng),
                                      std::uniform_int_distribution<int>(0, e.edit.RowCount() - 1)(rng)};
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(e.edit.FilePosOf(places[next]));
    next = (next + 1) % places.size();
  }
}
BENCHMARK(BM_FilePosAtRandomRows)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_FilePosAfterTyping(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  PutCaretInTheMiddle(e);
  for (auto _ : state) {
    state.PauseTiming();
    e.edit.InsertText("a");
    state.ResumeTiming();
    benchmark::DoNotOptimize(e.edit.FilePosOf(e.edit.CaretPos));
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FilePosAfterTyping)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
