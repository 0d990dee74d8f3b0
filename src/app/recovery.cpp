#include "app/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "app/singleinstance.h"
#include "editor/filereplace.h"

namespace {

const QString kInstancePrefix = QStringLiteral("instance-");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kCopySuffix = QStringLiteral(".zibrec");

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// The root exists, is ours and only ours: copies hold the user's text.
QString MakePrivateRoot(const QString& root) {
  QDir().mkpath(QFileInfo(root).absolutePath());
  if (::mkdir(Native(root).constData(), 0700) != 0 && errno != EEXIST) {
    return root + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
  }
  struct stat st {};
  // A folder of ours that someone made wider is narrowed again.
  if (::lstat(Native(root).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
      (st.st_mode & 07777) != 0700) {
    ::chmod(Native(root).constData(), 0700);
  }
  if (!IsPrivateFolder(root)) {
    return root + QStringLiteral(" は、このユーザーだけが使えるフォルダーではありません");
  }
  return QString();
}

// Same file at the path as the one open: a start that finished with a left
// folder may have removed its lock file meanwhile.
bool StillAt(int fd, const QString& path) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::lstat(Native(path).constData(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Locks the file at `path` when no running editor holds it; -1 otherwise.
int LockIfFree(const QString& path) {
  const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !StillAt(fd, path)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string ReadWhole(const QString& path, QString& why) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    why = f.errorString();
    return std::string();
  }
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) why = f.errorString();
  return bytes.toStdString();
}

// A name under `folder` that is not taken: `name`, else with a number.
QString FreeName(const QString& folder, const QString& name) {
  QString candidate = folder + QLatin1Char('/') + name;
  for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
    candidate = folder + QLatin1Char('/') + name + QStringLiteral(".%1").arg(n);
  }
  return candidate;
}

// Temporaries of an interrupted write (".NAME.zibXXXXXX") and nothing else.
void RemoveTemporaries(const QString& folder) {
  const QStringList names = QDir(folder).entryList({QStringLiteral(".*.zib??????")}, QDir::Files | QDir::Hidden);
  for (const QString& name : names) QFile::remove(folder + QLatin1Char('/') + name);
}

}  // namespace

// One thread that does the work asked for in order, so that a removal never
// runs before a write of the same copy.
class TRecovery::TWriter {
 public:
  TWriter() : thread_([this] { Run(); }) {}

  ~TWriter() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

  // Work for a file replaces the work for it still waiting; work for no
  // file (an empty name) is never replaced.
  void Add(std::string file, std::function<void()> work) {
    {
      const std::lock_guard lock(mutex_);
      if (!file.empty()) std::erase_if(jobs_, [&](const TJob& job) { return job.File == file; });
      jobs_.push_back(TJob{std::move(file), std::move(work)});
    }
    wake_.notify_one();
  }

  void Flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
  }

 private:
  struct TJob {
    std::string File;
    std::function<void()> Work;
  };

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
      if (jobs_.empty()) return;  // stopping, and nothing left to do
      TJob job = std::move(jobs_.front());
      jobs_.pop_front();
      busy_ = true;
      lock.unlock();
      job.Work();
      job = TJob{};  // a copy's text goes before the next job is taken
      lock.lock();
      busy_ = false;
      if (jobs_.empty()) idle_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<TJob> jobs_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;  // last: it starts running at construction
};

QString TRecovery::DefaultRoot() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (state.isEmpty() || QDir::isRelativePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
  return state + QStringLiteral("/zibeditor/recovery");
}

// The lock file is made and locked under a temporary name first, and only
// then given the folder's name: a start looking for left folders never
// finds the lock file of a living editor unlocked.
TRecovery::TRecovery(const QString& root) : root_(QDir::cleanPath(QFileInfo(root).absoluteFilePath())) {
  problem_ = MakePrivateRoot(root_);
  for (int attempt = 0; problem_.isEmpty() && folder_.isEmpty(); ++attempt) {
    QByteArray temp = Native(root_ + QStringLiteral("/.new-XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) {
      problem_ = root_ + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
      if (fd >= 0) ::close(fd);
      break;
    }
    const QString name = kInstancePrefix + QFile::decodeName(temp).right(6);
    const QString folder = root_ + QLatin1Char('/') + name;
    if (::mkdir(Native(folder).constData(), 0700) == 0 &&
        ::rename(temp.constData(), Native(folder + kLockSuffix).constData()) == 0) {
      folder_ = folder;
      lockFd_ = fd;
      break;
    }
    const int err = errno;
    ::rmdir(Native(folder).constData());
    ::unlink(temp.constData());
    ::close(fd);
    if (err != EEXIST || attempt == 10) problem_ = folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
  }
  writer_ = std::make_unique<TWriter>();
}

TRecovery::~TRecovery() {
  writer_.reset();
  if (lockFd_ < 0) return;
  RemoveTemporaries(folder_);
  // Copies still here belong to documents never saved nor closed: a later
  // start offers them.
  if (::rmdir(Native(folder_).constData()) == 0) ::unlink(Native(folder_ + kLockSuffix).constData());
  ::close(lockFd_);
}

QString TRecovery::NewCopyFile() {
  if (folder_.isEmpty()) return QString();
  return folder_ + QStringLiteral("/doc-%1").arg(++nextCopy_) + kCopySuffix;
}

void TRecovery::Write(const QString& file, TRecoveryCopy copy) {
  if (file.isEmpty()) return;
  auto shared = std::make_shared<const TRecoveryCopy>(std::move(copy));
  writer_->Add(Native(file).toStdString(), [this, file, shared] {
    const int err = ReplaceFile(Native(file).toStdString(), TLinkPolicy::Replace,
                                [&shared](std::ostream& out) { WriteRecoveryCopy(out, *shared); });
    if (err != 0) Failed(file, err);
  });
}

void TRecovery::Remove(const QString& file) {
  if (file.isEmpty()) return;
  writer_->Add(Native(file).toStdString(), [this, file] {
    if (::unlink(Native(file).constData()) != 0 && errno != ENOENT) Failed(file, errno);
  });
}

// Touching fresh memory costs more than filling it: a hundred megabytes
// take the better part of a second, which the event loop is spared.
void TRecovery::MakeBuffer(std::size_t bytes, QObject* context,
                           std::function<void(std::shared_ptr<std::string>)> ready) {
  // The context is looked at only here, on its own thread.
  writer_->Add(std::string(), [this, bytes, context = QPointer<QObject>(context), ready = std::move(ready)] {
    auto buffer = std::make_shared<std::string>(bytes, '\0');
    buffer->clear();
    QMetaObject::invokeMethod(
        this, [context, ready, buffer] {
          if (context) ready(buffer);
        },
        Qt::QueuedConnection);
  });
}

// From the writer's thread: the signal reaches the owner's.
void TRecovery::Failed(const QString& file, int err) {
  const QString why = QString::fromLocal8Bit(std::strerror(err));
  QMetaObject::invokeMethod(this, [this, file, why] { emit WriteFailed(file, why); }, Qt::QueuedConnection);
}

void TRecovery::Flush() { writer_->Flush(); }

std::unique_ptr<TLeftCopies> TRecovery::ClaimLeftCopies() {
  auto left = std::make_unique<TLeftCopies>();
  if (!problem_.isEmpty()) return left;
  const QDir root(root_);
  const QString damagedFolder = root_ + QStringLiteral("/damaged");
  for (const QString& lockName : root.entryList({kInstancePrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files)) {
    const QString lockFile = root_ + QLatin1Char('/') + lockName;
    const QString folder = lockFile.chopped(kLockSuffix.size());
    if (folder == folder_) continue;
    const int fd = LockIfFree(lockFile);
    if (fd < 0) continue;  // its editor runs
    left->claims_.push_back(TLeftCopies::TClaim{folder, lockFile, fd});
    const QString instance = QFileInfo(folder).fileName();
    for (const QString& name : QDir(folder).entryList({QLatin1Char('*') + kCopySuffix}, QDir::Files | QDir::NoSymLinks)) {
      const QString file = folder + QLatin1Char('/') + name;
      QString why;
      const std::string bytes = ReadWhole(file, why);
      std::optional<TRecoveryCopy> copy;
      if (why.isEmpty()) copy = ReadRecoveryCopy(bytes, why);
      if (copy) {
        left->entries_.push_back(TLeftCopies::TEntry{file, std::move(*copy)});
        continue;
      }
      ::mkdir(Native(damagedFolder).constData(), 0700);
      const QString kept = FreeName(damagedFolder, instance + QLatin1Char('-') + name);
      left->damaged_.push_back(TLeftCopies::TDamaged{QFile::rename(file, kept) ? kept : file, why});
    }
  }
  // Temporary lock files of starts that died before naming theirs.
  for (const QString& name : root.entryList({QStringLiteral(".new-??????")}, QDir::Files | QDir::Hidden)) {
    const int fd = LockIfFree(root_ + QLatin1Char('/') + name);
    if (fd < 0) continue;
    ::unlink(Native(root_ + QLatin1Char('/') + name).constData());
    ::close(fd);
  }
  std::stable_sort(left->entries_.begin(), left->entries_.end(),
            [](const auto& a, const auto& b) { return a.Copy.Written < b.Copy.Written; });
  return left;
}

void TLeftCopies::Drop(std::size_t entry) {
  QFile::remove(entries_.at(entry).File);
}

TLeftCopies::~TLeftCopies() {
  for (const TClaim& claim : claims_) {
    RemoveTemporaries(claim.Folder);
    if (::rmdir(Native(claim.Folder).constData()) == 0) ::unlink(Native(claim.LockFile).constData());
    ::close(claim.Fd);
  }
}
