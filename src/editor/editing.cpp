// Text-changing operations: insertion at the caret, deleting the selection,
// the clipboard, select-all and searching.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/bytekind.h"
#include "editor/switches.h"
#include "encoding/sjis.h"
#include "encoding/stringfunc.h"

namespace {

// Bytes below space other than TAB and CR never enter a row.
std::string WithoutControlBytes(std::string s) {
  std::erase_if(s, [](char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 32 && b != '\t' && b != '\r';
  });
  return s;
}


}  // namespace

// ---- Insertion

void TCustomAFEdit::InsertText(std::string s) {
  if (!sel_.HasSel() && !sel_.HasRowSel()) {
    ++UndoGroup;
  } else {
    const bool wasUpdating = updating_;
    updating_ = true;
    DeleteSelection();
    updating_ = wasUpdating;
  }
  s = WithoutControlBytes(std::move(s));
  if (CaretPos.Y >= RowCount()) ExtendRowsToCaret();

  const int row = CaretPos.Y;
  const std::string display = DisplayString(row);
  while (CaretPos.X > 0 && CaretPos.X <= static_cast<int>(display.size()) &&
         display[CaretPos.X - 1] == kTabFill)
    --CaretPos.X;
  const int indent = std::max<int>(0, rows_.Attr(row).Indent);
  if (CaretPos.X > static_cast<int>(display.size())) {
    // Past the end: insert at the end of the row (in front of its CR); with
    // a free caret, spaces keep the text at the column the caret stood.
    const int endCol = static_cast<int>(display.size()) - (rows_.HasCR(row) ? 1 : 0);
    if (HasOption(TAFEditOption::aoFreeCaret)) s.insert(0, CaretPos.X - endCol, ' ');
    CaretPos.X = endCol;
    ShiftSelecting = false;
  } else if (CaretPos.X < indent) {
    CaretPos.X = indent;
  }
  InsertAtCaret(s);

  const TAFEditOptions saved = options_;
  options_.Exclude(TAFEditOption::aoFreeCaret);
  AdvanceCaret(static_cast<int>(stringfunc::CharLength(s)));
  options_ = saved;
  if (!updating_) {
    CaretMoved();
    RepaintDirty();
  }
}

// With a free caret below the last row: line ends are added until the
// caret's row exists.
void TCustomAFEdit::ExtendRowsToCaret() {
  const int last = RowCount() - 1;
  if (!rows_.HasCR(last)) SetRow(last, std::string(rows_.Text(last)) + '\r', false);
  while (RowCount() < CaretPos.Y) AddRow("\r", rows_.Attr(RowCount() - 1));
  AddRow(std::string(), rows_.Attr(RowCount() - 1));
}

// Puts s into the caret row at the caret (inserting or overwriting) and
// re-wraps; the caret stays in front of the new text.
void TCustomAFEdit::InsertAtCaret(const std::string& s) {
  int row = CaretPos.Y;
  int i = ColToIndex(row, CaretPos.X);
  if (row > 0 && i == 0 && !rows_.HasCR(row - 1)) {
    // The start of a continuation row is the end of the row above.
    --row;
    i = static_cast<int>(rows_.Text(row).size());
    CaretPos = TPoint{DisplayLength(row), row};
  }
  i = std::max(0, i);
  const std::string text(rows_.Text(row));
  std::string changed;
  if (InsertMode) {
    changed = text.substr(0, i) + s + text.substr(i);
    ShiftAttrsInserted(row, i, static_cast<int>(s.size()));
  } else if (s.size() < text.size() - i) {
    changed = text;
    changed.replace(i, s.size(), s);
    const std::size_t lastReplaced = i + s.size() - 1;
    if (!s.empty() && ByteKindAt(text, lastReplaced) == TByteKind::Lead) changed[lastReplaced + 1] = ' ';
  } else {
    changed = text.substr(0, i) + s + (rows_.HasCR(row) ? "\r" : "");
  }
  SetRow(row, std::move(changed), false);
  rows_.Attr(row).Redraw = true;
  ReflowRow(row);
  if (row < RowCount()) RaiseMaxRowLen(row);
}

// Moves the caret right over `steps` characters as CaretRight would, row by
// row, so that a large insertion costs time in proportion to its size.
void TCustomAFEdit::AdvanceCaret(int steps) {
  while (steps > 0 && CaretPos.Y < RowCount()) {
    const int y = CaretPos.Y;
    const std::string display = DisplayString(y);
    const int len = static_cast<int>(display.size());
    const int indent = std::max<int>(0, rows_.Attr(y).Indent);
    int x = CaretPos.X;
    std::size_t charStart = 0;  // walks the character starts up to x
    while (steps > 0 && x < len) {
      --steps;
      if (x < indent) {
        x = indent;
      } else if (display[x] == '\t' || display[x] == kTabFill) {
        while (x < len && display[x] == kTabFill) ++x;
        ++x;
      } else {
        while (charStart < static_cast<std::size_t>(x)) charStart += sjis::CharLen(display, charStart);
        x += charStart == static_cast<std::size_t>(x) ? static_cast<int>(sjis::CharLen(display, x)) : 1;
      }
    }
    if (x >= len && y < RowCount() - 1) {
      if (steps > 0 && CaretPos.X >= len) --steps;  // a step spent at the row end
      CaretPos = TPoint{std::max<int>(0, rows_.Attr(y + 1).Indent), y + 1};
      continue;
    }
    CaretPos.X = x;
    break;
  }
}

void TCustomAFEdit::ShiftAttrsInserted(int row, int at, int count) {
  if (TColAttrList* list = rows_.ColAttrsOrNull(row)) list->InsertInactive(at, count);
  blocks_.BytesInserted(row, at, count);
}

void TCustomAFEdit::ShiftAttrsDeleted(int row, int at, int count) {
  if (TColAttrList* list = rows_.ColAttrsOrNull(row)) list->Delete(at, count);
  blocks_.BytesDeleted(row, at, count);
}

// ---- Deletion

// With nothing selected nothing changes: no undo step, no edit, the caret
// stays where it is.
void TCustomAFEdit::DeleteSelection() {
  ++UndoGroup;
  ClampSelection();
  if (!sel_.HasSel() && !sel_.HasRowSel()) return;
  if (sel_.HasSel()) {
    DeleteStreamSelection();
  } else {
    DeleteRowSelection();
  }
  RepaintDirty();
  UpdateCaret();
}

void TCustomAFEdit::DeleteStreamSelection() {
  const TPoint s = sel_.SelStart();
  TPoint e = sel_.SelEnd();
  for (int k = 0; k < e.Y - s.Y - 1; ++k) DeleteRow(s.Y + 1);
  if (e.Y - s.Y > 1) e.Y = s.Y + 1;
  const int p = std::max(0, ColToIndex(s.Y, s.X));
  const int q = std::max(0, ColToIndex(e.Y, e.X));
  const std::string startText(rows_.Text(s.Y));
  if (s.Y == e.Y) {
    const int end = std::max(p, q);
    ShiftAttrsDeleted(s.Y, p, end - p);
    ReplaceRow(s.Y, startText.substr(0, p) + startText.substr(std::min<std::size_t>(end, startText.size())));
  } else {
    const std::string endText(rows_.Text(e.Y));
    const std::string head = startText.substr(0, std::min<std::size_t>(p, startText.size()));
    ShiftAttrsDeleted(s.Y, p, static_cast<int>(startText.size()) - p);
    SetRow(s.Y, head, false);
    const std::string tail = endText.substr(std::min<std::size_t>(q, endText.size()));
    ShiftAttrsDeleted(e.Y, 0, q);
    MoveColAttrsUp(s.Y, static_cast<int>(tail.size()));
    blocks_.BytesPulledUp(s.Y, static_cast<int>(tail.size()), static_cast<int>(head.size()), true);
    SetRow(s.Y, head + tail, false);
    if (e.Y == RowCount() - 1) {
      SetRow(e.Y, std::string(), false);
    } else {
      DeleteRow(e.Y);
    }
    MarkRowsToEndRedraw(s.Y);
  }
  ReflowRow(s.Y);
  CaretPos = s;
  TopRow = std::min(CaretPos.Y, TopRow);
  sel_.CollapseSel();
}

void TCustomAFEdit::DeleteRowSelection() {
  const int top = sel_.RowSelTop();
  for (int r = std::min(sel_.RowSelBottom(), RowCount() - 1); r >= top; --r) {
    if (r == RowCount() - 1) {
      ClearColAttrs(r);
      SetRow(r, std::string(), false);
    } else {
      DeleteRow(r);
    }
  }
  MarkRowsToEndRedraw(top);
  TopRow = std::min(CaretPos.Y, TopRow);
  if (RowCount() == 0) {
    AppendRow(std::string());
    TopRow = 0;
  }
  if (CaretPos.Y < 0) CaretPos = TPoint{0, 0};
  sel_.ClearRowSel();
}

// ---- Clipboard and messages

void TCustomAFEdit::CopyToClipboard() {
  if (!sel_.HasSel() && !sel_.HasRowSel()) return;
  host_.SetClipboardText(SelText());
}

void TCustomAFEdit::CutToClipboard() {
  if (readOnly_) return;
  ++UndoGroup;
  CopyToClipboard();
  DeleteSelection();
  if (OnDisSelect) OnDisSelect();
}

void TCustomAFEdit::PasteFromClipboard() {
  if (readOnly_) return;
  std::optional<std::string> text = host_.GetClipboardText();
  if (!text) return;
  ++UndoGroup;
  InsertText(std::move(*text));
}

void TCustomAFEdit::WMCut() { CutToClipboard(); }
void TCustomAFEdit::WMPaste() { PasteFromClipboard(); }

void TCustomAFEdit::WMClear() {
  if (!readOnly_) DeleteSelection();
}

void TCustomAFEdit::WMUndo() {
  if (!readOnly_) Undo();
}

void TCustomAFEdit::SelectAll() {
  sel_.RowSelFrom = 0;
  sel_.RowSelTo = RowCount() - 1;
  UpdateRowSelBounds();
  CheckSelState();
  Paint();
}

// ---- Search

namespace {

void UpperAscii(std::string& s) {
  for (std::size_t i = 0; i < s.size(); i += sjis::CharLen(s, i))
    if (s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 'a' + 'A');
}

}  // namespace

void TCustomAFEdit::FindText(std::string_view s, TPoint from, TPoint& found, int options,
                             TPoint limit) const {
  found = TPoint{-1, from.Y};
  if (s.empty() || RowCount() == 0) return;
  std::string needle(s);
  const bool ignoreCase = options & 1;
  if (ignoreCase) UpperAscii(needle);
  from.Y = std::clamp(from.Y, 0, RowCount() - 1);
  limit.Y = std::clamp(limit.Y, 0, RowCount() - 1);
  if (options & 2) {
    FindBackward(needle, ignoreCase, from, found, limit);
  } else {
    FindForward(needle, ignoreCase, from, found, limit);
  }
}

// Each row is searched together with the first bytes of the next one, so
// that a match running over a soft wrap is found; it must start in the row.
void TCustomAFEdit::FindForward(const std::string& needle, bool ignoreCase, TPoint from,
                                TPoint& found, TPoint limit) const {
  const int n = static_cast<int>(needle.size());
  std::string hay;
  for (int y = from.Y; y <= limit.Y; ++y) {
    const std::string_view row = rows_.Text(y);
    hay.assign(row);
    if (y + 1 < RowCount()) {
      const std::string_view next = rows_.Text(y + 1);
      hay.append(next.substr(0, std::min<std::size_t>(n - 1, next.size())));
    }
    if (ignoreCase) UpperAscii(hay);
    const std::size_t first = y == from.Y ? std::max(0, from.X) : 0;
    for (std::size_t p = hay.find(needle, first); p != std::string::npos && p < row.size();
         p = hay.find(needle, p + 1)) {
      if (y == limit.Y && static_cast<int>(p) + n > limit.X) break;
      if (ByteKindAt(row, p) == TByteKind::Trail) continue;
      found = TPoint{static_cast<int>(p), y};
      return;
    }
  }
}

// Each row is searched together with the last bytes of the row before it;
// the match starting furthest right wins.
void TCustomAFEdit::FindBackward(const std::string& needle, bool ignoreCase, TPoint from,
                                 TPoint& found, TPoint limit) const {
  const int n = static_cast<int>(needle.size());
  std::string hay;
  for (int y = from.Y; y >= limit.Y; --y) {
    const std::string_view row = rows_.Text(y);
    const std::string_view prev = y > 0 ? rows_.Text(y - 1) : std::string_view();
    const int borrowed = y > limit.Y ? std::min<int>(prev.size(), n) : 0;
    hay.assign(prev.substr(prev.size() - borrowed));
    hay.append(row);
    if (ignoreCase) UpperAscii(hay);
    const int end = y == from.Y ? borrowed + std::max(0, from.X) : static_cast<int>(hay.size());
    const int lowest = y == limit.Y ? borrowed + std::max(0, limit.X) : 0;
    for (int p = std::min<int>(end, hay.size()) - n; p >= lowest; --p) {
      if (hay.compare(p, n, needle) != 0) continue;
      if (p < borrowed) {
        const int col = static_cast<int>(prev.size()) - borrowed + p;
        if (ByteKindAt(prev, col) == TByteKind::Trail) continue;
        found = TPoint{col, y - 1};
      } else {
        if (ByteKindAt(row, p - borrowed) == TByteKind::Trail) continue;
        found = TPoint{p - borrowed, y};
      }
      return;
    }
  }
}
