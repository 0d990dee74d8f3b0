// Which colours a cell is drawn in: the selection, block attributes, and the
// kind of thing drawn (text, mark, keyword, ...).
#include "editor/afedit.h"

// The virtual indent is never shown selected by a stream selection, while a
// row selection covers its rows across the whole width.
bool TCustomAFEdit::CellSelected(int row, int col, int displayLength) const {
  if (sel_.RowInSel(row)) return true;
  return sel_.PosInSel(col, row) && col >= rows_.Attr(row).Indent && col < displayLength;
}

TRunColors TCustomAFEdit::RunColors(int row, int col, int index, int displayLength, TRunKind kind,
                                    const TColAttr& colAttr) const {
  const TLineAttr& attr = rows_.Attr(row);
  TRunColors c{font_, attr.BkColor};
  if (CellSelected(row, col, displayLength)) {
    // On a row of its own background the selection is inverted instead.
    if (attr.BkColor == color_) {
      c.Font.Color = colSelText_;
      c.Bk = colSelBrush_;
    } else {
      c.Font.Color = attr.BkColor;
      c.Bk = attr.Color;
    }
    if (kind == TRunKind::Dependence) c.Font.Color = colDependence_;
    if (kind == TRunKind::Keyword) {
      c.Font.Style = keywordStyle_;
      c.Font.Color = font_.Color ^ colKeyWord_ ^ colSelText_;
    }
    return c;
  }
  if (const TBlkAttr* block = blocks_.Lookup(TPoint{index, row})) {
    c.Font.Color = block->Color;
    c.Font.Style = block->Style;
    return c;
  }
  switch (kind) {
    case TRunKind::Text:
      c.Font.Color = attr.Color;
      break;
    case TRunKind::Mark:
      c.Font.Color = markColor_;
      break;
    case TRunKind::CR:
      c.Font.Color = colCr_;
      break;
    case TRunKind::Dependence:
      c.Font.Color = colDependence_;
      break;
    case TRunKind::Keyword:
      c.Font.Color = colKeyWord_;
      c.Font.Style = keywordStyle_;
      break;
    case TRunKind::ColAttr:
      c.Font.Color = colAttr.Color;
      c.Font.Style = colAttr.Style;
      break;
  }
  return c;
}
