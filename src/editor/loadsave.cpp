// Reading rows from a byte stream and writing them back.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>

#include "editor/afedit.h"
#include "editor/linerows.h"
#include "editor/memstream.h"

namespace {

constexpr std::size_t kReadChunk = 65536;

// Splits a stream into lines. Each line end (CR, LF, CR LF or LF CR, also
// across chunk boundaries) becomes one CR; a zero byte ends the data.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}

  bool Next(std::string& line) {
    line.clear();
    if (ended_) return false;
    for (;;) {
      if (at_ == buf_.size() && !Refill()) {
        ended_ = true;
        return !line.empty();
      }
      const char* start = buf_.data() + at_;
      const std::size_t avail = buf_.size() - at_;
      const std::size_t room = kMaxLineBytes - line.size();
      std::size_t k = 0;
      while (k < avail && k < room && start[k] != '\r' && start[k] != '\n' && start[k] != 0) ++k;
      line.append(start, k);
      at_ += k;
      if (line.size() == kMaxLineBytes) return true;  // a long line goes on in the next row
      if (at_ == buf_.size()) continue;
      const char stop = buf_[at_++];
      if (stop == 0) {
        ended_ = true;
        return !line.empty();
      }
      line += '\r';
      const char pair = stop == '\r' ? '\n' : '\r';
      if ((at_ < buf_.size() || Refill()) && buf_[at_] == pair) ++at_;
      return true;
    }
  }

 private:
  bool Refill() {
    buf_.resize(kReadChunk);
    in_.read(buf_.data(), static_cast<std::streamsize>(kReadChunk));
    buf_.resize(static_cast<std::size_t>(in_.gcount()));
    at_ = 0;
    return !buf_.empty();
  }

  std::istream& in_;
  std::string buf_;
  std::size_t at_ = 0;
  bool ended_ = false;
};

// Removes the leading TABs of a line, keeping at least its last byte.
int StripLeadingTabs(std::string& line) {
  std::size_t n = 0;
  while (n + 1 < line.size() && line[n] == '\t') ++n;
  line.erase(0, n);
  return static_cast<int>(n);
}

}  // namespace

void TCustomAFEdit::ResetDocument() {
  for (int r = 0; r < RowCount(); ++r) rows_.ClearColAttrs(r);
  rows_.Clear();
  blocks_.Clear();
  TopRow = 0;
  undo_.ClearAll();
  if (OnUndoChange) OnUndoChange(false, false);
  sel_.ClearRowSel();
  sel_.CollapseSel();
  MaxRowLen = 0;
}

// Rows are added directly, without events or undo records. With loWrap each
// logical line is wrapped as it is read, as ReflowRow called for each of its
// rows in turn would wrap it, so that a large document's rows are written
// once.
void TCustomAFEdit::LoadFromStream(std::istream& stream, int options) {
  ResetDocument();
  const TLineAttr attr = MakeAttr(true, 0, defWrapPos_);
  LineReader reader(stream);
  std::string line, logical;
  // A line longer than the reader's limit arrives in pieces, each a row.
  std::vector<std::pair<int, TLineAttr>> pieces;
  TLineRows rows;
  int arriving = 0;
  auto wrap = [&](std::string_view text, bool lastOfDocument) {
    rows.Reset(text, lastOfDocument);
    for (const auto& [start, pieceAttr] : pieces) rows.AddRow(start, pieceAttr);
    arriving = WrapEveryRow(rows, arriving);
    for (int k = 0; k < rows.Count(); ++k) rows_.AppendPacked(rows.Text(k), rows.Attr(k));
    pieces.clear();
  };
  while (reader.Next(line)) {
    MaxRowLen = std::max<int>(MaxRowLen, static_cast<int>(line.size()) + 2);
    if (options & loTabsToSpaces) line = ExpandTabs(line, true);
    TLineAttr rowAttr = attr;
    if (options & loTabsToIndent) {
      const int tabs = StripLeadingTabs(line);
      rowAttr.Indent = static_cast<std::int16_t>(std::clamp(tabs * tabSize_, 0, std::max(0, attr.WrapPos - 8)));
    }
    if (!(options & loWrap)) {
      rows_.AppendPacked(line, rowAttr);
      continue;
    }
    pieces.emplace_back(static_cast<int>(logical.size()), rowAttr);
    if (!EndsWithCR(line)) {
      logical += line;
    } else if (logical.empty()) {
      wrap(line, false);
    } else {
      logical += line;
      wrap(logical, false);
      logical.clear();
    }
  }
  if (!pieces.empty()) wrap(logical, true);
  if (RowCount() == 0 || rows_.HasCR(RowCount() - 1)) AppendRow(std::string());
  undo_.ClearAll();
  if (OnUndoChange) OnUndoChange(false, false);
  UndoGroup = 0;
  CaretPos = TPoint{0, 0};
  Paint();
  UpdateCaret();
  UpdateScrollBars();
}

void TCustomAFEdit::SetText(std::string_view text) {
  TMemoryInStream in(text);
  LoadFromStream(in, 0);
}

void TCustomAFEdit::SaveToStream(std::ostream& stream, int options) const {
  std::string out;
  const int tab = std::max(1, tabSize_);
  bool startsLine = true;
  for (int r = 0; r < RowCount(); ++r) {
    const std::string_view text = rows_.Text(r);
    const int indent = std::max<int>(0, rows_.Attr(r).Indent);
    const std::size_t rowStart = out.size();
    if (startsLine || (options & soEveryRowALine)) {
      if (options & soIndentAsTabs) {
        out.append((indent + tab - 1) / tab, '\t');
      } else if (options & soIndentAsSpaces) {
        out.append(indent, ' ');
      }
    }
    out += text;
    if (options & soTabsToSpaces) {
      const std::string expanded = ExpandTabs(std::string_view(out).substr(rowStart), true);
      out.replace(rowStart, std::string::npos, expanded);
    }
    const bool hasCR = EndsWithCR(text);
    if (hasCR) {
      out += '\n';
    } else if ((options & soEveryRowALine) && r < RowCount() - 1) {
      out += "\r\n";  // not after the last row: saving again must not add a line
    }
    if (out.size() >= (1 << 20)) {
      stream.write(out.data(), static_cast<std::streamsize>(out.size()));
      out.clear();
    }
    startsLine = hasCR;
  }
  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
  stream.flush();
}

namespace {

// Writes the rows to fd and flushes them to the disk; 0 or an errno value.
template <typename Writer>
int WriteToFd(int fd, Writer write) {
  TFdOutStream out(fd);
  errno = 0;
  write(out);
  if (!out.good()) return errno ? errno : EIO;
  return ::fsync(fd) == 0 ? 0 : errno;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

// The new content goes to a temporary file beside the target, which then
// replaces the target in one rename: a failed write leaves the old file as
// it was. A symbolic link is followed, so the link stays a link; the
// target's permissions (and, where allowed, owner) are kept. Something
// that is not a regular file (a device, a pipe) is written in place: a
// rename would put a plain file in its stead.
bool TCustomAFEdit::SaveToFile(const std::string& fileName, int options, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = fs::weakly_canonical(fs::path(fileName), ec);
  if (ec) target = fileName;
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  int err = 0;
  if (existed && ::access(target.c_str(), W_OK) != 0) {
    err = errno;
  } else if (existed && !S_ISREG(old.st_mode)) {
    err = WriteInPlace(target.string(), options);
  } else {
    err = WriteBeside(target.string(), options, existed ? &old : nullptr);
  }
  if (err != 0) {
    if (error) *error = target.string() + ": " + std::strerror(err);
    return false;
  }
  undo_.MarkSaved();
  return true;
}

int TCustomAFEdit::WriteInPlace(const std::string& target, int options) const {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = WriteToFd(fd, [&](std::ostream& out) { SaveToStream(out, options); });
  if (err == EINVAL) err = 0;  // devices and pipes cannot be synced
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

int TCustomAFEdit::WriteBeside(const std::string& target, int options, const struct stat* old) const {
  namespace fs = std::filesystem;
  const fs::path path(target);
  std::string temp = (path.parent_path() / ("." + path.filename().string() + ".zibXXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int err = WriteToFd(fd, [&](std::ostream& out) { SaveToStream(out, options); });
  if (err == 0 && old) {
    // Keeping the owner needs privileges; without them the file still
    // keeps its permissions.
    [[maybe_unused]] const int owned = ::fchown(fd, old->st_uid, old->st_gid);
  }
  if (err == 0 && ::fchmod(fd, old ? old->st_mode & 07777 : NewFileMode()) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) ::unlink(temp.c_str());
  return err;
}
