#include "editor/composition.h"

#include <algorithm>

#include "encoding/cp932.h"
#include "encoding/sjis.h"

namespace {

// The composition in Shift-JIS, and the byte each UTF-16 unit falls in
// (one entry more than units, for the end).
struct TCells {
  std::string Bytes;
  std::vector<int> ByteOfUnit;
};

bool IsSurrogatePair(std::u16string_view text, std::size_t u) {
  return u + 1 < text.size() && text[u] >= 0xD800 && text[u] <= 0xDBFF && text[u + 1] >= 0xDC00 &&
         text[u + 1] <= 0xDFFF;
}

TCells ToCells(std::u16string_view text) {
  TCells cells;
  for (std::size_t u = 0; u < text.size();) {
    const std::size_t units = IsSurrogatePair(text, u) ? 2 : 1;
    for (std::size_t k = 0; k < units; ++k) cells.ByteOfUnit.push_back(static_cast<int>(cells.Bytes.size()));
    cells.Bytes += cp932::FromUtf16(text.substr(u, units));
    u += units;
  }
  cells.ByteOfUnit.push_back(static_cast<int>(cells.Bytes.size()));
  return cells;
}

bool Shows(const TClauseFormat& f) {
  return f.Underline != TUnderline::None || f.Color || f.BkColor || f.Style || f.Reverse;
}

bool IsFocused(const TClauseFormat& f) { return f.Reverse || f.BkColor.has_value(); }

// Formats[0] is for text no clause covers, Formats[i + 1] for clause i. A
// clause that asks for nothing visible is underlined; when the input method
// marks several clauses and styles none, the one holding its caret is the
// one being converted and is reversed, the others get a thick underline.
std::vector<TClauseFormat> DrawnFormats(const TComposition& c) {
  TClauseFormat uncovered;
  uncovered.Underline = TUnderline::Thin;
  std::vector<TClauseFormat> formats{uncovered};
  const auto& clauses = c.Clauses;
  const bool styled = std::any_of(clauses.begin(), clauses.end(), [](const TClause& k) { return Shows(k.Format); });
  const auto nonEmpty = std::count_if(clauses.begin(), clauses.end(), [](const TClause& k) { return k.Length > 0; });
  const bool plainClauses = !styled && nonEmpty > 1;
  for (const TClause& clause : c.Clauses) {
    TClauseFormat f = clause.Format;
    if (plainClauses) {
      f.Reverse = c.Cursor >= clause.Start && c.Cursor < clause.Start + clause.Length;
      f.Underline = f.Reverse ? TUnderline::None : TUnderline::Thick;
    } else if (!Shows(f)) {
      f.Underline = TUnderline::Thin;
    }
    formats.push_back(f);
  }
  return formats;
}

// The format index of every byte.
std::vector<int> FormatOfBytes(const TComposition& c, const TCells& cells) {
  std::vector<int> formatOf(cells.Bytes.size(), 0);
  const int units = static_cast<int>(c.Text.size());
  for (std::size_t i = 0; i < c.Clauses.size(); ++i) {
    const int start = std::clamp(c.Clauses[i].Start, 0, units);
    const int end = std::clamp(c.Clauses[i].Start + c.Clauses[i].Length, start, units);
    std::fill(formatOf.begin() + cells.ByteOfUnit[start], formatOf.begin() + cells.ByteOfUnit[end],
              static_cast<int>(i) + 1);
  }
  return formatOf;
}

void ShiftVertically(TCompositionLayout& layout, int dy) {
  for (TCompositionRun& run : layout.Runs) run.Y += dy;
  for (TRect& line : layout.Lines) line.Top += dy, line.Bottom += dy;
  layout.Caret.Top += dy;
  layout.Caret.Bottom += dy;
}

// Moves a box that reaches below the view up, but never above its top.
void KeepInsideView(TCompositionLayout& layout) {
  const TRect& view = layout.Place.View;
  const int top = std::min(layout.Lines.front().Top, layout.Caret.Top);
  const int bottom = std::max(layout.Lines.back().Bottom, layout.Caret.Bottom);
  if (bottom > view.Bottom) ShiftVertically(layout, std::max(view.Bottom - bottom, view.Top - top));
}

// A start scrolled out of view is brought to the view's nearest edge.
TPoint OriginInView(const TCompositionPlace& p) {
  return TPoint{std::clamp(p.Origin.X, p.View.Left, std::max(p.View.Left, p.View.Right - p.CellWidth)),
                std::clamp(p.Origin.Y, p.View.Top, std::max(p.View.Top, p.View.Bottom - p.RowHeight))};
}

// The focused clause that holds the caret, else the first focused one; its
// first run. Null when no clause is focused.
const TCompositionRun* FocusedRun(const TCompositionLayout& layout, int caretFormat) {
  const TCompositionRun* first = nullptr;
  for (const TCompositionRun& run : layout.Runs) {
    if (!IsFocused(layout.Formats[run.Format])) continue;
    if (run.Format == caretFormat) return &run;
    if (!first) first = &run;
  }
  return first;
}

constexpr int kCaretWidth = 2;

// Adds one character's cells at `at`: to the last run when it is on the
// same line in the same format, and to the box's line.
void AddCells(TCompositionLayout& layout, TPoint at, std::string_view bytes, int format) {
  const int right = at.X + static_cast<int>(bytes.size()) * layout.Place.CellWidth;
  TCompositionRun* run = layout.Runs.empty() ? nullptr : &layout.Runs.back();
  if (run && run->Format == format && run->Y == at.Y) {
    run->Bytes += bytes;
  } else {
    layout.Runs.push_back(TCompositionRun{at.X, at.Y, std::string(bytes), format});
  }
  if (layout.Lines.empty() || layout.Lines.back().Top != at.Y)
    layout.Lines.push_back(TRect{at.X, at.Y, at.X, at.Y + layout.Place.RowHeight});
  layout.Lines.back().Right = right;
}

// Puts the characters line by line into runs; returns where the byte
// `caretByte` went, or the place after the last character.
TPoint PlaceCharacters(TCompositionLayout& layout, const TCells& cells, const std::vector<int>& formatOf,
                       int caretByte) {
  const TCompositionPlace& place = layout.Place;
  const TPoint origin = OriginInView(place);
  TPoint at = origin;
  int lineStart = at.X;
  std::optional<TPoint> caret;
  for (std::size_t i = 0; i < cells.Bytes.size();) {
    const std::size_t len = sjis::CharLen(cells.Bytes, i);
    const int width = static_cast<int>(len) * place.CellWidth;
    // The caret's own line may stay empty; a further line holds at least
    // one character however narrow the view is.
    if (at.X + width > place.LineRight && (at.X > lineStart || at.Y == origin.Y)) {
      at.X = lineStart = place.LineLeft;
      at.Y += place.RowHeight;
    }
    if (static_cast<int>(i) == caretByte) caret = at;
    AddCells(layout, at, std::string_view(cells.Bytes).substr(i, len), formatOf[i]);
    at.X += width;
    i += len;
  }
  return caret.value_or(at);
}

// The caret's cell belongs to the box too.
void AddCaret(TCompositionLayout& layout, TPoint caret, bool visible) {
  layout.Caret = TRect{caret.X, caret.Y, caret.X + kCaretWidth, caret.Y + layout.Place.RowHeight};
  layout.CaretVisible = visible;
  auto line = std::find_if(layout.Lines.begin(), layout.Lines.end(), [&](const TRect& r) { return r.Top == caret.Y; });
  if (line == layout.Lines.end()) {
    layout.Lines.push_back(layout.Caret);
  } else {
    line->Right = std::max(line->Right, layout.Caret.Right);
  }
}

TRect RunRect(const TCompositionRun& run, const TCompositionPlace& place) {
  return TRect{run.X, run.Y, run.X + static_cast<int>(run.Bytes.size()) * place.CellWidth, run.Y + place.RowHeight};
}

}  // namespace

TCompositionLayout LayoutComposition(const TComposition& composition, const TCompositionPlace& place) {
  TCompositionLayout layout;
  layout.Place = place;
  layout.Formats = DrawnFormats(composition);
  const TCells cells = ToCells(composition.Text);
  const std::vector<int> formatOf = FormatOfBytes(composition, cells);
  const int units = static_cast<int>(composition.Text.size());
  const int caretByte = cells.ByteOfUnit[std::clamp(composition.Cursor, 0, units)];
  AddCaret(layout, PlaceCharacters(layout, cells, formatOf, caretByte), composition.CursorVisible);
  KeepInsideView(layout);
  const int caretFormat = caretByte < static_cast<int>(formatOf.size()) ? formatOf[caretByte] : -1;
  const TCompositionRun* focused = FocusedRun(layout, caretFormat);
  layout.Target = focused ? RunRect(*focused, place) : layout.Caret;
  return layout;
}

namespace {

// Just below the characters, inside the row.
int UnderlineY(const TCompositionPlace& p, int rowY, int thickness) {
  return rowY + std::max(0, std::min(p.CharHeight + 1, p.RowHeight - thickness));
}

// From x1 to x2 (exclusive) under a run.
void DrawUnderline(TCanvas& canvas, const TCompositionPlace& p, TUnderline kind, int x1, int x2, int rowY,
                   TColor color) {
  const int thickness = kind == TUnderline::Thick ? 2 : 1;
  const int y = UnderlineY(p, rowY, thickness);
  switch (kind) {
    case TUnderline::None:
      break;
    case TUnderline::Thin:
    case TUnderline::Thick:
      for (int k = 0; k < thickness; ++k) canvas.Line(x1, y + k, x2, y + k, color, false);
      break;
    case TUnderline::Dashed:
      for (int x = x1; x < x2; x += 4) canvas.Line(x, y, std::min(x + 2, x2), y, color, false);
      break;
  }
}

// Reverse swaps the control's text and background colours; colours the
// input method names win over both.
void PaintRun(TCanvas& canvas, const TCompositionLayout& layout, const TCompositionRun& run, const TFont& font,
              TColor background) {
  const TCompositionPlace& p = layout.Place;
  const TClauseFormat& f = layout.Formats[run.Format];
  TFont runFont = font;
  runFont.Color = f.Color ? *f.Color : f.Reverse ? background : font.Color;
  runFont.Style = font.Style | f.Style;
  const TColor bk = f.BkColor ? *f.BkColor : f.Reverse ? font.Color : background;
  const TRect cells = RunRect(run, p);
  const std::vector<int> advances(run.Bytes.size(), p.CellWidth);
  canvas.TextOutCells(run.X, run.Y, run.Bytes, advances, cells, runFont, bk);
  // Each run's line stops a pixel short of its neighbours, so that the
  // clauses stand apart.
  DrawUnderline(canvas, p, f.Underline, cells.Left + 1, cells.Right - 1, run.Y, runFont.Color);
}

}  // namespace

void PaintComposition(TCanvas& canvas, const TCompositionLayout& layout, const TFont& font, TColor background) {
  for (const TRect& line : layout.Lines) canvas.FillRect(line, background);
  for (const TCompositionRun& run : layout.Runs) PaintRun(canvas, layout, run, font, background);
  if (!layout.CaretVisible) return;
  const TRect& c = layout.Caret;
  for (int x = c.Left; x < c.Right; ++x) canvas.Line(x, c.Top, x, c.Top + layout.Place.CharHeight, clBlack, true);
}
