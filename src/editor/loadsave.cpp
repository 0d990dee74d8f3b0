// Reading rows from a byte stream and writing them back.
#include <algorithm>
#include <cstring>
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
