// The preview of a 1 MB Shift-JIS HTML document on the real engine: from the
// command until the page has loaded. The first preview of a run starts the
// engine as well; later ones show the document again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/browser/previewform.h"
#include "app/browser/webbrowser.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"

namespace {

std::string Page(std::size_t bytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch03.sjis.html", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  while (text.size() < bytes) text += sample;
  return text;
}

class PreviewSetup {
 public:
  PreviewSetup() : form(TSettingsFiles{dir.path() + "/"}) {
    const QString path = dir.filePath("page.html");
    std::ofstream(path.toStdString(), std::ios::binary) << Page(1 << 20);
    form.resize(900, 700);
    form.show();
    form.OpenDocument(path);
  }
  // Milliseconds from the command until the page has loaded.
  double Preview() {
    QElapsedTimer clock;
    clock.start();
    form.Commands().Action(QStringLiteral("PreviewButton"))->trigger();
    auto* view = static_cast<QWebEngineView*>(form.PreviewBrowser().Browser().Widget());
    QEventLoop wait;
    QObject::connect(view, &QWebEngineView::loadFinished, &wait, &QEventLoop::quit);
    QTimer::singleShot(30000, &wait, &QEventLoop::quit);
    wait.exec();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
  }

  QTemporaryDir dir;
  TMainForm form;
};

std::unique_ptr<PreviewSetup> setup;

void BM_PreviewFirst1MB(benchmark::State& state) {
  for (auto _ : state) {
    setup = std::make_unique<PreviewSetup>();
    state.SetIterationTime(setup->Preview() / 1000);
  }
}
BENCHMARK(BM_PreviewFirst1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_PreviewAgain1MB(benchmark::State& state) {
  if (!setup) setup = std::make_unique<PreviewSetup>();
  for (auto _ : state) state.SetIterationTime(setup->Preview() / 1000);
}
BENCHMARK(BM_PreviewAgain1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  setup.reset();
  benchmark::Shutdown();
  return 0;
}
