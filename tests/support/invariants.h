// Checks the row invariants of the editor control; returns a description of
// the first violation, or an empty string. Rows are measured against
// `wrapWidth` (the control's own by default): rows wrapped before the width
// was narrowed keep their width until they are re-wrapped.
#pragma once

#include <string>

#include "editor/afedit.h"
#include "encoding/sjis.h"

inline std::string RowInvariantViolation(const TCustomAFEdit& edit, int wrapWidth = -1) {
  if (edit.RowCount() < 1) return "no rows";
  const int last = edit.RowCount() - 1;
  if (EndsWithCR(edit.GetRow(last))) return "the last row ends with CR";
  const bool wrapped = edit.HasOption(TAFEditOption::aoAutoFormat);
  // Hanging: every step carries a character of up to two bytes past the width.
  const int widest = (wrapWidth < 0 ? edit.WrapWidth() : wrapWidth) + std::max(0, edit.WrapTrailBytes()) + 3;
  for (int r = 0; r <= last; ++r) {
    const std::string_view row = edit.GetRow(r);
    const std::size_t cr = row.find('\r');
    if (cr != std::string::npos && cr != row.size() - 1)
      return "row " + std::to_string(r) + " has a CR before its end";
    const int width = edit.DisplayLength(r);
    std::string_view body = row;
    if (EndsWithCR(body)) body.remove_suffix(1);
    // A row always keeps its first character, however wide.
    const bool oneChar = body.empty() || sjis::CharLen(body, 0) == body.size();
    if (wrapped && width > widest && !oneChar)
      return "row " + std::to_string(r) + " is " + std::to_string(width) + " columns wide";
  }
  return std::string();
}
