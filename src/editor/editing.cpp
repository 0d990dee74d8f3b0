// Text-changing operations: insertion at the caret, deleting the selection,
// the clipboard and select-all.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/bytekind.h"
#include "editor/switches.h"
#include "encoding/sjis.h"
#include "encoding/stringfunc.h"

std::string WithoutControlBytes(std::string s) {
  std::erase_if(s, [](char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 32 && b != '\t' && b != '\r';
  });
  return s;
}

// ---- Insertion

void TCustomAFEdit::InsertText(std::string s) {
  if (!sel_.HasSel() && !sel_.HasRowSel()) {
    ++UndoGroup;
  } else {
    const bool wasUpdating = updating_;
    updating_ = true;
    DeleteSelection();
    updating_ = wasUpdating;
    CheckSelState();  // a paste or a command over a selection ends it
  }
  s = WithoutControlBytes(std::move(s));
  if (CaretPos.Y >= RowCount()) ExtendRowsToCaret();

  const int row = CaretPos.Y;
  const std::string display = DisplayString(row);
  while (CaretPos.X > 0 && CaretPos.X <= static_cast<int>(display.size()) &&
         display[CaretPos.X - 1] == kTabFill)
    --CaretPos.X;
  const int indent = std::max<int>(0, rows_.Attr(row).Indent);
  const int endCol = RowEndCol(row);
  if (CaretPos.X > endCol) {
    // Past the end, behind the CR too: insert at the end of the row (in
    // front of its CR); with a free caret, spaces keep the text at the
    // column the caret stood.
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
    changed.reserve(text.size() + s.size());  // one copy of a long insertion, not three
    changed.append(text, 0, i).append(s).append(text, i);
    ShiftAttrsInserted(row, i, static_cast<int>(s.size()));
  } else if (s.size() < text.size() - i) {
    changed = text;
    changed.replace(i, s.size(), s);
    const std::size_t lastReplaced = i + s.size() - 1;
    if (!s.empty() && ByteKindAt(text, lastReplaced) == TByteKind::Lead) changed[lastReplaced + 1] = ' ';
  } else {
    changed = text.substr(0, i) + s + (rows_.HasCR(row) ? "\r" : "");
  }
  const std::size_t firstCR = changed.find('\r');
  if (firstCR != std::string::npos && firstCR + 1 < changed.size()) {
    // Several lines: cut at once into the rows re-wrapping would cut the
    // row into, without storing (and recording) the whole text as one row
    // on the way.
    const bool last = row == RowCount() - 1;
    std::vector<int> cutCols;
    const std::vector<int> cuts = CutLines(changed, rows_.Attr(row).Indent, last, cutCols);
    ReflowRow(ApplyCuts(row, changed, cuts, cutCols, last || EndsWithCR(changed)));
  } else {
    SetRow(row, std::move(changed), false);
    rows_.Attr(row).Redraw = true;
    ReflowRow(row);
  }
  if (row < RowCount()) RaiseMaxRowLen(row);
}

// Moves the caret right over `steps` characters as CaretRight would, row by
// row, so that a large insertion costs time in proportion to its size.
void TCustomAFEdit::AdvanceCaret(int steps) {
  std::string expanded;
  while (steps > 0 && CaretPos.Y < RowCount()) {
    const int y = CaretPos.Y;
    // A row without indent or tabs is shown as it is stored: no copy of
    // each of the many rows a long insertion steps over.
    const std::string_view stored = rows_.Text(y);
    const bool plain = rows_.Attr(y).Indent <= 0 && stored.find('\t') == std::string_view::npos;
    if (!plain) expanded = DisplayString(y);
    const std::string_view display = plain ? stored : std::string_view(expanded);
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
  // The state the selection events compare against follows, or the next
  // selection would go unreported and its commands stay disabled.
  sel_.Selected = false;
  if (OnDisSelect) OnDisSelect();
}

// Nothing is drawn until the text is in place: a long text stands in one
// row until re-wrapping has cut it, and drawing that row on the way (when a
// scroll bar appears) cost as much as the paste itself.
void TCustomAFEdit::PasteFromClipboard() {
  if (readOnly_) return;
  std::optional<std::string> text = host_.GetClipboardText();
  if (!text) return;
  ++UndoGroup;
  const bool wasUpdating = updating_;
  updating_ = true;
  InsertText(std::move(*text));
  updating_ = wasUpdating;
  if (updating_) return;
  UpdateScrollBars();
  CaretMoved();
  Paint();
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
