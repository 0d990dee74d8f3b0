// Searching the rows, and the selection as find and replace see it: found
// text selected, and whether the selection holds the text searched for.
#include <algorithm>
#include <cstring>

#include "editor/afedit.h"
#include "editor/bytekind.h"
#include "encoding/casefold.h"
#include "encoding/sjistext.h"

namespace {

using stringfunc::Comparable;

constexpr std::size_t npos = std::string_view::npos;

// Whether text holds one of `bytes` from `from` on: a row without the
// bytes a match can begin with need not be upper-cased and searched.
bool HoldsAnyOf(std::string_view text, std::size_t from, std::string_view bytes) {
  if (from >= text.size()) return false;
  for (const char b : bytes)
    if (std::memchr(text.data() + from, b, text.size() - from)) return true;
  return false;
}

}  // namespace

void TCustomAFEdit::FindText(std::string_view s, TPoint from, TPoint& found, int options,
                             TPoint limit) const {
  found = TPoint{-1, from.Y};
  if (s.empty() || RowCount() == 0) return;
  const bool ignoreCase = options & foIgnoreCase;
  const std::string needle = ignoreCase ? stringfunc::UpperCase(s) : std::string(s);
  from.Y = std::clamp(from.Y, 0, RowCount() - 1);
  limit.Y = std::clamp(limit.Y, 0, RowCount() - 1);
  if (options & foBackward) {
    FindBackward(needle, ignoreCase, from, found, limit);
  } else {
    FindForward(needle, ignoreCase, from, found, limit);
  }
}

// The first match of each row, or else one that starts in the row and runs
// on into the rows that follow (a wrapped line); it must start on a character.
void TCustomAFEdit::FindForward(const std::string& needle, bool ignoreCase, TPoint from,
                                TPoint& found, TPoint limit) const {
  const std::size_t n = needle.size();
  const std::string starts = ignoreCase ? stringfunc::UpperCaseSources(needle[0]) : needle.substr(0, 1);
  std::string rowBuffer;
  for (int y = from.Y; y <= limit.Y; ++y) {
    const std::size_t begin = y == from.Y ? std::max(0, from.X) : 0;
    if (!HoldsAnyOf(rows_.Text(y), begin, starts)) continue;
    const std::string_view row = Comparable(rows_.Text(y), ignoreCase, rowBuffer);
    const std::size_t end = y == limit.Y ? std::max(0, limit.X) : npos;  // matches end by here
    sjis::TCharMatches matches(row, needle);
    std::size_t at = matches.Next(begin);
    const std::size_t tail = std::max(begin, row.size() - std::min(row.size(), n - 1));
    // Only the row's last n - 1 bytes can begin a match that runs on.
    if (at == npos && y + 1 < RowCount() && tail < row.size()) {
      const std::string piece = std::string(row.substr(tail)) + BytesFollowing(y, n - 1, ignoreCase);
      for (std::size_t k = piece.find(needle); k != npos && tail + k < row.size(); k = piece.find(needle, k + 1)) {
        if (matches.StartsChar(tail + k)) {
          at = tail + k;
          break;
        }
      }
    }
    if (at != npos) {
      if (end == npos || at + n <= end) found = TPoint{static_cast<int>(at), y};
      return;
    }
  }
}

// The last match of each row (overlapping ones included), or else one that
// starts in the rows before and ends in this one.
void TCustomAFEdit::FindBackward(const std::string& needle, bool ignoreCase, TPoint from,
                                 TPoint& found, TPoint limit) const {
  const std::size_t n = needle.size();
  std::string rowBuffer;
  for (int y = from.Y; y >= limit.Y; --y) {
    const std::string_view row = Comparable(rows_.Text(y), ignoreCase, rowBuffer);
    const std::size_t first = y == limit.Y ? std::max(0, limit.X) : 0;  // matches start here or later
    const std::size_t end = y == from.Y ? std::clamp<std::size_t>(std::max(0, from.X), 0, row.size())
                                        : row.size();  // and end by here
    sjis::TCharMatches matches(row, needle);
    std::size_t last = npos;
    for (std::size_t at = matches.Next(first); at != npos && at + n <= end; at = matches.Next(at + 1)) last = at;
    if (last != npos) {
      found = TPoint{static_cast<int>(last), y};
      return;
    }
    if (y == limit.Y) continue;
    const std::string before = BytesPreceding(y, n, limit, ignoreCase);
    const std::string piece = before + std::string(row.substr(0, end));
    for (std::size_t k = before.empty() ? npos : piece.rfind(needle, before.size() - 1); k != npos;
         k = k > 0 ? piece.rfind(needle, k - 1) : npos) {
      const TPoint at = BytesBefore(TPoint{0, y}, static_cast<int>(before.size() - k));
      if (ByteKindAt(rows_.Text(at.Y), at.X) != TByteKind::Trail) {
        found = at;
        return;
      }
    }
  }
}

std::string TCustomAFEdit::BytesFollowing(int row, std::size_t count, bool ignoreCase) const {
  std::string out, buffer;
  for (int r = row + 1; r < RowCount() && out.size() < count; ++r)
    out += Comparable(rows_.Text(r).substr(0, count - out.size()), ignoreCase, buffer);
  return out;
}

// Each row is upper-cased whole, from its first character, before its tail is taken.
std::string TCustomAFEdit::BytesPreceding(int row, std::size_t count, TPoint limit, bool ignoreCase) const {
  std::string out, buffer;
  for (int r = row - 1; r >= limit.Y && r >= 0 && out.size() < count; --r) {
    std::string_view text = Comparable(rows_.Text(r), ignoreCase, buffer);
    if (r == limit.Y) text.remove_prefix(std::min<std::size_t>(std::max(0, limit.X), text.size()));
    const std::size_t take = std::min(count - out.size(), text.size());
    out.insert(0, text.substr(text.size() - take));
  }
  return out;
}

TPoint TCustomAFEdit::SearchStart(bool backward) const {
  const TSelArea sel = ClampedSelection();
  const TPoint p = backward && sel.HasSel() ? sel.SelStart() : ClampPos(CaretPos);
  return TPoint{std::max(0, ColToIndex(p.Y, p.X)), p.Y};
}

void TCustomAFEdit::SelectFound(TPoint start, int length) {
  const TPoint end = BytesAfter(start, length);
  BeginUpdate();
  sel_.ClearRowSel();
  sel_.AnchorPos = IndexToCol(start);
  sel_.EndPos = IndexToCol(end);
  ShiftSelecting = false;
  CaretPos = sel_.EndPos;
  // Out of view, the match comes to the middle.
  if (CaretPos.Y < TopRow || CaretPos.Y >= TopRow + VisibleRows() - 1)
    TopRow = std::max(0, CaretPos.Y - VisibleRows() / 2);
  if (CaretPos.X < LeftCol || CaretPos.X >= LeftCol + VisibleCols() - 1)
    LeftCol = std::max(0, CaretPos.X - VisibleCols() / 2);
  EndUpdate();
  UpdateScrollBars();
  UpdateCaret();
  CheckSelState();
}

bool TCustomAFEdit::SelectionBytes(TPoint& from, TPoint& to) const {
  const TSelArea sel = ClampedSelection();
  if (sel.HasSel()) {
    const TPoint s = sel.SelStart(), e = sel.SelEnd();
    from = TPoint{std::max(0, ColToIndex(s.Y, s.X)), s.Y};
    to = TPoint{std::max(0, ColToIndex(e.Y, e.X)), e.Y};
    return true;
  }
  if (sel.HasRowSel()) {
    from = TPoint{0, sel.RowSelTop()};
    to = TPoint{static_cast<int>(rows_.Text(sel.RowSelBottom()).size()), sel.RowSelBottom()};
    return true;
  }
  return false;
}

std::string TCustomAFEdit::BytesBetween(TPoint from, TPoint to) const {
  std::string out;
  for (int y = from.Y; y <= to.Y; ++y) {
    const std::string_view row = rows_.Text(y);
    const std::size_t begin = y == from.Y ? std::min<std::size_t>(from.X, row.size()) : 0;
    const std::size_t end = y == to.Y ? std::min<std::size_t>(to.X, row.size()) : row.size();
    if (end > begin) out += row.substr(begin, end - begin);
  }
  return out;
}

// The selected bytes themselves: a selection of text that ends in blanks
// holds them, though the selected text (SelText) drops them.
bool TCustomAFEdit::SelectionHolds(std::string_view s, int options) const {
  TPoint from, to;
  if (s.empty() || !SelectionBytes(from, to)) return false;
  if (OffsetFrom(from.Y, to) - from.X != static_cast<int>(s.size())) return false;
  const std::string bytes = BytesBetween(from, to);
  if (options & foIgnoreCase) return stringfunc::CompareUpperCase(bytes, s) == 0;
  return bytes == s;
}
