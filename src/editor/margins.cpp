// The left margin with the row numbers, and the column indicator above the
// text: ruler, indent and wrap markers, and the caret's column.
#include <algorithm>

#include "editor/afedit.h"

namespace {

// '.' for each column, '+' every fifth, the tens digit every tenth
// (1-based columns).
char RulerChar(int column) {
  if (column % 10 == 0) return static_cast<char>('0' + (column / 10) % 10);
  return column % 5 == 0 ? '+' : '.';
}

}  // namespace

void TCustomAFEdit::PaintLeftMargin(int row, std::string text) {
  const int y = YOfRow(row);
  // The first row's cell also covers the top margin above it.
  const TRect cell{0, row == TopRow ? TextTop() - topMgn_ : y, TextLeft(), y + rowHeight_};
  host_.Canvas().FillRect(cell, colLeftMgn_);
  bool defaultDraw = true;
  if (OnDrawLeftMgn) OnDrawLeftMgn(row, cell, text, defaultDraw);
  if (!defaultDraw || !HasView(TViewOption::voRowNum) || text.empty()) return;
  TFont f = font_;
  f.Color = colRowNo_;
  const TRect clip = Intersect(cell, TRect{0, y, static_cast<int>(text.size()) * cellWidth_, y + rowHeight_});
  if (!clip.IsEmpty()) host_.Canvas().TextOutCells(0, y, text, Advances(text.size()), clip, f, colLeftMgn_);
}

void TCustomAFEdit::PaintColIndicator() {
  if (updating_ || sel_.HasSel()) return;
  const TRect band{0, 0, ClientWidth(), TextTop() - 1};
  const bool shown = HasView(TViewOption::voColIndicate);
  host_.Canvas().FillRect(band, shown ? colColumnIndi_ : color_);
  if (!shown) return;
  // The handler draws on the band but cannot suppress the ruler.
  if (OnDrawColIndi) OnDrawColIndi(band, true);
  DrawRuler();
  if (HasOption(TAFEditOption::aoAutoFormat)) DrawIndicatorMarkers();
  DrawCaretColumn();
}

// Text on the indicator band in the font's style, clipped to the band and
// to nothing left of `clipLeft`.
void TCustomAFEdit::DrawOnBand(int x, std::string_view text, TColor color, TColor bk, int clipLeft) {
  TFont f = font_;
  f.Color = color;
  const TRect band{0, 0, ClientWidth(), TextTop() - 1};
  const TRect cells{std::max(clipLeft, x), 0, x + static_cast<int>(text.size()) * cellWidth_, rowHeight_};
  const TRect clip = Intersect(cells, band);
  if (!clip.IsEmpty()) host_.Canvas().TextOutCells(x, 0, text, Advances(text.size()), clip, f, bk);
}

void TCustomAFEdit::DrawRuler() {
  const int width = ClientWidth() - TextLeft();
  // A column cut by the right edge gets its character when more than half shows.
  const int shown = VisibleCols() + (width % cellWidth_ > cellWidth_ / 2 ? 1 : 0);
  std::string ruler;
  for (int column = LeftCol + 1; column <= LeftCol + shown + 1; ++column) ruler += RulerChar(column);
  DrawOnBand(TextLeft(), ruler, colColumnNo_, colColumnIndi_, TextLeft());
}

// "<" at the wrap column and ">" just before the indent of the row the
// markers belong to: the top of the row selection, else the caret row.
void TCustomAFEdit::DrawIndicatorMarkers() {
  const int row = std::clamp(sel_.HasRowSel() ? sel_.RowSelTop() : CaretPos.Y, 0, RowCount() - 1);
  const TLineAttr& attr = rows_.Attr(row);
  const int clipLeft = TextLeft() - cellWidth_;
  DrawOnBand(XOfCol(attr.WrapPos), "<", colCr_, colColumnIndi_, clipLeft);
  const int indentX = XOfCol(attr.Indent - 1);
  if (indentX >= clipLeft) DrawOnBand(indentX, ">", colCr_, colColumnIndi_, clipLeft);
}

void TCustomAFEdit::DrawCaretColumn() {
  const int col = InsertionPoint().X;
  const int x = XOfCol(col);
  if (x < TextLeft()) return;
  const bool standard = colColumnNo_ == clWindowText;
  const TColor text = standard ? clHighlightText : colColumnIndi_;
  const TColor bk = standard ? clHighlight : colColumnNo_;
  const char ch = RulerChar(col + 1);
  DrawOnBand(x, std::string_view(&ch, 1), text, bk, TextLeft());
}
