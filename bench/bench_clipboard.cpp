// Copy, cut and paste of a whole 100 MB document as the user runs them: the
// main window's commands on a document window, through the process's
// clipboard (offscreen), with every handler the document window attaches.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/childwin.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"
#include "qtbench.h"

namespace {

// The main window with one document: the corpus sample repeated to about
// 100 MB, CR LF line ends, opened from a file as the user opens it.
struct Session {
  QTemporaryDir dir;
  std::unique_ptr<TMainForm> form;
  TMDIChild* document = nullptr;
  qsizetype bytes = 0;

  Session() {
    std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
    const std::string sample(std::istreambuf_iterator<char>(in), {});
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    std::ofstream out(path.toStdString(), std::ios::binary);
    while (bytes < (100 << 20)) {
      out << sample;
      bytes += static_cast<qsizetype>(sample.size());
    }
    out.close();
    form = std::make_unique<TMainForm>(TSettingsFiles{dir.path() + QLatin1Char('/')});
    form->resize(1000, 700);
    form->show();
    document = form->OpenDocument(path);
    QApplication::processEvents();
  }

  void Run(const char* command) const { form->Commands().Action(QLatin1String(command))->trigger(); }
  TAFEdit& Edit() const { return *form->ActiveChild()->AFEdit; }
};

// Made on first use; gone before the application, since it holds windows.
std::unique_ptr<Session> session;

Session& TheSession() {
  if (!session) session = std::make_unique<Session>();
  return *session;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(TheSession().bytes));
}

void BM_CopyAll(benchmark::State& state) {
  Session& s = TheSession();
  s.Run("EditSelectAll1Execute");
  for (auto _ : state) s.Run("editcopyExecute");
  if (QApplication::clipboard()->text().size() < s.bytes / 2) state.SkipWithError("not copied");
  SetBytes(state);
}
BENCHMARK(BM_CopyAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each cut is undone (untimed).
void BM_CutAll(benchmark::State& state) {
  Session& s = TheSession();
  const int rows = s.Edit().RowCount();
  for (auto _ : state) {
    state.PauseTiming();
    s.Run("EditSelectAll1Execute");
    state.ResumeTiming();
    s.Run("editcutExecute");
    state.PauseTiming();
    const int left = s.Edit().RowCount();
    s.Run("editundoExecute");
    if (left > 1 || s.Edit().RowCount() != rows) {
      state.SkipWithError(("cut to " + std::to_string(left) + " rows, undone to " +
                           std::to_string(s.Edit().RowCount()) + " of " + std::to_string(rows)).c_str());
      break;
    }
    state.ResumeTiming();
  }
  SetBytes(state);
}
BENCHMARK(BM_CutAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// The clipboard holds the whole document; it goes into a new document,
// which one undo empties again and which is then closed (untimed).
void BM_PasteAll(benchmark::State& state) {
  Session& s = TheSession();
  s.Run("EditSelectAll1Execute");
  s.Run("editcopyExecute");
  const int rows = s.Edit().RowCount();
  for (auto _ : state) {
    state.PauseTiming();
    s.Run("FileNew1Execute");
    state.ResumeTiming();
    s.Run("pasteExecute");
    state.PauseTiming();
    if (s.Edit().RowCount() != rows) {
      state.SkipWithError("not pasted as it was loaded");
      break;
    }
    s.Run("editundoExecute");
    if (s.Edit().RowCount() != 1 || s.Edit().Edited()) {
      state.SkipWithError("the paste was not one undo step");
      break;
    }
    s.form->ActiveChild()->close();
    state.ResumeTiming();
  }
  SetBytes(state);
}
BENCHMARK(BM_PasteAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { session.reset(); });
}
