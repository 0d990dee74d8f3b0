// Laying out and drawing the input method's composition: clauses in the
// formats asked for or the fallback ones, the composition caret, lines
// that wrap inside the view, and where the candidate list goes.
#include <gtest/gtest.h>

#include "../encoding/sjliteral.h"
#include "editor/composition.h"
#include "fakehost.h"

namespace {

// Cells 8 pixels wide, rows 24 high with 16-pixel characters; the caret at
// (100, 50), lines wrapping at 600 back to 40.
TCompositionPlace Place() {
  TCompositionPlace p;
  p.Origin = TPoint{100, 50};
  p.LineLeft = 40;
  p.LineRight = 600;
  p.View = TRect{40, 10, 640, 480};
  p.CellWidth = 8;
  p.RowHeight = 24;
  p.CharHeight = 16;
  return p;
}

TClauseFormat Format(TUnderline underline, std::optional<TColor> bk = {}, std::optional<TColor> color = {}) {
  TClauseFormat f;
  f.Underline = underline;
  f.BkColor = bk;
  f.Color = color;
  return f;
}

constexpr TColor kText = clWindowText;
constexpr TColor kWindow = clWindow;
constexpr int kUnderlineY = 50 + 17;  // just below the characters

struct Painted {
  RecordingCanvas canvas;
  explicit Painted(const TCompositionLayout& layout) {
    TFont font;
    font.Color = kText;
    PaintComposition(canvas, layout, font, kWindow);
  }
  std::vector<RecordingCanvas::Call> Texts() const { return canvas.Calls(RecordingCanvas::Call::Text); }
  // Underline pixels drawn on row y, and the x of inverted (caret) lines.
  std::vector<int> UnderlinePixels(int y) const {
    std::vector<int> xs;
    for (const auto& c : canvas.Calls(RecordingCanvas::Call::Line))
      if (!c.invert && c.y == y)
        for (int x = c.x; x < c.x2; ++x) xs.push_back(x);
    return xs;
  }
  std::vector<int> CaretLines() const {
    std::vector<int> xs;
    for (const auto& c : canvas.Calls(RecordingCanvas::Call::Line))
      if (c.invert) xs.push_back(c.x);
    return xs;
  }
};

}  // namespace

TEST(Composition, ClausesAreDrawnAsAskedAndTheCandidatesGoToTheFocusedOne) {
  TComposition c;
  c.Text = u"私は日本語を";
  c.Clauses = {TClause{0, 2, Format(TUnderline::Dashed)},
               TClause{2, 3, Format(TUnderline::Dashed, 0x6A240A, 0xFFFFFF)},
               TClause{5, 1, Format(TUnderline::Dashed)}};
  c.Cursor = 2;
  const TCompositionLayout layout = LayoutComposition(c, Place());
  ASSERT_EQ(layout.Runs.size(), 3u);
  EXPECT_EQ(layout.Runs[1].X, 132);
  EXPECT_EQ(layout.Runs[1].Bytes, Sj(u"日本語"));
  EXPECT_EQ(layout.Target, (TRect{132, 50, 180, 74}));
  EXPECT_EQ(layout.Caret.Left, 132);

  const Painted painted(layout);
  const auto texts = painted.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].color, kText);
  EXPECT_EQ(texts[0].bkColor, kWindow);
  EXPECT_EQ(texts[1].color, 0xFFFFFFu);
  EXPECT_EQ(texts[1].bkColor, 0x6A240Au);
  EXPECT_EQ(texts[1].advances, std::vector<int>(6, 8));
  // Dashes under each clause, with the pixels at the clause edges left
  // blank so that the clauses stand apart.
  const std::vector<int> under = painted.UnderlinePixels(kUnderlineY);
  for (int edge : {100, 131, 132, 179, 180, 195}) EXPECT_EQ(std::count(under.begin(), under.end(), edge), 0) << edge;
  EXPECT_EQ(std::count(under.begin(), under.end(), 101), 1);
  EXPECT_EQ(std::count(under.begin(), under.end(), 105), 1);
  EXPECT_EQ(std::count(under.begin(), under.end(), 103), 0);
  EXPECT_EQ(painted.CaretLines(), (std::vector<int>{132, 133}));
}

TEST(Composition, FallsBackToUnderlinesAndReverseWhenTheInputMethodGivesNoLooks) {
  TComposition plain;
  plain.Text = u"かな";
  TCompositionLayout layout = LayoutComposition(plain, Place());
  ASSERT_EQ(layout.Runs.size(), 1u);
  EXPECT_EQ(layout.Formats[layout.Runs[0].Format].Underline, TUnderline::Thin);
  EXPECT_EQ(Painted(layout).UnderlinePixels(kUnderlineY).size(), 30u);  // 101..130, unbroken
  EXPECT_EQ(layout.Target, layout.Caret);

  // Clauses with no looks: the one holding the caret is being converted.
  TComposition clauses;
  clauses.Text = u"今日は";
  clauses.Clauses = {TClause{0, 2, {}}, TClause{2, 1, {}}};
  clauses.Cursor = 2;
  layout = LayoutComposition(clauses, Place());
  ASSERT_EQ(layout.Runs.size(), 2u);
  EXPECT_EQ(layout.Formats[layout.Runs[0].Format].Underline, TUnderline::Thick);
  EXPECT_TRUE(layout.Formats[layout.Runs[1].Format].Reverse);
  EXPECT_EQ(layout.Target, (TRect{132, 50, 148, 74}));
  const auto texts = Painted(layout).Texts();
  EXPECT_EQ(texts[1].color, kWindow);
  EXPECT_EQ(texts[1].bkColor, kText);

  // A single clause that says nothing is just underlined.
  clauses.Clauses = {TClause{0, 3, {}}};
  layout = LayoutComposition(clauses, Place());
  EXPECT_EQ(layout.Formats[layout.Runs[0].Format].Underline, TUnderline::Thin);
}

TEST(Composition, WrapsAtTheLineEndWithoutSplittingACharacterAndStaysInTheView) {
  TCompositionPlace place = Place();
  place.LineRight = 140;  // five cells after the caret
  TComposition c;
  c.Text = u"あいうえお";
  c.Cursor = 5;
  TCompositionLayout layout = LayoutComposition(c, place);
  EXPECT_EQ(layout.Lines, (std::vector<TRect>{{100, 50, 132, 74}, {40, 74, 90, 98}}));
  for (const TCompositionRun& run : layout.Runs) EXPECT_LE(run.X + 8 * static_cast<int>(run.Bytes.size()), 140);
  EXPECT_EQ(layout.Caret, (TRect{88, 74, 90, 98}));  // behind the last character

  // No room for a double-byte character at the caret: the box begins on
  // the next line, the caret with it; a half-width character still fits.
  place.Origin.X = 132;
  c.Cursor = 0;
  layout = LayoutComposition(c, place);
  EXPECT_EQ(layout.Lines.front().Top, 74);
  EXPECT_EQ(layout.Caret.Left, 40);
  c.Text = u"aあ";
  layout = LayoutComposition(c, place);
  EXPECT_EQ(layout.Runs[0].Bytes, "a");
  EXPECT_EQ(layout.Runs[0].Y, 50);
  EXPECT_EQ(layout.Runs[1].Y, 74);

  // At the bottom of the view the box moves up, all of it.
  place.Origin.X = 100;
  place.View.Bottom = 80;
  c.Text = u"あいうえお";
  layout = LayoutComposition(c, place);
  EXPECT_EQ(layout.Lines.back().Bottom, 80);
  EXPECT_EQ(layout.Lines.front().Top, 32);
  EXPECT_EQ(layout.Runs.front().Y, 32);

  // A start scrolled out to the left comes in at the view's edge.
  place.Origin.X = 0;
  layout = LayoutComposition(c, place);
  EXPECT_EQ(layout.Runs.front().X, 40);
}

TEST(Composition, HiddenCaretAndCharactersWithoutAShiftJisForm) {
  TComposition c;
  c.Text = u"😀か";  // a surrogate pair, then か
  c.Clauses = {TClause{2, 1, Format(TUnderline::None, 0x00FF00)}};
  c.Cursor = 2;
  c.CursorVisible = false;
  const TCompositionLayout layout = LayoutComposition(c, Place());
  ASSERT_EQ(layout.Runs.size(), 2u);
  EXPECT_EQ(layout.Runs[0].Bytes, "?");  // what it becomes when committed
  EXPECT_EQ(layout.Runs[1].X, 108);
  EXPECT_EQ(layout.Caret.Left, 108);
  EXPECT_EQ(layout.Target, (TRect{108, 50, 124, 74}));
  EXPECT_TRUE(Painted(layout).CaretLines().empty());
}
