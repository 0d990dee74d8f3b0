// The clipboard history: a 10 MB text arriving from the clipboard until it
// is an entry with its menu items, and the history menu of 1,000 entries,
// one of them new, from the command until it is painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <fstream>
#include <iterator>
#include <string>

#include "app/cliphistory.h"
#include "app/sjistext.h"
#include "qtbench.h"

namespace {

// Japanese text with line ends, at least `bytes` long as Shift-JIS.
QString Text(std::size_t bytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  while (text.size() < bytes) text += sample;
  return FromSjis(text);
}

void BM_ClipboardNotice10MB(benchmark::State& state) {
  QMenu popup, submenu;
  TClipboardHistory history(&popup, &submenu, nullptr);
  const QString texts[2] = {Text(10 << 20), Text(10 << 20) + QStringLiteral("!")};
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    history.Clear();
    QGuiApplication::clipboard()->setText(texts[n++ % 2]);
    state.ResumeTiming();
    history.ClipboardChanged();
  }
  state.counters["entry_bytes"] = static_cast<double>(history.Entries().value(0).size());
}
BENCHMARK(BM_ClipboardNotice10MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_HistoryMenu1000Entries(benchmark::State& state) {
  QMenu popup, submenu;
  TClipboardHistory history(&popup, &submenu, nullptr);
  const std::string line = "\x93\xfa\x96\x7b\x8c\xea text of an entry, some of it long enough to be shortened ";
  for (int i = 0; i < 1000; ++i) {
    history.Add(QByteArray::fromStdString(std::to_string(i) + " " + line.substr(0, 20 + i % 60) + "\r\nmore"));
  }
  int n = 1000;
  for (auto _ : state) {
    popup.popup(QPoint(0, 0));
    popup.repaint();
    state.PauseTiming();
    popup.hide();
    QCoreApplication::processEvents();
    history.Add(QByteArray::fromStdString(std::to_string(n++) + line));  // the menu lays out anew
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(popup.actions().size());
}
BENCHMARK(BM_HistoryMenu1000Entries)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
