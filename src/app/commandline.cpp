#include "app/commandline.h"

#include <QFileInfo>

#include <optional>

namespace {

// No longer run can name a file on Linux (PATH_MAX).
constexpr qsizetype kMaxPathLength = 4096;

}  // namespace

QStringList CommandLineFiles(const QStringList& args, const QDir& base) {
  QStringList files;
  qsizetype first = 0;  // where the next run may start
  for (qsizetype last = 0; last < args.size(); ++last) {
    std::optional<QString> longest;
    QString run;
    for (qsizetype start = last; start >= first; --start) {
      run = start == last ? args.at(last) : args.at(start) + QLatin1Char(' ') + run;
      if (run.size() > kMaxPathLength) break;
      const QFileInfo file(base, run);
      if (file.isFile()) longest = file.absoluteFilePath();
    }
    if (longest) {
      files << *longest;
      first = last + 1;
    }
  }
  return files;
}
