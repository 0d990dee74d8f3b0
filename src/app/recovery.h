// The folder of recovery copies, shared by every editor of the user. Each
// running editor keeps its copies in a folder of its own, "instance-XXXXXX",
// beside a lock file of the same name that it holds locked (flock) while it
// runs; the system drops the lock when the process ends, however it ends.
// A later start takes over (locks) only the folders of editors that are
// gone: a running one, answering or not, keeps its copies. Copies are
// written in the background, one at a time, in the order asked for.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/recoverycopy.h"

class TLeftCopies;

class TRecovery : public QObject {
  Q_OBJECT
 public:
  // $XDG_STATE_HOME/zibeditor/recovery, else ~/.local/state/zibeditor/recovery.
  static QString DefaultRoot();

  // Creates `root` (mode 0700) when missing and takes a folder of its own
  // there. Without a private root or a folder, Problem() says why and no
  // copies are kept.
  explicit TRecovery(const QString& root);
  // Waits for the copies under way; removes the folder once it is empty.
  ~TRecovery() override;

  QString Root() const { return root_; }
  QString Problem() const { return problem_; }
  // The folder of this editor's copies; empty with a problem.
  QString Folder() const { return folder_; }

  // How long typing must pause before a copy is written, and how long
  // continuous typing may go without one, in milliseconds.
  int PauseMs = 3000;
  int LongestWaitMs = 30000;

  // A file for a new document's copies, in this editor's folder.
  QString NewCopyFile();
  // In the background; a newer copy of the same file replaces one still waiting.
  void Write(const QString& file, TRecoveryCopy copy);
  void Remove(const QString& file);
  // A string with room for `bytes`, its memory touched, made in the
  // background and handed to `ready` here, unless `context` is gone by then.
  void MakeBuffer(std::size_t bytes, QObject* context,
                  std::function<void(std::shared_ptr<std::string>)> ready);
  // Returns once every write and removal asked for is done.
  void Flush();

  // The copies of editors that are gone, held by the result while it lives.
  std::unique_ptr<TLeftCopies> ClaimLeftCopies();

 signals:
  // A copy could not be written (a full disk, a folder taken away).
  void WriteFailed(const QString& file, const QString& why);

 private:
  class TWriter;
  void Failed(const QString& file, int err);

  QString root_;
  QString problem_;
  QString folder_;
  int lockFd_ = -1;
  int nextCopy_ = 0;
  std::unique_ptr<TWriter> writer_;
};

// Copies left by editors that ended without removing them. Damaged ones are
// moved to the folder "damaged" under the root and stay there; the others
// stay in their folders until dropped. A folder left empty goes with its
// lock file when this object does; the others are released for a later start.
class TLeftCopies {
 public:
  struct TEntry {
    QString File;
    TRecoveryCopy Copy;
  };
  struct TDamaged {
    QString File;  // where it is kept now
    QString Why;
  };

  const std::vector<TEntry>& Entries() const { return entries_; }
  const std::vector<TDamaged>& Damaged() const { return damaged_; }
  // Deletes the copy of an entry: restored, or discarded.
  void Drop(std::size_t entry);

  ~TLeftCopies();
  TLeftCopies() = default;
  TLeftCopies(const TLeftCopies&) = delete;
  TLeftCopies& operator=(const TLeftCopies&) = delete;

 private:
  friend class TRecovery;
  struct TClaim {
    QString Folder;
    QString LockFile;
    int Fd = -1;
  };
  std::vector<TClaim> claims_;
  std::vector<TEntry> entries_;
  std::vector<TDamaged> damaged_;
};
