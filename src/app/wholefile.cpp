#include "app/wholefile.h"

#include <QFileInfo>
#include <QSaveFile>

bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error) {
  // Through a link to the file it names, so the link stays a link.
  const QFileInfo info(path);
  QSaveFile file(info.isSymLink() ? info.symLinkTarget() : path);
  const bool ok = file.open(QIODevice::WriteOnly) &&
                  file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                      static_cast<qint64>(bytes.size()) &&
                  file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}
