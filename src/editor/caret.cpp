// The caret: stepping over double-byte characters, tabs and the indent,
// keeping it in view, and its shape.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/bytekind.h"
#include "editor/switches.h"

namespace {

bool IsTabCell(char c) { return c == '\t' || c == kTabFill; }

bool LeadAt(std::string_view d, int i) { return i >= 0 && ByteKindAt(d, i) == TByteKind::Lead; }
bool TrailAt(std::string_view d, int i) { return i >= 0 && ByteKindAt(d, i) == TByteKind::Trail; }

}  // namespace

// Steps from where the caret is drawn, so that a step left from beyond the
// end of a row, or from inside a tab's expansion, passes a character.
void TCustomAFEdit::CaretLeft() {
  TPoint& c = CaretPos;
  if (c.Y >= RowCount()) {
    if (c.X > 0) --c.X;
    return;
  }
  c = InsertionPoint();
  const std::string d = DisplayString(c.Y);
  const int len = static_cast<int>(d.size());
  if (c.X > std::max<int>(0, rows_.Attr(c.Y).Indent)) {
    if (c.X > len) {
      --c.X;  // a free caret beyond the end
    } else if (IsTabCell(d[c.X - 1])) {
      // Over the whole expansion of the tab, up to the end of an earlier one.
      do {
        --c.X;
      } while (c.X > 0 && d[c.X - 1] == kTabFill);
    } else {
      c.X -= LeadAt(d, c.X - 2) ? 2 : 1;
    }
  } else if (c.Y > 0) {
    --c.Y;
    c.X = RowEndCol(c.Y);
  } else {
    c.X = std::max<int>(0, rows_.Attr(0).Indent);
  }
}

void TCustomAFEdit::CaretRight() {
  TPoint& c = CaretPos;
  if (c.Y >= RowCount()) {
    ++c.X;
    return;
  }
  const bool freeCaret = HasOption(TAFEditOption::aoFreeCaret);
  const std::string d = DisplayString(c.Y);
  const int len = static_cast<int>(d.size());
  if (c.X < std::max<int>(0, rows_.Attr(c.Y).Indent)) {
    c.X = std::max<int>(0, rows_.Attr(c.Y).Indent);
  } else if (c.X <= len - 1) {
    if (IsTabCell(d[c.X])) {
      while (c.X < len && d[c.X] == kTabFill) ++c.X;
      ++c.X;
    } else {
      c.X += LeadAt(d, c.X) ? 2 : 1;
    }
  } else if (freeCaret) {
    ++c.X;
  }
  if (!freeCaret && c.X >= len && c.Y < RowCount() - 1) {
    ++c.Y;
    c.X = std::max<int>(0, rows_.Attr(c.Y).Indent);
  }
}

int TCustomAFEdit::RowEndCol(int row) const { return DisplayLength(row) - (rows_.HasCR(row) ? 1 : 0); }

TPoint TCustomAFEdit::ClampPos(TPoint p) const {
  p.Y = std::clamp(p.Y, 0, RowCount() - 1);
  p.X = std::clamp(p.X, 0, DisplayLength(p.Y));
  return p;
}

TPoint TCustomAFEdit::SnapCaret(TPoint p, bool fromMouse) {
  if (fromMouse) EditSwitches::SnapLeftNext = true;
  if (p.Y >= 0 && p.Y < RowCount()) {
    const std::string d = DisplayString(p.Y);
    if (p.X < static_cast<int>(d.size()) && TrailAt(d, p.X)) {
      p.X += EditSwitches::SnapLeftNext ? -1 : 1;
      EditSwitches::SnapLeftNext = !EditSwitches::SnapLeftNext;
    }
  }
  return p;
}

// Typed text lands in front of a tab whose expansion the caret stands in,
// at the indent when the caret is left of it, and, without a free caret,
// at the end of the row (in front of its CR) when the caret is beyond it.
// Clicks and vertical moves leave the caret there on purpose: its column
// is kept for the rows that follow.
TPoint TCustomAFEdit::InsertionPoint() const {
  TPoint p = CaretPos;
  if (p.Y < 0 || p.Y >= RowCount()) return p;
  const int end = RowEndCol(p.Y);
  if (p.X > end) {
    if (!HasOption(TAFEditOption::aoFreeCaret)) p.X = end;
    return p;
  }
  const std::string d = DisplayString(p.Y);
  while (p.X > 0 && d[p.X - 1] == kTabFill) --p.X;
  p.X = std::max<int>(p.X, rows_.Attr(p.Y).Indent);
  return p;
}

void TCustomAFEdit::MoveCaretTo(TPoint p) {
  CaretPos = p;
  UpdateCaret();
}

void TCustomAFEdit::UpdateCaret() {
  if (!host_.HasFocus() || CaretPos.Y < 0 ||
      (CaretPos.Y >= RowCount() && !HasOption(TAFEditOption::aoFreeCaret)) || updating_)
    return;
  CaretPos = SnapCaret(CaretPos, false);
  const TPoint at = InsertionPoint();
  const int x = XOfCol(at.X);
  const int y = YOfRow(at.Y);
  const bool overDouble = at.Y < RowCount() && LeadAt(DisplayString(at.Y), at.X);
  host_.HideCaret();
  if (!caretShapeKnown_ || InsertMode != caretShapeInsert_ || overDouble != caretShapeOverDouble_) {
    if (InsertMode) {
      host_.CreateCaret(2, charHeight_);
    } else {
      host_.CreateCaret(overDouble ? charHeight_ : charHeight_ / 2, charHeight_);
    }
    caretShapeKnown_ = true;
    caretShapeInsert_ = InsertMode;
    caretShapeOverDouble_ = overDouble;
  }
  host_.SetCaretPos(x, y);
  const TRect& a = textArea_;
  if (x >= a.Left && x < a.Right && y >= a.Top && y < a.Bottom) {
    // Undo this call's hide and every hide left pending while the caret was
    // out of view or the view scrolled under a selection.
    for (int i = 0; i <= hiddenCaretCount_; ++i) host_.ShowCaret();
    hiddenCaretCount_ = 0;
    host_.SetCompositionWindow(CompositionPlace(at), font_, color_);
  } else {
    ++hiddenCaretCount_;
  }
  if (OnStatusChange) OnStatusChange();
  if (at.X != indicatorCaretCol_ || LeftCol != indicatorLeftCol_) PaintColIndicator();
  if (TopRow != scrollBarTopRow_ || LeftCol != scrollBarLeftCol_) UpdateScrollBars();
  indicatorCaretCol_ = at.X;
  indicatorLeftCol_ = LeftCol;
}

// The composition starts where its result will land: at the start of the
// selection it replaces, else at `caret`, where the caret is drawn. It
// flows as typed text would: up to the wrap column when rows wrap (unless
// it starts beyond it), on following lines from the row's indent.
TCompositionPlace TCustomAFEdit::CompositionPlace(TPoint caret) const {
  const TPoint at = sel_.HasSel() ? ClampPos(sel_.SelStart()) : caret;
  TCompositionPlace place;
  place.Origin = TPoint{XOfCol(at.X), YOfRow(at.Y)};
  place.View = textArea_;
  place.CellWidth = cellWidth_;
  place.RowHeight = rowHeight_;
  place.CharHeight = charHeight_;
  place.LineLeft = TextLeft();
  place.LineRight = textArea_.Right;
  if (HasOption(TAFEditOption::aoAutoFormat)) {
    const int wrapX = XOfCol(WrapWidth());
    if (wrapX > place.Origin.X) place.LineRight = std::min(place.LineRight, wrapX);
    if (at.Y < RowCount()) place.LineLeft = std::max(place.LineLeft, XOfCol(rows_.Attr(at.Y).Indent));
  }
  // A line must hold a double-byte character.
  if (place.LineRight - place.LineLeft < 2 * cellWidth_) place.LineLeft = TextLeft();
  return place;
}

void TCustomAFEdit::CaretMoved() {
  if (TopRow != scrollBarTopRow_ || LeftCol != scrollBarLeftCol_) UpdateScrollBars();
  const TPoint c = CaretPos;
  if (c.Y < TopRow - 1) {
    WMVScroll(SB_THUMBPOSITION, c.Y);
  } else if (TopRow == c.Y + 1) {
    WMVScroll(SB_LINEUP, 0);
  } else if (TopRow + VisibleRows() == c.Y + 1) {
    WMVScroll(SB_LINEDOWN, 0);
  } else if (c.Y >= TopRow + VisibleRows() - 1) {
    TopRow = c.Y - VisibleRows() + 2;
    Paint();
  }
  if (c.X < LeftCol - 1) {
    WMHScroll(SB_THUMBPOSITION, c.X);
  } else if (LeftCol == c.X + 1) {
    WMHScroll(SB_LINELEFT, 0);
  } else if (LeftCol + VisibleCols() == c.X + 2) {
    WMHScroll(SB_LINERIGHT, 0);
  } else if (c.X >= LeftCol + VisibleCols() - 1 && LeftCol != c.X - VisibleCols() + 1) {
    LeftCol = c.X - VisibleCols() + 1;
    Paint();
  }
  UpdateCaret();
  const TPoint oldEnd = sel_.EndPos;
  if (ShiftSelecting) {
    sel_.EndPos = ClampPos(CaretPos);
  } else if (sel_.HasSel()) {
    MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
    sel_.EndPos = sel_.AnchorPos = ClampPos(CaretPos);
    RepaintDirty();
  }
  if (sel_.EndPos.Y == oldEnd.Y) {
    RepaintColumns(CaretPos.Y, oldEnd.X, sel_.EndPos.X);
  } else {
    MarkRowsRedraw(std::min(oldEnd.Y, CaretPos.Y), std::max(oldEnd.Y, CaretPos.Y));
    RepaintDirty();
  }
}
