// The main window's commands on real documents, offscreen: each 表示/設定
// change applied to ten open documents of 1 MB (the wrap position on ten
// formatted ones, which re-wraps them all), and printing a 10 MB document
// into a PDF file, with the resident memory the printing adds.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/childwin.h"
#include "app/commands.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/printdocument.h"
#include "editor/memstream.h"
#include "editor/qt/tafedit.h"
#include "scripteddialogs.h"
#include "procmem.h"
#include "qtbench.h"

namespace {

std::string Document(std::size_t bytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  text.reserve(bytes + sample.size());
  while (text.size() < bytes) text += sample;
  return text;
}

// A shown main window with ten documents of 1 MB, plain or formatted.
struct TenDocuments {
  QTemporaryDir dir;
  ScriptedDialogs* dialogs = nullptr;
  std::unique_ptr<TMainForm> form;

  explicit TenDocuments(int openMode) {
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    form = std::make_unique<TMainForm>(TSettingsFiles{dir.path() + "/"}, std::move(scripted));
    form->resize(1000, 800);
    form->show();
    const std::string text = Document(1 << 20);
    form->OpenMode = openMode;
    for (int i = 0; i < 10; ++i) {
      const QString path = dir.filePath(QStringLiteral("doc%1.txt").arg(i));
      std::ofstream(path.toStdString(), std::ios::binary) << text;
      form->OpenDocument(path);
    }
    QApplication::processEvents();
  }
  void Run(const char* id) { form->Commands().Action(QLatin1String(id))->trigger(); }
};

TenDocuments& Plain() {
  static TenDocuments docs(omPlain);
  return docs;
}

void ViewTick(benchmark::State& state, const char* id) {
  TenDocuments& d = Plain();
  for (auto _ : state) d.Run(id);
}
BENCHMARK_CAPTURE(ViewTick, RowNumbers, "N32Click")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewTick, TabMarks, "AB1Click")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewTick, WordWrapOption, "N20Click")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewTick, TagEmphasis, "embtagClick")->Unit(benchmark::kMillisecond);

void BM_BackgroundColour(benchmark::State& state) {
  TenDocuments& d = Plain();
  TColor color = 0xF0F0F0;
  for (auto _ : state) {
    d.dialogs->colorAnswers.push_back(color ^= 0x0F0F0F);
    d.Run("N45Click");
  }
}
BENCHMARK(BM_BackgroundColour)->Unit(benchmark::kMillisecond);

void BM_Font(benchmark::State& state) {
  TenDocuments& d = Plain();
  TFontTemplate font;
  for (auto _ : state) {
    font.Size = font.Size == 9 ? 12 : 9;
    d.dialogs->fontAnswers.push_back(font);
    d.Run("Font1Click");
  }
}
BENCHMARK(BM_Font)->Unit(benchmark::kMillisecond);

void NumberBox(benchmark::State& state, const char* id, int a, int b) {
  TenDocuments& d = Plain();
  bool first = false;
  for (auto _ : state) {
    d.dialogs->inputAnswers.push_back(QString::number((first = !first) ? a : b));
    d.Run(id);
  }
}
BENCHMARK_CAPTURE(NumberBox, RowPitch, "N15Click", 4, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NumberBox, LeftMargin, "N50Click", 60, 40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NumberBox, TopMargin, "N9Click", 20, 10)->Unit(benchmark::kMillisecond);

// Re-wraps every row of the ten documents.
void BM_WrapPositionOnTenFormatted(benchmark::State& state) {
  static TenDocuments d(omAutoFormat);
  bool first = false;
  for (auto _ : state) {
    d.dialogs->inputAnswers.push_back(QString::number((first = !first) ? 70 : 60));
    d.Run("N13Click");
  }
}
BENCHMARK(BM_WrapPositionOnTenFormatted)->Unit(benchmark::kMillisecond)->Iterations(4);

// The growth is the peak resident memory during the printing over what was
// resident before it, with the document loaded.
void BM_PrintTenMegabytesToPdf(benchmark::State& state) {
  TAFEdit edit;
  const std::string text = Document(10 << 20);
  TMemoryInStream in(text);
  edit.LoadFromStream(in, 0);
  QTemporaryDir dir;
  double growthMb = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    ResetPeak();
    const long before = ProcStatusKb("VmRSS:");
    if (!PrintDocument(edit, psSameSize, printer)) state.SkipWithError("printing failed");
    growthMb = (ProcStatusKb("VmHWM:") - before) / 1024.0;
  }
  state.counters["peak_growth_MB"] = growthMb;
  state.counters["rows"] = edit.RowCount();
}
BENCHMARK(BM_PrintTenMegabytesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
