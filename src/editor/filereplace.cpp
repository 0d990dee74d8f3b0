#include "editor/filereplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <ostream>

#include "editor/memstream.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempSuffix = ".zibXXXXXX";

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Its default action ends the process, and every unsaved document with it.
// Set before every write: it is cheap, and nothing can have undone it since.
void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

// Writes to fd and flushes the data to the disk; 0 or an errno value.
int WriteToFd(int fd, const std::function<void(std::ostream&)>& write) {
  TFdOutStream out(fd);
  errno = 0;
  write(out);
  out.flush();
  if (!out.good()) return errno ? errno : EIO;
  return ::fsync(fd) == 0 ? 0 : errno;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

int WriteInPlace(const fs::path& target, TLinkPolicy links, const std::function<void(std::ostream&)>& write) {
  const int noFollow = links == TLinkPolicy::Replace ? O_NOFOLLOW : 0;
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | noFollow);
  if (fd < 0) return errno;
  int err = WriteToFd(fd, write);
  if (err == EINVAL) err = 0;  // devices and pipes cannot be synced
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

// ".NAME.zib" and six letters or digits, as mkstemp fills in the pattern.
bool IsOurTemporary(const std::string& name, const std::string& prefix) {
  constexpr std::size_t kRandom = 6;
  return name.size() == prefix.size() + kRandom && name.starts_with(prefix) &&
         std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](unsigned char c) { return std::isalnum(c); });
}

// Only our own regular files: another user's file of that name is theirs.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = "." + target.filename().string() + ".zib";
  std::error_code ec;
  for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    struct stat st {};
    if (IsOurTemporary(p.filename().string(), prefix) && ::lstat(p.c_str(), &st) == 0 &&
        S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
      ::unlink(p.c_str());
    }
  }
}

int WriteBeside(const fs::path& target, const struct stat* old,
                const std::function<void(std::ostream&)>& write) {
  std::string temp = (target.parent_path() / ("." + target.filename().string())).string();
  temp += kTempSuffix;
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int err = WriteToFd(fd, write);
  if (err == 0 && old) {
    // Keeping the owner needs privileges; without them the file still
    // keeps its permissions.
    [[maybe_unused]] const int owned = ::fchown(fd, old->st_uid, old->st_gid);
  }
  if (err == 0 && ::fchmod(fd, old ? old->st_mode & 07777 : NewFileMode()) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    return err;
  }
  RemoveStaleTemporaries(target);
  return 0;
}

// The file to write, absolute so that its folder is known: through every
// link, or the path itself.
fs::path TargetOf(const std::string& path, TLinkPolicy links) {
  std::error_code ec;
  fs::path target = links == TLinkPolicy::Follow ? fs::weakly_canonical(fs::path(path), ec)
                                                 : fs::absolute(fs::path(path), ec);
  return ec ? fs::path(path) : target;
}

}  // namespace

TFileIdentity IdentityOf(const std::string& path) {
  TFileIdentity id;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    id.IsLink = true;
    std::error_code ec;
    id.Target = fs::weakly_canonical(fs::path(path), ec).string();
  }
  if (::stat(path.c_str(), &st) != 0) return id;
  id.Exists = true;
  id.Device = st.st_dev;
  id.Inode = st.st_ino;
  id.Size = st.st_size;
  id.ModifiedNs = Nanoseconds(st.st_mtim);
  return id;
}

int ReplaceFile(const std::string& path, TLinkPolicy links,
                const std::function<void(std::ostream&)>& write) {
  IgnoreFileSizeSignal();
  const fs::path target = TargetOf(path, links);
  struct stat old {};
  // A link that is to be replaced counts as nothing: its own mode is no file's.
  const bool existed = ::lstat(target.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
  if (existed && ::access(target.c_str(), W_OK) != 0) return errno;
  if (existed && !S_ISREG(old.st_mode)) return WriteInPlace(target, links, write);
  return WriteBeside(target, existed ? &old : nullptr, write);
}
