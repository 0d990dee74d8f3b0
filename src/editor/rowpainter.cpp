#include "editor/rowpainter.h"

#include <algorithm>
#include <climits>

#include "editor/afedit.h"
#include "editor/bytekind.h"

namespace {

const char kFoldMark[] = "\x81\xA9";       // ←
const char kEndOfTextMark[] = "< ";
const char kWideSpaceMark[] = "\x81\xA0";  // □
const char kWideSpace[] = "\x81\x40";
constexpr char kIndentMark = '.';
constexpr char kTabFillMark = '-';
constexpr char kTabMark = '>';

}  // namespace

void TCustomAFEdit::DrawRow(int row, const TRect& rect) { painter_->Paint(row, rect); }

void TRowPainter::Paint(int row, const TRect& rect) {
  row_ = row;
  rect_ = rect;
  y_ = e_.YOfRow(row);
  BuildDisplayForm();
  ComputeSelectedColumns();
  const TLineAttr& attr = e_.rows_.Attr(row_);
  // The area behind the text is shown selected when the selection covers
  // the row from its first column through its line end; the row where a
  // selection ends is not selected past that end.
  const bool wholeRow = Selected(0) && Selected(Length() - 1);
  e_.host_.Canvas().FillRect(rect_, wholeRow ? e_.colSelBrush_ : attr.BkColor);
  if (!OfferToHost()) return;
  colAttrs_ = e_.rows_.ColAttrsOrNull(row_);
  int first = 0, end = 0;
  ChooseColumns(first, end);
  DrawColumns(first, end);
  e_.PaintLeftMargin(row_, e_.FormatRowNumber(row_ + 1));
  DrawWrapLine();
  if (row_ == e_.RowCount() - 1) {
    const int bottom = y_ + e_.rowHeight_;
    e_.host_.Canvas().FillRect(TRect{0, bottom, e_.ClientWidth(), e_.ClientHeight()}, e_.color_);
  }
  e_.rows_.Attr(row_).Redraw = false;
}

// The indent as bytes 1 and each TAB as fill bytes 11 and the TAB (both as
// spaces when their marks are off), then LF unless the row ends with CR.
void TRowPainter::BuildDisplayForm() {
  text_ = e_.rows_.Text(row_);
  const std::string_view text = text_;
  const int indent = std::max<int>(0, e_.rows_.Attr(row_).Indent);
  const bool tabMarks = e_.HasView(TViewOption::voTab);
  d_.assign(indent, e_.HasView(TViewOption::voIndent) ? kIndentByte : ' ');
  index_.resize(indent);
  for (int c = 0; c < indent; ++c) index_[c] = c - indent;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t') {
      const int cells = e_.TabCells(static_cast<int>(d_.size()) - indent);
      d_.append(cells - 1, tabMarks ? kTabFill : ' ');
      d_ += tabMarks ? '\t' : ' ';
      index_.insert(index_.end(), cells, static_cast<int>(i));
    } else {
      d_ += text[i];
      index_.push_back(static_cast<int>(i));
    }
  }
  // A lead byte right before the line end stands alone: the end is no trail byte.
  const int textEnd = EndsWithCR(text) ? Length() - 1 : Length();
  if (!EndsWithCR(text)) {
    d_ += '\n';
    index_.push_back(static_cast<int>(text.size()));
  }
  ClassifyBytes(std::string_view(d_.data(), textEnd), textEnd, kind_);
  kind_.resize(d_.size(), TByteKind::Single);
}

void TRowPainter::ComputeSelectedColumns() {
  const TSelArea& sel = e_.sel_;
  selFrom_ = selTo_ = 0;
  if (sel.RowInSel(row_)) {
    selFrom_ = INT_MIN;
    selTo_ = INT_MAX;
    return;
  }
  if (!sel.HasSel()) return;
  const TPoint s = sel.SelStart(), e = sel.SelEnd();
  if (row_ < s.Y || row_ > e.Y) return;
  selFrom_ = std::max<int>(row_ == s.Y ? s.X : 0, e_.rows_.Attr(row_).Indent);
  selTo_ = std::min(row_ == e.Y ? e.X : INT_MAX, Length());
}

// OnDrawLine may colour the row through its column attributes, or draw the
// row itself; false when it did the latter.
bool TRowPainter::OfferToHost() {
  if (!e_.OnDrawLine) return true;
  bool defaultDraw = true;
  e_.OnDrawLine(row_, rect_, d_, defaultDraw);
  return defaultDraw;
}

bool TRowPainter::TabCell(int col) const {
  const int i = index_[col];
  return i >= 0 && i < static_cast<int>(text_.size()) && text_[i] == '\t';
}

bool TRowPainter::InWordSet(int col) const {
  return e_.IsKeywordChar(static_cast<unsigned char>(d_[col])) || TabCell(col);
}

// The visible columns, widened so that a keyword, a tab mark or a
// double-byte character at either edge is drawn whole.
void TRowPainter::ChooseColumns(int& first, int& end) const {
  const int cell = e_.cellWidth_, left = e_.TextLeft();
  first = (rect_.Left - left) / cell + e_.LeftCol;
  // A cell cut by the right edge is drawn too.
  end = (rect_.Right - left + cell - 1) / cell + e_.LeftCol;
  const int len = Length();
  if (first > 0 && first < len && InWordSet(first)) {
    while (first > 0 && InWordSet(first - 1)) --first;
  }
  if (first > 0 && first < len && kind_[first] == TByteKind::Trail) --first;
  if (end < len) {
    if (end > 0 && kind_[end - 1] == TByteKind::Lead) ++end;
    if (end < len && (d_[end] == '\n' || d_[end] == '\r')) {
      ++end;
    } else {
      while (end < len && InWordSet(end)) ++end;
    }
  }
  end = std::min(end, len);
  if (first == len) --first;
}

void TRowPainter::DrawColumns(int first, int end) {
  run_.clear();
  wordCol_ = -1;
  wordLen_ = 0;
  indentCol_ = -1;
  if (first >= end) return;
  textColors_ = Colors(first, TRunKind::Text);
  textSelected_ = Selected(first);
  nextBoundary_ = e_.blocks_.NextBoundary(row_, index_[first]);
  int col = first;
  while (col < end) {
    const int index = index_[col];
    if (nextBoundary_ >= 0 && index >= nextBoundary_) {
      textColors_ = Colors(col, TRunKind::Text);
      nextBoundary_ = e_.blocks_.NextBoundary(row_, index);
    }
    if (colAttrs_ && colAttrs_->IsActive(index)) {
      col = DrawColAttrRun(col, end);
      textColors_ = Colors(col, TRunKind::Text);
      textSelected_ = Selected(col);
      continue;
    }
    // A character takes the selection state of its first column, also
    // when a selection end lies inside it.
    if (Selected(col) != textSelected_) {
      textColors_ = Colors(col, TRunKind::Text);
      textSelected_ = Selected(col);
    }
    col += DrawColumn(col);
  }
  if (indentCol_ >= 0) {
    FlushIndent(end - 1);
  } else {
    FinishWord();
    Flush();
  }
}

// Draws (or collects) the character at `col`; returns the columns it took.
int TRowPainter::DrawColumn(int col) {
  const unsigned char b = static_cast<unsigned char>(d_[col]);
  if (IndentCell(col) && b == static_cast<unsigned char>(kIndentByte)) {
    if (indentCol_ < 0) {
      Flush();
      indentCol_ = col;
    }
    if (index_[col] == -1) FlushIndent(col);
    return 1;
  }
  if (kind_[col] == TByteKind::Lead) return DrawDoubleByte(col);
  if (b == '\r') {
    DrawCRMark(col);
    return 1;
  }
  if (b == '\n') {
    DrawLineEnd(col);
    return 1;
  }
  if (TabCell(col) && (b == '\t' || b == static_cast<unsigned char>(kTabFill))) return DrawTabMark(col);
  if (b >= 129 && e_.HasView(TViewOption::voHankana)) {
    FinishWord();
    Append(col, Bytes(col, 1), Colors(col, TRunKind::Dependence));
    return 1;
  }
  if (e_.IsKeywordChar(b)) {
    AddWordByte(col);
    return 1;
  }
  FinishWord();
  Append(col, Bytes(col, 1), textColors_);
  return 1;
}

int TRowPainter::DrawDoubleByte(int col) {
  FinishWord();
  const std::string_view ch = Bytes(col, 2);
  if (ch == kWideSpace && e_.HasView(TViewOption::voAnsiSpace)) {
    Append(col, kWideSpaceMark, Colors(col, TRunKind::Mark));
  } else if (e_.HasView(TViewOption::voDependence) && e_.IsDependenceChar(ch)) {
    Append(col, ch, Colors(col, TRunKind::Dependence));
  } else {
    Append(col, ch, textColors_);
  }
  return 2;
}

// This byte and those after it with an equally coloured active attribute,
// split where the selection begins or ends. Returns the column after them.
int TRowPainter::DrawColAttrRun(int col, int end) {
  FinishWord();
  Flush();
  const TColAttr attr = colAttrs_->Items(index_[col]);
  auto same = [&](int c) {
    if (!colAttrs_->IsActive(index_[c])) return false;
    const TColAttr& a = colAttrs_->Items(index_[c]);
    return a.Color == attr.Color && a.Style == attr.Style;
  };
  int stop = col;
  while (stop < end && same(stop)) stop += kind_[stop] == TByteKind::Lead ? 2 : 1;
  for (int piece = col; piece < stop;) {
    int next = piece;
    while (next < stop && Selected(next) == Selected(piece)) next += kind_[next] == TByteKind::Lead ? 2 : 1;
    next = std::min(next, stop);
    const int index = index_[piece];
    TRunColors colors = e_.RunColors(row_, piece, index, Length(), TRunKind::ColAttr, attr);
    colors.Style = attr.Style;
    DrawText(piece, Bytes(piece, next - piece), colors);
    piece = next;
  }
  return stop;
}

// '-' for each fill cell and '>' in the TAB's own cell, as one run.
int TRowPainter::DrawTabMark(int col) {
  FinishWord();
  Flush();
  const int tab = index_[col];
  int c = col;
  std::string marks;
  while (c < Length() && index_[c] == tab && d_[c] == kTabFill) {
    marks += kTabFillMark;
    ++c;
  }
  if (c < Length() && index_[c] == tab) {
    marks += kTabMark;
    ++c;
  }
  DrawText(col, marks, Colors(col, TRunKind::Mark));
  return c - col;
}

void TRowPainter::DrawCRMark(int col) {
  FinishWord();
  Flush();
  if (!e_.HasView(TViewOption::voCr)) {
    DrawText(col, " ", Colors(col, TRunKind::CR));
    return;
  }
  const TColor bk = e_.rows_.Attr(row_).BkColor;
  if (e_.ResolvedPixel(bk) != e_.crMarkBk_) e_.BuildCRMarks(e_.colCr_, bk);
  const int x = e_.XOfCol(col), size = e_.charHeight_;
  const TRect clip{e_.TextLeft(), y_, e_.ClientWidth(), y_ + e_.rowHeight_};
  e_.host_.Canvas().DrawBitmap(TRect{x, y_, x + size, y_ + size}, e_.CRMark(Selected(col)), clip);
}

// The end of a soft-wrapped row gets the fold mark; the last row the
// end-of-text mark, which takes the same two cells.
void TRowPainter::DrawLineEnd(int col) {
  FinishWord();
  Flush();
  const TRunColors colors = Colors(col, TRunKind::CR);
  if (row_ == e_.RowCount() - 1) {
    DrawText(col, kEndOfTextMark, colors);
  } else if (e_.HasView(TViewOption::voFoldMark)) {
    DrawText(col, kFoldMark, colors);
  }
}

void TRowPainter::FlushIndent(int lastCol) {
  DrawText(indentCol_, std::string(lastCol - indentCol_ + 1, kIndentMark), Colors(indentCol_, TRunKind::Mark));
  indentCol_ = -1;
}

void TRowPainter::AddWordByte(int col) {
  if (wordLen_ == 0) wordCol_ = col;
  ++wordLen_;
  Append(col, Bytes(col, 1), textColors_);
}

// A word ends: when it is a keyword it is drawn again over itself in the
// keyword colours, split where the selection begins or ends inside it.
void TRowPainter::FinishWord() {
  if (wordLen_ == 0) return;
  const std::string_view word = Bytes(wordCol_, wordLen_);
  wordLen_ = 0;
  if (!e_.HasView(TViewOption::voKeyWord) || !e_.IsKeyword(word)) return;
  Flush();
  for (int piece = 0; piece < static_cast<int>(word.size());) {
    int next = piece + 1;
    while (next < static_cast<int>(word.size()) && Selected(wordCol_ + next) == Selected(wordCol_ + piece))
      ++next;
    DrawKeyword(wordCol_ + piece, word.substr(piece, next - piece));
    piece = next;
  }
}

// A keyword font wider than the cells (bold) would lose the end of its last
// character to the clip: the first cells give up a few pixels instead.
void TRowPainter::DrawKeyword(int col, std::string_view word) {
  const TRunColors colors = Colors(col, TRunKind::Keyword);
  const int cell = e_.cellWidth_, n = static_cast<int>(word.size());
  keywordAdvances_.assign(n, cell);
  if (n > 1) {
    const int overhang = e_.host_.Canvas().CharWidth(word.substr(n - 1), FontOf(colors)) + 1 - cell;
    if (overhang > 0) {
      const int step = std::max(1, overhang / n);
      for (int k = 0; k < std::min(n, overhang / step); ++k) keywordAdvances_[k] -= step;
    }
  }
  DrawText(col, word, colors, keywordAdvances_);
}

void TRowPainter::DrawWrapLine() {
  if (!e_.HasOption(TAFEditOption::aoAutoFormat) || !e_.HasView(TViewOption::voWrapLine)) return;
  const int x = e_.XOfCol(e_.rows_.Attr(row_).WrapPos);
  if (x < e_.TextLeft() || x >= e_.ClientWidth()) return;
  e_.host_.Canvas().Line(x, y_, x, y_ + e_.rowHeight_, e_.markColor_, false);
}

// ---- Runs

void TRowPainter::Append(int col, std::string_view bytes, const TRunColors& colors) {
  if (!run_.empty() && !(colors == runColors_)) Flush();
  if (run_.empty()) {
    runCol_ = col;
    runColors_ = colors;
  }
  run_.append(bytes);
}

void TRowPainter::Flush() {
  if (run_.empty()) return;
  DrawText(runCol_, run_, runColors_);
  run_.clear();
}

void TRowPainter::DrawText(int col, std::string_view bytes, const TRunColors& colors) {
  DrawText(col, bytes, colors, e_.Advances(bytes.size()));
}

// Text is clipped to its own cells and never into the left margin.
void TRowPainter::DrawText(int col, std::string_view bytes, const TRunColors& colors,
                           std::span<const int> advances) {
  const int x = e_.XOfCol(col);
  const int right = x + static_cast<int>(bytes.size()) * e_.cellWidth_;
  const TRect clip{std::max(e_.TextLeft(), x), y_, right, y_ + e_.rowHeight_};
  if (clip.IsEmpty()) return;
  e_.host_.Canvas().TextOutCells(x, y_, bytes, advances, clip, FontOf(colors), colors.Bk);
}

// The control's font in the run's colour and style, without a copy of its
// name for every run.
const TFont& TRowPainter::FontOf(const TRunColors& colors) {
  if (!(font_.Name == e_.font_.Name)) font_ = e_.font_;
  font_.Height = e_.font_.Height;
  font_.Color = colors.Color;
  font_.Style = colors.Style;
  return font_;
}

TRunColors TRowPainter::Colors(int col, TRunKind kind) const {
  const int index = col < Length() ? index_[col] : static_cast<int>(e_.rows_.Text(row_).size());
  return e_.RunColors(row_, col, index, Length(), kind);
}
