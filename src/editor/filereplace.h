// Replacing a file's content without ever leaving it half written, and what
// identifies a file on disk, so that a later save can tell whether someone
// else changed or replaced it meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

// A file as it is on disk at one moment.
struct TFileIdentity {
  bool Exists = false;
  bool IsLink = false;  // the path itself is a symbolic link, to Target
  std::string Target;   // every link resolved; empty unless IsLink
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::int64_t Size = 0;
  std::int64_t ModifiedNs = 0;  // since the epoch

  bool operator==(const TFileIdentity&) const = default;
  bool SameFile(const TFileIdentity& other) const {
    return Exists && other.Exists && Device == other.Device && Inode == other.Inode;
  }
};

// The path is looked at without following a link (IsLink, Target); the
// rest describes the file a link leads to.
TFileIdentity IdentityOf(const std::string& path);

// What becomes of a symbolic link at the path written.
enum class TLinkPolicy {
  Follow,   // the link stays, and the file it names gets the content
  Replace,  // the link itself is replaced; nothing is written through it
};

// Writes the content to a temporary file beside the target
// (".NAME.zibXXXXXX"), which then takes the target's place in one rename:
// a failed write leaves the old file as it was. The target's permissions
// (and, where allowed, owner) are kept. Something that is not a regular
// file (a device, a pipe) is written in place, since a rename would put a
// plain file in its stead. After a successful rename, temporaries of the
// same name that an interrupted save left behind are removed. A write
// beyond the file size limit fails with EFBIG rather than ending the
// process. 0 on success, else an errno value.
int ReplaceFile(const std::string& path, TLinkPolicy links,
                const std::function<void(std::ostream&)>& write);
