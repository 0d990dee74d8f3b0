// The mouse: hit-testing, cursor shapes by area, clicks, drag selection with
// automatic scrolling, row selection in the left margin, dragging the
// indent and wrap markers, and double-click selection.
#include <algorithm>
#include <vector>

#include "editor/afedit.h"
#include "editor/bytekind.h"

namespace {

// MouseMode values: what the left button is dragging.
constexpr int kMouseIdle = 0;
constexpr int kRowDrag = 1;
constexpr int kWrapMarkerDrag = 2;
constexpr int kIndentMarkerDrag = 3;
constexpr int kTextDrag = 4;

// Pixels added before dividing by the cell width, so that a click close to
// a cell's right edge lands behind that cell.
constexpr int kClickBias = 3;
// Columns the indent and wrap markers stay apart.
constexpr int kMarkerGap = 8;
// Pause after each step of automatic scrolling, so that the window shows
// the step before the next one.
constexpr int kAutoScrollPaceMs = 30;

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Which bytes of a row are single-byte ASCII letters or digits.
std::vector<bool> WordBytes(std::string_view text) {
  std::vector<bool> word(text.size(), false);
  for (std::size_t k = 0; k < text.size(); k += sjis::CharLen(text, k))
    word[k] = sjis::CharLen(text, k) == 1 && IsAsciiAlnum(text[k]);
  return word;
}

// Byte position of the first letter of the word holding byte i of `row`,
// going back over soft wraps.
TPoint WordStart(const TCustomAFEdit& edit, int row, int i) {
  std::vector<bool> word = WordBytes(edit.GetRow(row));
  for (;;) {
    while (i > 0 && word[i - 1]) --i;
    if (i > 0 || row == 0) return TPoint{i, row};
    std::vector<bool> above = WordBytes(edit.GetRow(row - 1));
    if (above.empty() || !above.back()) return TPoint{i, row};
    --row;
    word = std::move(above);
    i = static_cast<int>(word.size()) - 1;
  }
}

// Byte position just after the word holding byte i of `row`, going on over
// soft wraps.
TPoint WordEnd(const TCustomAFEdit& edit, int row, int i) {
  std::vector<bool> word = WordBytes(edit.GetRow(row));
  for (;;) {
    while (i < static_cast<int>(word.size()) && word[i]) ++i;
    if (i < static_cast<int>(word.size()) || row + 1 >= edit.RowCount()) return TPoint{i, row};
    std::vector<bool> below = WordBytes(edit.GetRow(row + 1));
    if (below.empty() || !below.front()) return TPoint{i, row};
    ++row;
    word = std::move(below);
    i = 0;
  }
}

}  // namespace

TPoint TCustomAFEdit::CellAt(int x, int y) const {
  TPoint p{(x + kClickBias - TextLeft()) / cellWidth_ + LeftCol, (y - TextTop()) / rowHeight_ + TopRow};
  p.Y = std::max(std::min(p.Y, RowCount() - 1), 0);
  p.X = std::max(p.X, 0);
  return p;
}

// ---- Cursor shapes

void TCustomAFEdit::SetCursorShape(TCursorShape shape) {
  cursor_ = shape;
  host_.SetCursor(shape);
}

void TCustomAFEdit::MouseLeave() { SetCursorShape(TCursorShape::Default); }

// The shape tells the next button-down what it is pressing on.
void TCustomAFEdit::UpdateCursorShape(int x, int y) {
  const bool rightOfMargin = x > TextLeft();
  if (x <= 0 || x >= ClientWidth() || y <= 0 || y >= ClientHeight()) {
    SetCursorShape(TCursorShape::Default);
  } else if (y > TextTop()) {
    SetCursorShape(rightOfMargin ? TCursorShape::IBeam : TCursorShape::RowSelect);
  } else if (rightOfMargin) {
    SetCursorShape(OverMarker(x, y) ? TCursorShape::SizeWE : TCursorShape::Default);
  }
}

// Is (x, y), in the column indicator band, on the wrap or indent marker of
// the row selection's top row?
bool TCustomAFEdit::OverMarker(int x, int y) const {
  if (!sel_.HasRowSel() || sel_.RowSelTop() >= RowCount()) return false;
  const TLineAttr& top = rows_.Attr(sel_.RowSelTop());
  const int col = CellAt(x, y).X;
  return col == top.WrapPos || col == top.Indent;
}

// ---- Button down

void TCustomAFEdit::WMLButtonDown(int x, int y, TShiftState shift) {
  SetFocus();
  const TPoint p = CellAt(x, y);
  switch (cursor_) {
    case TCursorShape::SizeWE:
      PressMarker(p);
      break;
    case TCursorShape::IBeam:
      PressText(p, shift & ssShift);
      break;
    case TCursorShape::RowSelect:
      PressMargin(p, shift & ssShift);
      break;
    default:
      break;
  }
  CheckSelState();
}

// The marker line is drawn inverted, so that drawing it again erases it.
void TCustomAFEdit::PressMarker(TPoint p) {
  if (!sel_.HasRowSel() || sel_.RowSelTop() >= RowCount()) return;
  const TLineAttr& top = rows_.Attr(sel_.RowSelTop());
  if (p.X == top.WrapPos) {
    MouseMode = kWrapMarkerDrag;
  } else if (top.Indent == std::min(p.X, top.WrapPos - kMarkerGap)) {
    MouseMode = kIndentMarkerDrag;
  } else {
    return;
  }
  dragColumn_ = p.X;
  InvertMarkerLine(dragColumn_);
  host_.SetCapture(true);
}

// Without Shift the click puts the caret (hidden until the button is
// released); with Shift it selects from the caret, which stays.
void TCustomAFEdit::PressText(TPoint p, bool shift) {
  p = SnapCaret(p, true);
  if (sel_.HasRowSel()) {
    MarkRowsRedraw(sel_.RowSelTop(), sel_.RowSelBottom());
    sel_.ClearRowSel();
  }
  if (host_.IsComposing()) host_.CancelComposition();
  if (shift) {
    const TPoint oldStart = sel_.SelStart(), oldEnd = sel_.SelEnd();
    sel_.AnchorPos = ClampPos(CaretPos);
    sel_.EndPos = ClampPos(p);
    MarkRowsRedraw(std::min(oldStart.Y, sel_.SelStart().Y), std::max(oldEnd.Y, sel_.SelEnd().Y));
  } else {
    if (sel_.HasSel()) MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
    sel_.AnchorPos = sel_.EndPos = ClampPos(p);
    host_.HideCaret();
    MoveCaretTo(p);
  }
  MouseMode = kTextDrag;
  host_.SetCapture(true);
  RepaintDirty();
}

// Shift+click extends a row selection from the row where it began.
void TCustomAFEdit::PressMargin(TPoint p, bool shift) {
  if (sel_.HasSel()) MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
  MarkRowsRedraw(p.Y, p.Y);
  sel_.CollapseSel();
  if (sel_.HasRowSel()) MarkRowsRedraw(sel_.RowSelTop(), sel_.RowSelBottom());
  if (!shift || !sel_.HasRowSel()) sel_.RowSelFrom = p.Y;
  sel_.RowSelTo = p.Y;
  MarkRowsRedraw(sel_.RowSelTop(), sel_.RowSelBottom());
  UpdateRowSelBounds();
  RepaintDirty();
  host_.SetCapture(true);
  MouseMode = kRowDrag;
}

// ---- Moves

void TCustomAFEdit::WMMouseMove(int x, int y, TShiftState shift) {
  const bool leftDown = shift & ssLeft;
  switch (MouseMode) {
    case kMouseIdle:
      UpdateCursorShape(x, y);
      break;
    case kRowDrag:
      if (leftDown) DragRows(x, y);
      break;
    case kWrapMarkerDrag:
    case kIndentMarkerDrag:
      DragMarker(CellAt(x, y).X);
      break;
    case kTextDrag:
      if (leftDown) DragText(x, y);
      break;
    default:
      break;
  }
}

void TCustomAFEdit::DragRows(int x, int y) {
  const TPoint p = CellAt(x, y);
  if (p.Y == lastDragRow_) return;
  SetCursorShape(TCursorShape::RowSelect);
  sel_.RowSelTo = std::min(p.Y, RowCount() - 1);
  if (p.Y - TopRow > VisibleRows()) {
    AutoScrollRows(x, y, true);
  } else if (p.Y - TopRow < 0) {
    AutoScrollRows(x, y, false);
  }
  const int from = lastDragRow_ < 0 ? p.Y : lastDragRow_;
  MarkRowsRedraw(std::min(from, p.Y), std::max(from, p.Y));
  UpdateRowSelBounds();
  RepaintDirty();
  lastDragRow_ = p.Y;
}

// Neither marker comes closer than kMarkerGap columns to the other one of
// any selected row.
void TCustomAFEdit::DragMarker(int col) {
  const int column = MouseMode == kWrapMarkerDrag ? std::max(col, sel_.MaxIndent + kMarkerGap)
                                                  : std::min(col, sel_.MinWrapPos - kMarkerGap);
  if (column == dragColumn_) return;
  InvertMarkerLine(dragColumn_);
  InvertMarkerLine(column);
  dragColumn_ = column;
}

// The caret follows the pointer but stays hidden until the button is
// released; the selection end follows too.
void TCustomAFEdit::DragText(int x, int y) {
  TPoint p = SnapCaret(CellAt(x, y), true);
  p.X = std::min(p.X, MaxRowLen);
  if (p == CaretPos) return;
  sel_.EndPos = ClampPos(p);
  p = AutoScrollText(x, y, p);
  if (CaretPos.Y == p.Y) {
    RepaintColumns(p.Y, CaretPos.X, p.X);
  } else {
    MarkRowsRedraw(std::min(CaretPos.Y, p.Y), std::max(CaretPos.Y, p.Y));
    RepaintDirty();
  }
  CaretPos = p;
}

// ---- Automatic scrolling while dragging past the text area

// The row selection reaches AccelRate rows beyond the visible edge; the
// further the pointer is from the text, the larger each step.
void TCustomAFEdit::AutoScrollRows(int x, int y, bool down) {
  const int reach = accelRate_ * rowHeight_;
  RunAutoScroll(true, y, [&] {
    if (down) {
      if (sel_.RowSelBottom() >= RowCount() - 1 && TopRow + VisibleRows() >= RowCount() - 1) return false;
      sel_.RowSelTo = CellAt(x, ClientHeight() + reach).Y;
      TopRow = CellAt(x, y).Y - VisibleRows() + 1;
    } else {
      if (sel_.RowSelTop() <= 0 && TopRow <= 0) return false;
      sel_.RowSelTo = CellAt(x, -reach).Y;
      TopRow = CellAt(x, y).Y;
    }
    return true;
  });
}

// Scrolls in one direction (below, above, right or left of the text area,
// tested in that order); returns where the caret goes.
TPoint TCustomAFEdit::AutoScrollText(int x, int y, TPoint p) {
  if (p.Y - TopRow > VisibleRows()) {
    RunAutoScroll(true, y, [&] {
      if (TopRow + VisibleRows() >= RowCount() - 1 && sel_.SelEnd().Y >= RowCount() - 1) return false;
      sel_.EndPos = CellAt(x, ClientHeight() + rowHeight_);
      TopRow = CellAt(x, y).Y - VisibleRows() + 1;
      return true;
    });
    return sel_.SelEnd();
  }
  if (p.Y - TopRow < 0) {
    RunAutoScroll(true, y, [&] {
      if (sel_.SelStart().Y < 1 && TopRow < 1) return false;
      sel_.EndPos = CellAt(x, -rowHeight_);
      TopRow = CellAt(x, y).Y;
      return true;
    });
    return sel_.SelStart();
  }
  if (p.X - LeftCol > VisibleCols()) {
    RunAutoScroll(false, x, [&] {
      if (sel_.EndPos.X >= MaxRowLen) return false;
      sel_.EndPos = CellAt(ClientWidth() + cellWidth_, y);
      LeftCol = CellAt(x, y).X - VisibleCols();
      return true;
    });
  } else if (p.X - LeftCol < 1) {
    RunAutoScroll(false, x, [&] {
      if (sel_.EndPos.X <= 0) return false;
      sel_.EndPos = CellAt(-cellWidth_, y);
      LeftCol = CellAt(x, y).X;
      return true;
    });
  }
  return p;
}

// Repeats `step` (false once the text limit is reached) while the pointer
// stays at `at` along the scrolling direction and the button is held. A
// step that cannot move the view (the pointer just inside the edge) ends it.
void TCustomAFEdit::RunAutoScroll(bool vertical, int at, const std::function<bool()>& step) {
  for (;;) {
    const int topRow = TopRow, leftCol = LeftCol;
    if (!step()) return;
    Paint();
    if (TopRow == topRow && LeftCol == leftCol) return;
    host_.Wait(kAutoScrollPaceMs);
    const TPoint now = host_.MousePos();
    if ((vertical ? now.Y : now.X) != at || !host_.IsKeyDown(VK_LBUTTON)) return;
  }
}

// ---- Button up

void TCustomAFEdit::WMLButtonUp(int, int, TShiftState shift) {
  host_.SetCapture(false);
  switch (MouseMode) {
    case kRowDrag:
      DropRows();
      break;
    case kWrapMarkerDrag:
    case kIndentMarkerDrag:
      DropMarker(shift & ssShift);
      break;
    case kTextDrag:
      UpdateCaret();
      host_.ShowCaret();
      break;
    default:
      break;
  }
  MouseMode = kMouseIdle;
  CheckSelState();
}

// The caret goes to the row after the selected rows.
void TCustomAFEdit::DropRows() {
  CaretPos = TPoint{0, sel_.RowSelBottom() + 1};
  PaintColIndicator();
  UpdateCaret();
}

// Every selected row takes the wrap column, or the indent (with Shift all
// the same one, else all moved alike); the rows are then re-wrapped. Each
// row's change is one undo record of the same group.
void TCustomAFEdit::DropMarker(bool shift) {
  InvertMarkerLine(dragColumn_);
  if (!readOnly_ && sel_.HasRowSel()) {
    ++UndoGroup;
    const int col = dragColumn_;
    if (MouseMode == kWrapMarkerDrag) {
      ChangeSelectedRows([col](TLineAttr& a) { a.WrapPos = static_cast<std::int16_t>(col); });
    } else if (shift) {
      ChangeSelectedRows([col](TLineAttr& a) {
        a.Indent = static_cast<std::int16_t>(std::max(0, std::min(col, a.WrapPos - kMarkerGap)));
      });
    } else {
      const int delta = col - rows_.Attr(sel_.RowSelTop()).Indent;
      ChangeSelectedRows([delta](TLineAttr& a) { a.Indent = static_cast<std::int16_t>(std::max(0, a.Indent + delta)); });
    }
    ReflowSelectedRows();
  }
  UpdateRowSelBounds();
  Paint();
  PaintColIndicator();
}

void TCustomAFEdit::ChangeSelectedRows(const std::function<void(TLineAttr&)>& change) {
  const int bottom = std::min(sel_.RowSelBottom(), RowCount() - 1);
  for (int r = sel_.RowSelTop(); r <= bottom; ++r) {
    TLineAttr attr = rows_.Attr(r);
    change(attr);
    SetRowAttr(r, attr);
  }
}

// The row selection follows the re-wrapping, so its bottom is read anew;
// a handler that cleared the selection meanwhile stops it.
void TCustomAFEdit::ReflowSelectedRows() {
  for (int r = sel_.RowSelTop(); sel_.HasRowSel() && r <= sel_.RowSelBottom() && r < RowCount(); ++r)
    ReflowRow(r);
}

void TCustomAFEdit::InvertMarkerLine(int col) {
  const int x = (col - LeftCol) * cellWidth_ + TextLeft();
  host_.Canvas().Line(x, TextTop(), x, ClientHeight(), clBlack, true);
}

// ---- Double click

// The first click has placed the caret; the selection is made around it
// and the caret stays.
void TCustomAFEdit::WMLButtonDblClk(int x, int, TShiftState) {
  const int row = CaretPos.Y;
  if (row < 0 || row >= RowCount() || x < leftMgn_) return;
  const std::string& text = rows_.Text(row);
  const int i = ColToIndex(row, CaretPos.X);
  if (i < 0 || i >= static_cast<int>(text.size())) return;
  if (!SelectColouredRun(row, i)) {
    if (ByteKindAt(text, i) == TByteKind::Lead) {
      sel_.AnchorPos = IndexToCol(TPoint{i, row});
      sel_.EndPos = IndexToCol(TPoint{i + 2, row});
    } else if (ByteKindAt(text, i) == TByteKind::Single && IsAsciiAlnum(text[i])) {
      sel_.AnchorPos = IndexToCol(WordStart(*this, row, i));
      sel_.EndPos = IndexToCol(WordEnd(*this, row, i));
    }
  }
  if (!sel_.HasSel()) return;
  if (OnSelect) OnSelect();
  MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
  RepaintDirty();
}

// The bytes around i that the host coloured alike (same colour and style).
bool TCustomAFEdit::SelectColouredRun(int row, int i) {
  TColAttrList* attrs = rows_.ColAttrsOrNull(row);
  if (!attrs || !attrs->IsActive(i)) return false;
  const TColAttr at = attrs->Items(i);
  const int len = static_cast<int>(rows_.Text(row).size());
  auto same = [&](int k) {
    return k < len && attrs->IsActive(k) && attrs->Items(k).Color == at.Color && attrs->Items(k).Style == at.Style;
  };
  int first = i, last = i;
  while (first > 0 && same(first - 1)) --first;
  while (same(last + 1)) ++last;
  sel_.AnchorPos = IndexToCol(TPoint{first, row});
  sel_.EndPos = IndexToCol(TPoint{last + 1, row});
  return true;
}
