// Colouring of HTML tags and double-quoted text while rows are drawn. The
// state that carries a tag or a quotation into the next row lives in the
// row records: Tag2 (inside a tag) and Tag1 (inside quotes).
#pragma once

#include "editor/types.h"

class TCustomAFEdit;

struct THtmlColoring {
  bool EmphasizeTags = true;
  bool EmphasizeQuotes = false;
  TColor TagColor = clGreen;
  TColor QuoteColor = clPurple;
  char QuoteChar = '"';
};

// For OnDrawLine: sets the column attributes and the carry flags of `row`
// from the flags of the row above. A blank row is left as it is.
void ColorRow(TCustomAFEdit& edit, int row, const THtmlColoring& c);

// For OnBeforeChange: drops the row's column attributes when its colouring
// may change with the new text, so that the next draw starts afresh.
void ForgetRowColors(TCustomAFEdit& edit, int row, const THtmlColoring& c);
