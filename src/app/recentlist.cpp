#include "app/recentlist.h"

void TRecentList::Append(const QString& path) {
  if (items_.size() < kSlots) items_.append(path);
}

void TRecentList::Add(const QString& path) {
  const qsizetype j = items_.lastIndexOf(path);
  if (j >= 0) {
    items_.removeAt(j);
  } else if (items_.size() == kSlots) {
    items_.removeFirst();
  }
  items_.append(path);
}

QString FolderOf(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  if (slash < 0) return QString();
  return slash == 0 ? QStringLiteral("/") : path.left(slash);
}
