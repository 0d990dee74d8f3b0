// The colours a stretch of a row is drawn in, and the kinds of stretch the
// painter tells apart.
#pragma once

#include "editor/host.h"

enum class TRunKind {
  Text,        // the row's own text colour
  Mark,        // indent, tab and full-width space marks
  CR,          // line-end, fold and end-of-text marks
  Dependence,  // platform-dependent characters and half-width kana
  Keyword,
  ColAttr,     // a byte coloured through the row's column attributes
};

struct TRunColors {
  TFont Font;  // the colour and style to draw in
  TColor Bk = 0;
  friend bool operator==(const TRunColors&, const TRunColors&) = default;
};
