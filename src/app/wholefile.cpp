#include "app/wholefile.h"

#include <cstring>
#include <ostream>

bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error, TLinkPolicy links) {
  const int err = ReplaceFile(path.toStdString(), links, [&](std::ostream& out) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  });
  if (err != 0 && error) *error = QString::fromLocal8Bit(std::strerror(err));
  return err == 0;
}
