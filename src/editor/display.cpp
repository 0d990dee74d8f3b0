// Display forms of rows: the virtual indent and tab expansion, and the
// conversion between display columns and byte indices.
#include <algorithm>
#include <climits>

#include "editor/afedit.h"

int TCustomAFEdit::TabCells(int written) const {
  const int t = std::max(1, tabSize_);  // a zero tab size would divide by zero
  return t - written % t;
}

std::string TCustomAFEdit::DisplayPrefix(int indent, std::string_view text, int limit,
                                         std::size_t& consumed) const {
  std::string out;
  DisplayPrefix(indent, text, limit, consumed, out);
  return out;
}

const std::string& TCustomAFEdit::DisplayPrefix(int indent, std::string_view text, int limit,
                                                std::size_t& consumed, std::string& out) const {
  out.assign(std::max(0, indent), ' ');
  const int start = static_cast<int>(out.size());
  std::size_t i = 0;
  for (; i < text.size() && static_cast<int>(out.size()) < limit; ++i) {
    if (text[i] != '\t') {
      out += text[i];
      continue;
    }
    const int n = TabCells(static_cast<int>(out.size()) - start);
    out.append(n - 1, kTabFill);  // the TAB stands in the last column of its cell
    out += '\t';
  }
  consumed = i;
  return out;
}

std::string TCustomAFEdit::ExpandTabs(std::string_view s, bool toSpaces) const {
  if (!toSpaces) {
    std::size_t consumed = 0;
    return DisplayPrefix(0, s, INT_MAX, consumed);
  }
  std::string out;
  out.reserve(s.size() + 16);
  for (char c : s) {
    if (c == '\t') {
      out.append(TabCells(static_cast<int>(out.size())), ' ');
    } else {
      out += c;
    }
  }
  return out;
}

std::string TCustomAFEdit::DisplayString(int row) const {
  std::size_t consumed = 0;
  return DisplayPrefix(rows_.Attr(row).Indent, rows_.Text(row), INT_MAX, consumed);
}

int TCustomAFEdit::DisplayLength(int row) const {
  return ColumnOfIndex(rows_.Attr(row).Indent, rows_.Text(row), INT_MAX);
}

int TCustomAFEdit::IndexOfColumn(int indent, std::string_view text, int x) const {
  indent = std::max(0, indent);
  if (x < indent) return x - indent;
  int col = indent;
  for (int i = 0; i < static_cast<int>(text.size()); ++i) {
    const int width = text[i] == '\t' ? TabCells(col - indent) : 1;
    if (x < col + width) return i;
    col += width;
  }
  return static_cast<int>(text.size());
}

int TCustomAFEdit::ColumnOfIndex(int indent, std::string_view text, int index) const {
  int written = 0;
  const int end = std::min<long long>(std::max(0, index), text.size());
  for (int i = 0; i < end; ++i) written += text[i] == '\t' ? TabCells(written) : 1;
  return std::max(0, indent) + written;
}

// A column inside a tab's fill maps to the TAB itself; one inside the
// indent gives a negative index.
int TCustomAFEdit::ColToIndex(int row, int x) const {
  return IndexOfColumn(rows_.Attr(row).Indent, rows_.Text(row), x);
}

TPoint TCustomAFEdit::IndexToCol(TPoint p) const {
  return TPoint{ColumnOfIndex(rows_.Attr(p.Y).Indent, rows_.Text(p.Y), p.X), p.Y};
}
