// The editor control on large real Japanese documents (1, 10 and 100 MB of
// the corpus sample repeated, CR LF, with a marker line 50 lines from the
// end): loading with wrapping, saving, typing, Enter and deleting in the
// middle, re-wrapping everything, and the memory a load takes.
#include <benchmark/benchmark.h>

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
