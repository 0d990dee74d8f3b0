// Opening a 100 MB document the way the program does (the main window's
// OpenDocument: a document window, the file read whole, loaded and wrapped
// at 80 columns) on the offscreen platform: the time it takes and the peak
// resident memory it needs on top of what the process held before, in
// multiples of the file size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "app/childwin.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"
#include "procmem.h"
#include "qtbench.h"

namespace {

// The corpus sample repeated to about `megabytes` MB, CR LF line ends.
std::string WriteDocument(const QString& dir, int megabytes) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  const std::string path = (dir + QStringLiteral("/document.txt")).toStdString();
  std::ofstream out(path, std::ios::binary);
  for (std::size_t written = 0; written + sample.size() <= (static_cast<std::size_t>(megabytes) << 20);
       written += sample.size())
    out << sample;
  return path;
}

void BM_OpenThroughMainWindow(benchmark::State& state) {
  const int mb = static_cast<int>(state.range(0));
  QTemporaryDir dir;
  // Wrapped at 80 columns, as the benchmarks of the control load.
  std::ofstream(dir.filePath(QStringLiteral("zibeditor.ini")).toStdString())
      << "[AFEDIT]\r\ndefwrappos=80\r\n";
  const std::string path = WriteDocument(dir.path(), mb);
  const auto fileBytes = std::ifstream(path, std::ios::ate | std::ios::binary).tellg();
  const double fileKb = static_cast<double>(fileBytes) / 1024;
  double peakRatio = 0, residentRatio = 0;
  long rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TMainForm form(TSettingsFiles{dir.path() + QStringLiteral("/")});
    form.OpenMode = omAutoFormat;
    form.show();
    QApplication::processEvents();
    const long before = ProcStatusKb("VmRSS:");
    ResetPeak();
    state.ResumeTiming();
    TMDIChild* child = form.OpenDocument(QString::fromStdString(path));
    state.PauseTiming();
    if (!child) {
      state.SkipWithError("the document did not open");
      break;
    }
    peakRatio = (ProcStatusKb("VmHWM:") - before) / fileKb;
    residentRatio = (ProcStatusKb("VmRSS:") - before) / fileKb;
    rows = child->AFEdit->RowCount();
    state.ResumeTiming();
  }
  state.counters["peak_x_file"] = peakRatio;
  state.counters["resident_x_file"] = residentRatio;
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenThroughMainWindow)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
