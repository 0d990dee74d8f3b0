// Word movement (Ctrl+Left, Ctrl+Right): caret steps over runs of ASCII
// letters and digits, single double-byte characters and line ends.
#include "editor/afedit.h"
#include "editor/bytekind.h"

namespace {

// What the caret stands on in the raw row text. None: no byte there (below
// the last row, inside the indent, at or past the end of the row).
enum class TUnderCaret { None, Word, Double, CR, Other };

TUnderCaret UnderCaret(const TCustomAFEdit& edit) {
  const TPoint c = edit.CaretPos;
  if (c.Y < 0 || c.Y >= edit.RowCount()) return TUnderCaret::None;
  const std::string_view text = edit.GetRow(c.Y);
  const int i = edit.ColToIndex(c.Y, c.X);
  if (i < 0 || i >= static_cast<int>(text.size())) return TUnderCaret::None;
  if (ByteKindAt(text, i) != TByteKind::Single) return TUnderCaret::Double;
  if (text[i] == '\r') return TUnderCaret::CR;
  return IsAsciiAlnum(text[i]) ? TUnderCaret::Word : TUnderCaret::Other;
}

// Steps the caret while `more` holds for what it stands on. A step that
// leaves the caret where it was (the start of the text) ends the walk.
void StepWhile(TCustomAFEdit& edit, void (TCustomAFEdit::*step)(), bool (*more)(TUnderCaret)) {
  while (more(UnderCaret(edit))) {
    const TPoint before = edit.CaretPos;
    (edit.*step)();
    if (edit.CaretPos == before) return;
  }
}

bool IsWord(TUnderCaret u) { return u == TUnderCaret::Word; }
bool IsGap(TUnderCaret u) { return u == TUnderCaret::None || u == TUnderCaret::Other; }
bool IsBetweenWords(TUnderCaret u) { return u == TUnderCaret::Other; }

}  // namespace

void TCustomAFEdit::WordLeft() {
  const bool freeCaret = HasOption(TAFEditOption::aoFreeCaret);
  options_.Exclude(TAFEditOption::aoFreeCaret);
  CaretLeft();
  if (UnderCaret(*this) != TUnderCaret::Double) {
    StepWhile(*this, &TCustomAFEdit::CaretLeft, IsGap);
    if (UnderCaret(*this) == TUnderCaret::CR) {
      CaretLeft();
    } else {
      StepWhile(*this, &TCustomAFEdit::CaretLeft, IsWord);
    }
    // The walk went one step past the word's start, unless the text began.
    if (!CaretAtTextStart()) CaretRight();
  }
  options_.Set(TAFEditOption::aoFreeCaret, freeCaret);
}

void TCustomAFEdit::WordRight() {
  const bool freeCaret = HasOption(TAFEditOption::aoFreeCaret);
  options_.Exclude(TAFEditOption::aoFreeCaret);
  if (UnderCaret(*this) == TUnderCaret::Double) {
    CaretRight();
  } else {
    StepWhile(*this, &TCustomAFEdit::CaretRight, IsWord);
    if (UnderCaret(*this) == TUnderCaret::CR) CaretRight();
    StepWhile(*this, &TCustomAFEdit::CaretRight, IsBetweenWords);
  }
  options_.Set(TAFEditOption::aoFreeCaret, freeCaret);
}
