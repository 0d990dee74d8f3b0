// Reading rows from a byte stream and writing them back.
#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>

#include "editor/afedit.h"
#include "editor/memstream.h"
#include "editor/switches.h"

namespace {

// Lines longer than this are cut into rows of this many bytes.
constexpr std::size_t kMaxLineBytes = 65536;
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

namespace {

// Rows to reserve for a stream: generous, since capacity that is never
// filled is never touched and costs no memory.
std::size_t ExpectedRows(std::istream& stream) {
  const std::streampos here = stream.tellg();
  if (here < 0 || !stream.seekg(0, std::ios::end)) {
    stream.clear();
    return 1024;
  }
  const std::streamoff size = stream.tellg() - here;
  stream.seekg(here);
  return static_cast<std::size_t>(std::max<std::streamoff>(size / 16, 1024));
}

}  // namespace

// Rows are added directly, without events or undo records. With loWrap each
// logical line is cut as re-wrapping would cut it before it is stored, so a
// large document's rows are written once.
void TCustomAFEdit::LoadFromStream(std::istream& stream, int options) {
  ResetDocument();
  const TLineAttr attr = MakeAttr(true, 0, defWrapPos_);
  TRowList::TBulkAppender bulk(rows_, ExpectedRows(stream));
  LineReader reader(stream);
  std::string line, logical;
  std::vector<int> cuts, cutCols;
  auto store = [&](std::string_view text, const TLineAttr& rowAttr) {
    cutCols.clear();
    cuts = (options & loWrap) && EndsWithCR(text) ? FindCuts(text, rowAttr.Indent, cutCols) : std::vector<int>{};
    std::size_t from = 0;
    for (int cut : cuts) {
      bulk.Append(text.substr(from, cut - from), rowAttr);
      from = cut;
    }
    bulk.Append(text.substr(from), rowAttr);
  };
  TLineAttr logicalAttr = attr;
  while (reader.Next(line)) {
    MaxRowLen = std::max<int>(MaxRowLen, static_cast<int>(line.size()) + 2);
    if (options & loTabsToSpaces) line = ExpandTabs(line, true);
    TLineAttr rowAttr = attr;
    if (options & loTabsToIndent) {
      const int tabs = StripLeadingTabs(line);
      rowAttr.Indent = static_cast<std::int16_t>(std::clamp(tabs * tabSize_, 0, std::max(0, attr.WrapPos - 8)));
    }
    if (!(options & loWrap)) {
      bulk.Append(line, rowAttr);
      continue;
    }
    // A line longer than the reader's limit arrives in pieces: wrap it whole.
    if (logical.empty()) logicalAttr = rowAttr;
    logical += line;
    if (EndsWithCR(line)) {
      store(logical, logicalAttr);
      logical.clear();
    }
  }
  if (!logical.empty()) store(logical, logicalAttr);
  bulk.Finish();
  if (RowCount() == 0 || rows_.HasCR(RowCount() - 1)) AppendRow(std::string());
  if (options & loWrap) {
    // The last line has no line end: it is wrapped as the last row is.
    const bool wasUpdating = updating_;
    const bool wasSuspended = EditSwitches::UndoSuspended;
    updating_ = EditSwitches::UndoSuspended = true;  // the history is emptied below anyway
    ReflowRow(RowCount() - 1);
    updating_ = wasUpdating;
    EditSwitches::UndoSuspended = wasSuspended;
  }
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

void TCustomAFEdit::SaveToStream(std::ostream& stream, int options, TLineEnd lineEnd) const {
  const std::string_view eol = LineEndBytes(lineEnd);
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
    const bool hasCR = EndsWithCR(text);
    out += hasCR ? text.substr(0, text.size() - 1) : text;
    if (options & soTabsToSpaces) {
      const std::string expanded = ExpandTabs(std::string_view(out).substr(rowStart), true);
      out.replace(rowStart, std::string::npos, expanded);
    }
    if (hasCR) {
      out += eol;
    } else if ((options & soEveryRowALine) && r < RowCount() - 1) {
      out += eol;  // not after the last row: saving again must not add a line
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

bool TCustomAFEdit::SaveToFile(const std::string& fileName, int options, std::string* error,
                               TLinkPolicy links, TLineEnd lineEnd) {
  const int err =
      ReplaceFile(fileName, links, [&](std::ostream& out) { SaveToStream(out, options, lineEnd); });
  if (err != 0) {
    if (error) *error = fileName + ": " + std::strerror(err);
    return false;
  }
  undo_.MarkSaved();
  return true;
}
