// The recent files and recent folders: at most five paths, oldest first.
#pragma once

#include <QString>
#include <QStringList>

class TRecentList {
 public:
  static constexpr int kSlots = 5;

  const QStringList& Items() const { return items_; }
  // Start-up: entries in key order, beyond five ignored.
  void Append(const QString& path);
  // Makes path the newest entry: an existing entry (the last equal one)
  // moves to the end; a new one drops the oldest when all slots are used.
  void Add(const QString& path);

 private:
  QStringList items_;
};

// The folder part of a path, without a trailing separator.
QString FolderOf(const QString& path);
