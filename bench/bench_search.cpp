// Searching, replacing and sorting on large corpus documents wrapped at 80
// columns: find the marker from the top, with and without letter case;
// replace all of about 10,000 matches in 10 MB; sort 100,000 lines; the
// undo of each; and the memory replace all and sorting add.
#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "benchdoc.h"
#include "editor/memstream.h"

namespace {

constexpr char kWord[] = "the";  // about 194 times in each copy of the sample
constexpr char kReplacement[] = "[the]";
constexpr int kSortLines = 100000;

TPoint EndOf(const TCustomAFEdit& e) {
  const int last = e.RowCount() - 1;
  return TPoint{static_cast<int>(e.GetRow(last).size()), last};
}

void CaretToTop(TCustomAFEdit& e) {
  e.Sel().ClearRowSel();
  e.MoveCaretTo(TPoint{0, 0});
  e.Sel().AnchorPos = e.Sel().EndPos = e.CaretPos;
}

// The sample's lines repeated to kSortLines lines.
std::string SortDocument() {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  int lines = 0;
  for (std::size_t at = 0; lines < kSortLines; ++lines) {
    std::size_t end = sample.find("\r\n", at);
    if (end == std::string::npos) at = 0, end = sample.find("\r\n");
    text.append(sample, at, end + 2 - at);
    at = end + 2 < sample.size() ? end + 2 : 0;
  }
  return text;
}

void LoadSortDocument(Editor& e) {
  static const std::string text = SortDocument();
  TMemoryInStream in(text);
  e.edit.LoadFromStream(in, loWrap);
}

Editor& SortEditor() {
  static Editor e(80);
  if (e.edit.RowCount() < kSortLines) LoadSortDocument(e);
  return e;
}

void BM_FindMarkerFromTop(benchmark::State& state) {
  Editor& e = Loaded(static_cast<int>(state.range(0)));
  const int options = state.range(1) ? foIgnoreCase : 0;
  TPoint found;
  for (auto _ : state) {
    e.edit.FindText(kMarker, TPoint{0, 0}, found, options, EndOf(e.edit));
    benchmark::DoNotOptimize(found);
  }
  if (found.X < 0) state.SkipWithError("marker not found");
}
BENCHMARK(BM_FindMarkerFromTop)->ArgsProduct({{1, 10, 100}, {0, 1}})->ArgNames({"mb", "ignore_case"})
    ->Unit(benchmark::kMillisecond);

// Each replace all is undone, untimed, so that every one finds the same matches.
void BM_ReplaceAll(benchmark::State& state) {
  Editor& e = Loaded(10);
  int count = 0;
  for (auto _ : state) {
    CaretToTop(e.edit);
    count = e.edit.ReplaceAll(kWord, kReplacement, 0);
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
  state.counters["replaced"] = count;
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_UndoReplaceAll(benchmark::State& state) {
  Editor& e = Loaded(10);
  for (auto _ : state) {
    state.PauseTiming();
    CaretToTop(e.edit);
    e.edit.ReplaceAll(kWord, kReplacement, 0);
    state.ResumeTiming();
    e.edit.Undo();
  }
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond);

void BM_SortLines(benchmark::State& state) {
  Editor& e = SortEditor();
  const auto mode = static_cast<TSortMode>(state.range(0));
  for (auto _ : state) {
    e.edit.SortLines(mode, "debian");
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
  state.counters["rows"] = e.edit.RowCount();
}
BENCHMARK(BM_SortLines)->DenseRange(0, 3)->ArgName("mode")->Unit(benchmark::kMillisecond);

void BM_UndoSortLines(benchmark::State& state) {
  Editor& e = SortEditor();
  for (auto _ : state) {
    state.PauseTiming();
    e.edit.SortLines(TSortMode::Text, {});
    state.ResumeTiming();
    e.edit.Undo();
  }
}
BENCHMARK(BM_UndoSortLines)->Unit(benchmark::kMillisecond);

// Memory an operation adds, at its peak and once it is done (its undo
// records kept), in multiples of what the freshly loaded document holds.
void MeasureMemory(benchmark::State& state, const std::function<void(Editor&)>& load,
                   const std::function<void(TCustomAFEdit&)>& operation) {
  for (auto _ : state) {
    const long base = ProcStatusKb("VmRSS:");
    Editor e(80);
    load(e);
    const long before = ProcStatusKb("VmRSS:");
    ResetPeak();
    operation(e.edit);
    const double document = static_cast<double>(before - base);
    state.counters["document_mb"] = document / 1024;
    state.counters["peak_x_document"] = (ProcStatusKb("VmHWM:") - before) / document;
    state.counters["after_x_document"] = (ProcStatusKb("VmRSS:") - before) / document;
  }
}

void BM_ReplaceAllMemory(benchmark::State& state) {
  MeasureMemory(state, [](Editor& e) { e.Load(10); },
                [](TCustomAFEdit& e) { e.ReplaceAll(kWord, kReplacement, 0); });
}
BENCHMARK(BM_ReplaceAllMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SortLinesMemory(benchmark::State& state) {
  MeasureMemory(state, LoadSortDocument, [](TCustomAFEdit& e) { e.SortLines(TSortMode::Text, {}); });
}
BENCHMARK(BM_SortLinesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
