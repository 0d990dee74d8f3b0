// The text an input method is composing, as the control shows it: in its
// own cells at the caret, over the text, line after line inside the view.
// The composition is drawn over the rows and never becomes part of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/host.h"

enum class TUnderline { None, Thin, Dashed, Thick };

// How the input method asks a stretch of its composition to be drawn.
struct TClauseFormat {
  TUnderline Underline = TUnderline::None;
  std::optional<TColor> Color;    // of the text
  std::optional<TColor> BkColor;  // a background marks the clause being converted
  TFontStyles Style = 0;          // fsBold, fsItalic, fsStrikeOut
  bool Reverse = false;           // the control's text and background colours swapped
  friend bool operator==(const TClauseFormat&, const TClauseFormat&) = default;
};

// A stretch of the composition, in UTF-16 units as input methods count.
struct TClause {
  int Start = 0;
  int Length = 0;
  TClauseFormat Format;
};

struct TComposition {
  std::u16string Text;
  std::vector<TClause> Clauses;  // a later clause wins where two overlap
  int Cursor = 0;                // UTF-16 units: where the input method's caret stands
  bool CursorVisible = true;
  bool Empty() const { return Text.empty(); }
};

// A run of cells on one line of the box, all in one format.
struct TCompositionRun {
  int X = 0;
  int Y = 0;
  std::string Bytes;  // Shift-JIS, one cell per byte
  int Format = 0;     // index into TCompositionLayout::Formats
};

struct TCompositionLayout {
  TCompositionPlace Place;
  std::vector<TClauseFormat> Formats;  // as drawn: what the input method asked, or the fallback
  std::vector<TCompositionRun> Runs;
  std::vector<TRect> Lines;  // the box, one rectangle per line that holds something
  TRect Caret;               // the composition caret, a row high
  bool CaretVisible = false;
  // What the candidate list goes next to: the focused clause's first line,
  // or the composition caret when no clause is focused.
  TRect Target;
};

// Characters go where the text would: from the caret to LineRight, then
// from LineLeft on the next line; a character is never split between
// lines. Characters without a Shift-JIS form take one cell as "?", which
// is what they become when committed. A start outside the view is brought
// to its edge, and a box that would reach below the view is moved up.
TCompositionLayout LayoutComposition(const TComposition& composition, const TCompositionPlace& place);

// Draws the box in `font` (its colour the text colour) on `background`.
void PaintComposition(TCanvas& canvas, const TCompositionLayout& layout, const TFont& font, TColor background);
