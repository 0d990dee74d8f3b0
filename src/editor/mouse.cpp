// The mouse: hit-testing, cursor shapes by area, clicks, drag selection,
// row selection in the left margin and dragging the indent and wrap
// markers. Scrolling past the text area while dragging is in
// autoscroll.cpp, double-click selection in dblclick.cpp.
#include <algorithm>

#include "editor/afedit.h"

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
  ClampSelection();
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

