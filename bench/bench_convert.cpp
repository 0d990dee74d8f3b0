// The conversion tools on a control with the main window's options (no
// soft wrapping): every character-kind and separator conversion of a 10 MB
// selection and its undo, and numbering 100,000 rows and undoing every row.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/convtable.h"
#include "app/linehead.h"
#include "app/selectionedit.h"
#include "editor/afedit.h"
#include "editor/memstream.h"
#include "fakehost.h"

namespace {

// The corpus sample repeated to about `megabytes` MB.
std::string Document(int megabytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
  text.reserve(size + sample.size());
  while (text.size() < size) text += sample;
  return text;
}

struct Editor {
  FakeEditHost host;
  TCustomAFEdit edit{host};
  explicit Editor(std::string_view text) {
    host.canvas.record = false;
    edit.WMSize(800, 600);
    edit.SetOptions({TAFEditOption::aoAutoIndent, TAFEditOption::aoAutoJpnIndent, TAFEditOption::aoWordWrap,
                     TAFEditOption::aoJpnBanBreak});
    edit.Loaded();
    TMemoryInStream in(text);
    edit.LoadFromStream(in, 0);
  }
  void SelectAll() {
    edit.CaretPos = TPoint{0, 0};
    edit.SelectAll();
  }
};

Editor& TenMegabytes() {
  static const std::unique_ptr<Editor> editor = std::make_unique<Editor>(Document(10));
  return *editor;
}

const TConversion& Conversion(const char* id) {
  for (const TConversion& c : kConversions) {
    if (std::string_view(c.Id) == id) return c;
  }
  std::abort();
}

void Convert(Editor& e, const TConversion& conversion) {
  ReplaceSelection(e.edit, conversion.Convert(SelectedBytes(e.edit)).Text);
}

// Everything selected and converted; the undo that follows is not timed.
void BM_ConvertSelection(benchmark::State& state, const char* id) {
  Editor& e = TenMegabytes();
  const TConversion& conversion = Conversion(id);
  for (auto _ : state) {
    state.PauseTiming();
    e.SelectAll();
    state.ResumeTiming();
    Convert(e, conversion);
    state.PauseTiming();
    e.edit.Undo();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * (10ll << 20));
}

// The undo alone.
void BM_UndoConversion(benchmark::State& state, const char* id) {
  Editor& e = TenMegabytes();
  const TConversion& conversion = Conversion(id);
  for (auto _ : state) {
    state.PauseTiming();
    e.SelectAll();
    Convert(e, conversion);
    state.ResumeTiming();
    e.edit.Undo();
  }
}

#define CONVERSION_BENCHMARKS(id)                                                                         \
  BENCHMARK_CAPTURE(BM_ConvertSelection, id, #id)->Unit(benchmark::kMillisecond)->Iterations(2); \
  BENCHMARK_CAPTURE(BM_UndoConversion, id, #id)->Unit(benchmark::kMillisecond)->Iterations(2)

CONVERSION_BENCHMARKS(N116Click);
CONVERSION_BENCHMARKS(N117Click);
CONVERSION_BENCHMARKS(N120Click);
CONVERSION_BENCHMARKS(N121Click);
CONVERSION_BENCHMARKS(N123Click);
CONVERSION_BENCHMARKS(N124Click);
CONVERSION_BENCHMARKS(ei_hanClick);
CONVERSION_BENCHMARKS(tabtospClick);
CONVERSION_BENCHMARKS(sptotabClick);
CONVERSION_BENCHMARKS(sptokanmaClick);
CONVERSION_BENCHMARKS(kanmatospClick);
CONVERSION_BENCHMARKS(delzenspClick);

constexpr int kNumberedRows = 100'000;

std::string ShortLines() {
  std::string text;
  for (int i = 0; i < kNumberedRows; ++i) text += "\x8D\x80\x96\xDA item\r\n";  // 項目
  return text;
}

// A fresh document each time, made and freed outside the timing.
void BM_NumberRows(benchmark::State& state) {
  const std::string text = ShortLines();
  std::unique_ptr<Editor> e;
  for (auto _ : state) {
    state.PauseTiming();
    e = std::make_unique<Editor>(text);
    state.ResumeTiming();
    NumberRows(e->edit, TRowRange{0, kNumberedRows - 1}, SplitNumbering("(1) "), 1);
  }
}
BENCHMARK(BM_NumberRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every row's step undone, one after another.
void BM_UndoNumberRows(benchmark::State& state) {
  const std::string text = ShortLines();
  std::unique_ptr<Editor> e;
  for (auto _ : state) {
    state.PauseTiming();
    e = std::make_unique<Editor>(text);
    NumberRows(e->edit, TRowRange{0, kNumberedRows - 1}, SplitNumbering("(1) "), 1);
    state.ResumeTiming();
    while (e->edit.UndoBuffer().LastRecord()) e->edit.Undo();
  }
}
BENCHMARK(BM_UndoNumberRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
