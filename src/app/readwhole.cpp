#include "app/readwhole.h"

#include <QFile>
#include <QFileInfo>

TReadResult ReadWholeFile(const QString& path, QByteArray& bytes) {
  bytes.clear();
  if (!QFileInfo::exists(path)) return TReadResult::Missing;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return TReadResult::Failed;
  bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    bytes.clear();
    return TReadResult::Failed;
  }
  return TReadResult::Read;
}
