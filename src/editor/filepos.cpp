// A caret position as the file sees it: the logical line, and the column
// in characters. Wrapped rows continue their line's columns; a double-byte
// character and a TAB count one character each; the virtual indent counts
// nothing, and beyond a row's end (free caret) every cell counts one, as
// typing there fills it with a space.
#include <algorithm>

#include "editor/afedit.h"

TFilePos TCustomAFEdit::FilePosOf(TPoint p) const {
  const TLineIndex& lines = rows_.Lines();
  const int last = RowCount() - 1;
  // Rows below the text (free caret) are lines of their own, still empty.
  if (p.Y > last) return TFilePos{lines.LinesBefore(last, rows_) + 1 + (p.Y - last), std::max(0, p.X) + 1LL};
  p.Y = std::max(0, p.Y);
  std::string_view body = rows_.Text(p.Y);
  if (EndsWithCR(body)) body.remove_suffix(1);
  const int index = std::clamp(ColToIndex(p.Y, p.X), 0, static_cast<int>(body.size()));
  const long long beyondEnd = std::max(0, p.X - RowEndCol(p.Y));
  return TFilePos{lines.LinesBefore(p.Y, rows_) + 1,
                  lines.LineCharsBefore(p.Y, rows_) + RowChars(body.substr(0, index)) + beyondEnd + 1};
}
