// Painting entry points: geometry, full and incremental repaints, and the
// painting lock. How a row is drawn is in rowpainter.cpp.
#include <algorithm>

#include "editor/afedit.h"

int TCustomAFEdit::VisibleRows() const {
  return std::max(0, (ClientHeight() - TextTop()) / std::max(1, rowHeight_));
}

int TCustomAFEdit::VisibleCols() const {
  return std::max(0, (ClientWidth() - TextLeft()) / std::max(1, cellWidth_));
}

void TCustomAFEdit::UpdateMetrics(bool repaint) {
  charHeight_ = std::max(1, host_.MeasureCharHeight(font_));
  rowHeight_ = std::max(1, charHeight_ + rowPich_);
  // A negative pitch must not make cells empty: every position divides by it.
  cellWidth_ = std::max(1, (charHeight_ + 1) / 2 + charPich_);
  advances_.assign(65536, cellWidth_);
  textArea_.Left = leftMgn_;
  WidenMarginForRowNumbers();
  textArea_.Top = topMgn_ + (HasView(TViewOption::voColIndicate) ? rowHeight_ : 0);
  metricsKnown_ = true;
  if (repaint) {
    host_.HideCaret();
    host_.Canvas().FillRect(TRect{0, 0, ClientWidth(), ClientHeight()}, color_);
    Paint();
    host_.ShowCaret();
  }
}

std::span<const int> TCustomAFEdit::Advances(std::size_t count) {
  if (advances_.size() < count) advances_.resize(count, cellWidth_);
  return std::span<const int>(advances_.data(), count);
}

// The left margin holds the largest row number (at least 100) as RowDspFmt
// formats it; it grows with the rows, never shrinks. True when it grew.
bool TCustomAFEdit::WidenMarginForRowNumbers() {
  if (!HasView(TViewOption::voRowNum)) return false;
  const int needed = static_cast<int>(FormatRowNumber(std::max(100, RowCount())).size()) * cellWidth_;
  if (leftMgn_ >= needed) return false;
  leftMgn_ = needed;
  textArea_.Left = leftMgn_;
  return true;
}

void TCustomAFEdit::Paint() {
  WidenMarginForRowNumbers();
  host_.HideCaret();
  paintRect_ = textArea_;
  for (int r = TopRow; r <= TopRow + VisibleRows(); ++r) PaintRow(r);
  UpdateCaret();
  UpdateScrollBars();
  host_.ShowCaret();
  PaintColIndicator();
  lastPaintedTopRow_ = TopRow;
}

void TCustomAFEdit::RepaintDirty() {
  if (TopRow != lastPaintedTopRow_ || WidenMarginForRowNumbers()) {
    Paint();
    return;
  }
  host_.HideCaret();
  const int last = std::min(TopRow + VisibleRows(), RowCount() - 1);
  for (int r = TopRow; r <= last; ++r) {
    if (!rows_.Attr(r).Redraw && r != RowCount() - 1) continue;
    const int y = YOfRow(r);
    paintRect_ = TRect{TextLeft(), y, ClientWidth(), y + rowHeight_};
    PaintRow(r);
    if (!updating_) rows_.Attr(r).Redraw = false;
  }
  host_.ShowCaret();
  PaintColIndicator();
  lastPaintedTopRow_ = TopRow;
}

// Repaints the cells of `row` between two display columns (either order).
void TCustomAFEdit::RepaintColumns(int row, int col1, int col2) {
  if (col1 == col2 || row < TopRow || row > TopRow + VisibleRows()) return;
  const int first = std::min(col1, col2) - LeftCol, last = std::max(col1, col2) - LeftCol;
  const int y = YOfRow(row);
  paintRect_ = TRect{std::max(TextLeft(), TextLeft() + first * cellWidth_), y,
                     std::min(ClientWidth(), TextLeft() + (last + 1) * cellWidth_), y + rowHeight_};
  if (!paintRect_.IsEmpty()) PaintRow(row);
}

void TCustomAFEdit::PaintRow(int row) {
  if (updating_) return;
  const int y = YOfRow(row);
  const TRect rect = Intersect(TRect{TextLeft(), y, ClientWidth(), y + rowHeight_}, paintRect_);
  if (rect.IsEmpty() || row < TopRow || row > TopRow + VisibleRows() + 1) return;
  if (row >= RowCount()) {
    host_.Canvas().FillRect(TRect{0, rect.Top, rect.Right, rect.Bottom}, color_);
    return;
  }
  if (rows_.Attr(row).WrapPos == 0) rows_.Attr(row) = MakeAttr(true, 0, defWrapPos_);
  DrawRow(row, rect);
}

void TCustomAFEdit::BeginUpdate() { updating_ = true; }

void TCustomAFEdit::EndUpdate() {
  updating_ = false;
  Paint();
}

// The window's frame was drawn: the system colours may have changed.
void TCustomAFEdit::NonClientPaint() {
  // Each channel 0x40 darker than the window. Subtracting 0x404040 as one
  // number would borrow between channels on a dark palette (a channel below
  // 0x40) and set the system-colour bit; per channel it is the same value
  // whenever nothing borrows.
  const TColor window = host_.SystemColor(clWindow);
  markColor_ = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int channel = static_cast<int>((window >> shift) & 0xFF);
    markColor_ |= static_cast<TColor>(std::max(0, channel - 0x40)) << shift;
  }
  BuildCRMarks(colCr_, color_);
}
