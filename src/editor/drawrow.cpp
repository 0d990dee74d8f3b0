// Drawing one row, the left margin and the column indicator.
#include <algorithm>

#include "editor/afedit.h"

void TCustomAFEdit::DrawRow(int row, const TRect& rect) {
  TLineAttr& attr = rows_.Attr(row);
  host_.Canvas().FillRect(rect, attr.BkColor);
  std::size_t consumed = 0;
  const std::string shown = DisplayPrefix(attr.Indent, rows_.Text(row), LeftCol + VisibleCols() + 2, consumed);
  if (static_cast<int>(shown.size()) > LeftCol) {
    const int y = (row - TopRow) * rowHeight_ + TextTop();
    TFont f = font_;
    f.Color = attr.Color;
    host_.Canvas().TextOutCells(TextLeft(), y, std::string_view(shown).substr(LeftCol), cellWidth_, rect, f,
                                attr.BkColor);
  }
  PaintLeftMargin(row, FormatRowNumber(row + 1));
  if (row == RowCount() - 1) {
    const int bottom = (row - TopRow + 1) * rowHeight_ + TextTop();
    host_.Canvas().FillRect(TRect{0, bottom, ClientWidth(), ClientHeight()}, color_);
  }
  attr.Redraw = false;
}

void TCustomAFEdit::PaintLeftMargin(int row, std::string text) {
  const int y = (row - TopRow) * rowHeight_ + TextTop();
  const TRect cell{0, row == TopRow ? TextTop() - topMgn_ : y, TextLeft(), y + rowHeight_};
  host_.Canvas().FillRect(cell, colLeftMgn_);
  bool defaultDraw = true;
  if (OnDrawLeftMgn) OnDrawLeftMgn(row, cell, text, defaultDraw);
  if (!defaultDraw || !HasView(TViewOption::voRowNum)) return;
  TFont f = font_;
  f.Color = colRowNo_;
  host_.Canvas().TextOutCells(0, y, text, cellWidth_, cell, f, colLeftMgn_);
}

void TCustomAFEdit::PaintColIndicator() {
  if (updating_ || sel_.HasSel()) return;
  const TRect band{0, 0, ClientWidth(), TextTop() - 1};
  host_.Canvas().FillRect(band, HasView(TViewOption::voColIndicate) ? colColumnIndi_ : color_);
}

void TCustomAFEdit::NonClientPaint() {}
