// The preview of a 1 MB Shift-JIS HTML document on the real engine: from the
// command until the page has loaded. The first preview of a run starts the
// engine as well; later ones show the document again. On a shared machine
// the wall time mostly waits for a core, so the processor time of the
// engine's own processes (the renderer parses and lays out the page) is
// counted too: "engine_cpu_ms", with this process's in "CPU".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <unistd.h>

#include <QDir>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/browser/previewform.h"
#include "app/browser/webbrowser.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"
#include "qtbench.h"

namespace {

std::string Page(std::size_t bytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch03.sjis.html", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  std::string text;
  while (text.size() < bytes) text += sample;
  return text;
}

// Processor time in milliseconds of every process descended from this one.
double DescendantsCpuMs() {
  const long ticks = sysconf(_SC_CLK_TCK);
  std::vector<long> parents{getpid()};
  double total = 0;
  for (std::size_t i = 0; i < parents.size(); ++i) {
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
      std::ifstream stat(("/proc/" + entry + "/stat").toStdString());
      std::string line;
      if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
      // Fields after the command's closing bracket: state, ppid, ... utime (12th), stime (13th).
      std::istringstream rest(line.substr(line.rfind(')') + 2));
      std::string field;
      std::vector<std::string> f;
      while (rest >> field) f.push_back(field);
      if (f.size() < 13 || std::stol(f[1]) != parents[i]) continue;
      parents.push_back(entry.toLong());
      total += (std::stod(f[11]) + std::stod(f[12])) * 1000.0 / static_cast<double>(ticks);
    }
  }
  return total;
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
  const double cpu = DescendantsCpuMs();
  for (auto _ : state) {
    setup = std::make_unique<PreviewSetup>();
    state.SetIterationTime(setup->Preview() / 1000);
  }
  state.counters["engine_cpu_ms"] = DescendantsCpuMs() - cpu;
}
BENCHMARK(BM_PreviewFirst1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_PreviewAgain1MB(benchmark::State& state) {
  if (!setup) setup = std::make_unique<PreviewSetup>();
  const double cpu = DescendantsCpuMs();
  for (auto _ : state) state.SetIterationTime(setup->Preview() / 1000);
  state.counters["engine_cpu_ms"] =
      benchmark::Counter(DescendantsCpuMs() - cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PreviewAgain1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { setup.reset(); });
}
