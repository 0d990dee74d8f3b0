// Double-click selection: a run of bytes the host coloured alike, one
// double-byte character, or a word of ASCII letters and digits.
#include <vector>

#include "editor/afedit.h"
#include "editor/bytekind.h"

namespace {

// Which bytes of a row are single-byte ASCII letters or digits.
std::vector<bool> WordBytes(std::string_view text) {
  std::vector<bool> word(text.size(), false);
  for (std::size_t k = 0; k < text.size(); k += sjis::CharLen(text, k))
    word[k] = sjis::CharLen(text, k) == 1 && IsAsciiAlnum(text[k]);
  return word;
}

// Byte position of the first letter of the word holding byte i of `row`,
// going back over soft wraps.
TPoint WordStart(const TCustomAFEdit& edit, int row, int i) {
  std::vector<bool> word = WordBytes(edit.GetRow(row));
  for (;;) {
    while (i > 0 && word[i - 1]) --i;
    if (i > 0 || row == 0) return TPoint{i, row};
    std::vector<bool> above = WordBytes(edit.GetRow(row - 1));
    if (above.empty() || !above.back()) return TPoint{i, row};
    --row;
    word = std::move(above);
    i = static_cast<int>(word.size()) - 1;
  }
}

// Byte position just after the word holding byte i of `row`, going on over
// soft wraps.
TPoint WordEnd(const TCustomAFEdit& edit, int row, int i) {
  std::vector<bool> word = WordBytes(edit.GetRow(row));
  for (;;) {
    while (i < static_cast<int>(word.size()) && word[i]) ++i;
    if (i < static_cast<int>(word.size()) || row + 1 >= edit.RowCount()) return TPoint{i, row};
    std::vector<bool> below = WordBytes(edit.GetRow(row + 1));
    if (below.empty() || !below.front()) return TPoint{i, row};
    ++row;
    word = std::move(below);
    i = 0;
  }
}

}  // namespace

// The first click has placed the caret; the selection is made around it
// and the caret stays.
void TCustomAFEdit::WMLButtonDblClk(int x, int, TShiftState) {
  const int row = CaretPos.Y;
  if (row < 0 || row >= RowCount() || x < leftMgn_) return;
  const std::string_view text = rows_.Text(row);
  const int i = ColToIndex(row, CaretPos.X);
  if (i < 0 || i >= static_cast<int>(text.size())) return;
  if (!SelectColouredRun(row, i)) {
    if (ByteKindAt(text, i) == TByteKind::Lead) {
      sel_.AnchorPos = IndexToCol(TPoint{i, row});
      sel_.EndPos = IndexToCol(TPoint{i + 2, row});
    } else if (ByteKindAt(text, i) == TByteKind::Single && IsAsciiAlnum(text[i])) {
      sel_.AnchorPos = IndexToCol(WordStart(*this, row, i));
      sel_.EndPos = IndexToCol(WordEnd(*this, row, i));
    }
  }
  if (!sel_.HasSel()) return;
  if (OnSelect) OnSelect();
  MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
  RepaintDirty();
}

// The bytes around i that the host coloured alike (same colour and style).
bool TCustomAFEdit::SelectColouredRun(int row, int i) {
  TColAttrList* attrs = rows_.ColAttrsOrNull(row);
  if (!attrs || !attrs->IsActive(i)) return false;
  const TColAttr at = attrs->Items(i);
  const int len = static_cast<int>(rows_.Text(row).size());
  auto same = [&](int k) {
    return k < len && attrs->IsActive(k) && attrs->Items(k).Color == at.Color && attrs->Items(k).Style == at.Style;
  };
  int first = i, last = i;
  while (first > 0 && same(first - 1)) --first;
  while (same(last + 1)) ++last;
  sel_.AnchorPos = IndexToCol(TPoint{first, row});
  sel_.EndPos = IndexToCol(TPoint{last + 1, row});
  return true;
}
