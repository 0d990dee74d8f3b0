// Recovery copies of a modified 100 MB document: what taking a copy costs
// the event loop and the whole write in the background, and a keystroke
// while a copy is being written.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/childwin.h"
#include "app/docrecovery.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/recovery.h"
#include "editor/qt/tafedit.h"
#include "qtbench.h"

namespace {

// The main window with one modified document: the corpus sample repeated
// to about 100 MB, CR LF line ends.
struct Session {
  QTemporaryDir dir;
  std::unique_ptr<TRecovery> recovery;
  std::unique_ptr<TMainForm> form;
  TMDIChild* document = nullptr;
  long long bytes = 0;

  Session() {
    std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
    const std::string sample(std::istreambuf_iterator<char>(in), {});
    TDocumentText text;
    text.Ok = true;
    while (text.Text.size() < (100u << 20)) text.Text += sample;
    bytes = static_cast<long long>(text.Text.size());
    recovery = std::make_unique<TRecovery>(dir.filePath(QStringLiteral("recovery")));
    form = std::make_unique<TMainForm>(TSettingsFiles{dir.path() + QLatin1Char('/')});
    KeepCopies(*form, *recovery);
    form->resize(1000, 700);
    form->show();
    document = form->OpenDocument(dir.filePath(QStringLiteral("big.txt")), &text);
    Edit().InsertText("a");
    QApplication::processEvents();
  }
  ~Session() { form.reset(); }

  TAFEdit& Edit() const { return *document->AFEdit; }
};

// Made at first use, and gone before the application is.
std::unique_ptr<Session> session;

Session& TheSession() {
  if (!session) session = std::make_unique<Session>();
  return *session;
}

// A copy as the pause after typing takes it. The CPU time is the event
// loop's share (the thread the benchmark runs on); the real time includes
// the background: the buffer made, the copy written and flushed to disk.
void BM_RecoveryCopy(benchmark::State& state) {
  Session& s = TheSession();
  TDocumentRecovery& keeper = *s.document->Recovery();
  for (auto _ : state) {
    const int before = keeper.Copies();
    keeper.WriteSoon();
    while (keeper.Copies() == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    s.recovery->Flush();
  }
  state.SetBytesProcessed(state.iterations() * s.bytes);
}
BENCHMARK(BM_RecoveryCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each keystroke is undone (untimed).
void BM_KeystrokeWhileACopyIsWritten(benchmark::State& state) {
  Session& s = TheSession();
  s.Edit().MoveCaretTo(TPoint{0, s.Edit().RowCount() / 2});
  for (auto _ : state) {
    state.PauseTiming();
    s.document->Recovery()->WriteNow();  // the text is in the buffer: writing starts
    state.ResumeTiming();
    s.Edit().InsertText("a");
    state.PauseTiming();
    s.Edit().Undo();
    s.recovery->Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_KeystrokeWhileACopyIsWritten)->Unit(benchmark::kMicrosecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { session.reset(); });
}
