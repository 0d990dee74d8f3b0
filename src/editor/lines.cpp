// Logical lines over the display rows, and byte positions that run on from
// one row into the next: what search, replace and sorting work with.
#include <algorithm>

#include "editor/afedit.h"

int TCustomAFEdit::LineFirstRow(int row) const {
  while (row > 0 && !rows_.HasCR(row - 1)) --row;
  return row;
}

int TCustomAFEdit::LineLastRow(int row) const {
  const int last = RowCount() - 1;
  while (row < last && !rows_.HasCR(row)) ++row;
  return row;
}

std::string TCustomAFEdit::LineText(int first, int last) const {
  std::size_t size = 0;
  for (int r = first; r <= last; ++r) size += rows_.Text(r).size();
  std::string text;
  text.reserve(size);
  for (int r = first; r <= last; ++r) text += rows_.Text(r);
  return text;
}

int TCustomAFEdit::OffsetFrom(int first, TPoint p) const {
  int offset = p.X;
  for (int r = first; r < p.Y; ++r) offset += static_cast<int>(rows_.Text(r).size());
  return offset;
}

TPoint TCustomAFEdit::BytesAfter(TPoint p, int count) const {
  int x = p.X + count;
  int y = p.Y;
  for (int len = static_cast<int>(rows_.Text(y).size()); x > len && y < RowCount() - 1;
       len = static_cast<int>(rows_.Text(y).size())) {
    x -= len;
    ++y;
  }
  return TPoint{std::min<int>(x, rows_.Text(y).size()), y};
}

TPoint TCustomAFEdit::BytesBefore(TPoint p, int count) const {
  int x = p.X - count;
  int y = p.Y;
  while (x < 0 && y > 0) x += static_cast<int>(rows_.Text(--y).size());
  return TPoint{std::max(0, x), y};
}
