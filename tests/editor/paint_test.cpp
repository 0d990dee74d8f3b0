// The row painter, the margin and the column indicator, seen through the
// drawing calls they make. The fake host's font is 16 pixels high, so a
// cell is 8 pixels wide and a row 18 high; the left margin is 6 cells (48
// pixels) and the text starts below the one-row indicator band (y = 18).
#include <algorithm>

#include "editfixture.h"

namespace {

using Call = RecordingCanvas::Call;

constexpr int kLeft = 48;
constexpr int kTop = 18;
constexpr int kCell = 8;
constexpr int kRow = 18;

int XOf(int col) { return kLeft + col * kCell; }
int YOf(int row) { return kTop + row * kRow; }

std::vector<std::string> TextsOf(const std::vector<Call>& calls) {
  std::vector<std::string> out;
  for (const Call& c : calls) out.push_back(c.text);
  return out;
}

}  // namespace

class PaintTest : public EditFixture {
 protected:
  PaintTest() {
    edit.NonClientPaint();  // the mark colour comes from the window colour
    edit.SetKeywords({});
  }

  // Paints `row` over the whole text area and returns every call made.
  std::vector<Call> PaintRow(int row) {
    host.canvas.calls.clear();
    edit.SetPaintRect(edit.TextArea());
    edit.PaintRow(row);
    return host.canvas.calls;
  }

  // The texts drawn in the text area on the pixel row of `row`.
  std::vector<Call> RowTexts(int row) {
    std::vector<Call> out;
    for (const Call& c : PaintRow(row))
      if (c.kind == Call::Text && c.y == YOf(row) && c.rect.Left >= kLeft) out.push_back(c);
    return out;
  }

  void SetView(TViewOption o, bool on) {
    TViewOptions v = edit.ViewOpt();
    v.Set(o, on);
    edit.SetViewOpt(v);
  }

  static bool Drew(const std::vector<Call>& calls, std::string_view text) {
    return std::any_of(calls.begin(), calls.end(), [&](const Call& c) { return c.text == text; });
  }

  const Call* TextCall(const std::vector<Call>& calls, std::string_view text) {
    auto it = std::find_if(calls.begin(), calls.end(), [&](const Call& c) { return c.text == text; });
    return it == calls.end() ? nullptr : &*it;
  }
};

// ---- Runs and marks

TEST_F(PaintTest, PlainTextIsOneRunFollowedByTheCRMark) {
  Load("abc\r\ndef");
  const std::vector<Call> calls = PaintRow(0);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].kind, Call::Fill);
  EXPECT_EQ(calls[0].rect, (TRect{kLeft, YOf(0), 640, YOf(1)}));
  EXPECT_EQ(calls[0].color, clWindow);

  const std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(texts[0].x, XOf(0));
  EXPECT_EQ(texts[0].color, clWindowText);
  EXPECT_EQ(texts[0].bkColor, clWindow);
  EXPECT_EQ(texts[0].advances, (std::vector<int>{kCell, kCell, kCell}));
  EXPECT_EQ(texts[0].rect, (TRect{XOf(0), YOf(0), XOf(3), YOf(1)}));

  const std::vector<Call> marks = host.canvas.Calls(Call::Bitmap);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].dest, (TRect{XOf(3), YOf(0), XOf(3) + 16, YOf(0) + 16}));
}

TEST_F(PaintTest, TabShowsFillMarksAndArrowOnlyWithItsOption) {
  Load("\tx");
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"--->", "x", "< "}));
  EXPECT_EQ(texts[0].color, 0xBFBFBFu);  // the mark colour on a white window
  EXPECT_EQ(texts[1].x, XOf(4));

  SetView(TViewOption::voTab, false);
  EXPECT_EQ(TextsOf(RowTexts(0)), (std::vector<std::string>{"    x", "< "}));
}

TEST_F(PaintTest, IndentShowsDotsOnlyWithItsOption) {
  Load("ab");
  edit.RowAttr(0)->Indent = 4;
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"....", "ab", "< "}));
  EXPECT_EQ(texts[0].color, edit.MarkColor());
  EXPECT_EQ(texts[1].x, XOf(4));

  SetView(TViewOption::voIndent, false);
  EXPECT_EQ(TextsOf(RowTexts(0)), (std::vector<std::string>{"    ab", "< "}));
}

// Bytes 1 and 11 from the file are text, not indent or tab fill: they
// get no marks and leave the rest of the row as it is.
TEST_F(PaintTest, ControlBytesInTheTextAreNoMarks) {
  Load("\x01\tx\x0By");
  edit.RowAttr(0)->Indent = 2;
  EXPECT_EQ(TextsOf(RowTexts(0)), (std::vector<std::string>{"..", "\x01", "-->", "x\x0By", "< "}));
  SetView(TViewOption::voTab, false);
  SetView(TViewOption::voIndent, false);
  EXPECT_EQ(TextsOf(RowTexts(0)), (std::vector<std::string>{"  \x01   x\x0By", "< "}));
}

TEST_F(PaintTest, EndOfTextMarkClosesTheLastRow) {
  std::vector<Call> texts = RowTexts(0);  // the empty document
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"< "}));
  EXPECT_EQ(texts[0].x, XOf(0));
  EXPECT_EQ(texts[0].color, clMaroon);

  Load("ab\r\ncd");
  EXPECT_EQ(TextsOf(RowTexts(1)), (std::vector<std::string>{"cd", "< "}));
}

TEST_F(PaintTest, FoldMarkEndsSoftWrappedRowsOnlyWithItsOption) {
  WrapAt(10);
  Load("aaaa bbbb cccc dddd\r\n", loWrap);
  ASSERT_EQ(Rows()[0], "aaaa bbbb ");
  EXPECT_EQ(TextsOf(RowTexts(0)), (std::vector<std::string>{"aaaa bbbb "}));

  SetView(TViewOption::voFoldMark, true);
  const std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"aaaa bbbb ", "\x81\xA9"}));
  EXPECT_EQ(texts[1].x, XOf(10));
  EXPECT_EQ(texts[1].color, edit.ColCr());
}

TEST_F(PaintTest, DependenceCharactersHalfWidthKanaAndWideSpaces) {
  // ① (87 40), ｱ (B1), a full-width space (81 40), あ (82 A0)
  Load("\x87\x40\xB1\x81\x40\x82\xA0");
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"\x87\x40\xB1", "\x81\xA0", "\x82\xA0", "< "}));
  EXPECT_EQ(texts[0].color, 0xFF00FFu);
  EXPECT_EQ(texts[1].color, edit.MarkColor());
  EXPECT_EQ(texts[2].x, XOf(5));

  TViewOptions v = edit.ViewOpt();
  v.Exclude(TViewOption::voDependence);
  v.Exclude(TViewOption::voHankana);
  v.Exclude(TViewOption::voAnsiSpace);
  edit.SetViewOpt(v);
  texts = RowTexts(0);
  EXPECT_EQ(TextsOf(texts), (std::vector<std::string>{"\x87\x40\xB1\x81\x40\x82\xA0", "< "}));
}

TEST_F(PaintTest, WrapLineAtTheRowsWrapColumn) {
  Load("a");
  edit.RowAttr(0)->WrapPos = 20;
  std::vector<Call> lines;
  for (const Call& c : PaintRow(0))
    if (c.kind == Call::Line) lines.push_back(c);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].x, XOf(20));
  EXPECT_EQ(lines[0].y, YOf(0));
  EXPECT_EQ(lines[0].y2, YOf(1));
  EXPECT_EQ(lines[0].color, edit.MarkColor());

  SetView(TViewOption::voWrapLine, false);
  for (const Call& c : PaintRow(0)) EXPECT_NE(c.kind, Call::Line);
}

// ---- Keywords

TEST_F(PaintTest, KeywordIsDrawnAgainInTheKeywordColoursIgnoringCase) {
  edit.SetKeywords({"Print"});
  edit.SetColKeyWord(clRed);
  Load("x PRINT(1) printer\r\n");
  const std::vector<Call> texts = RowTexts(0);
  std::vector<Call> keywords;
  for (const Call& c : texts)
    if (c.color == clRed) keywords.push_back(c);
  ASSERT_EQ(keywords.size(), 1u);
  EXPECT_EQ(keywords[0].text, "PRINT");
  EXPECT_EQ(keywords[0].x, XOf(2));
  // Everything else, keyword included, is first drawn as plain text.
  EXPECT_EQ(texts.front().text, "x PRINT");
  EXPECT_EQ(texts.front().color, clWindowText);
}

TEST_F(PaintTest, WordEndsAtATabOrHalfWidthKana) {
  edit.SetKeywords({"if", "do"});
  edit.SetColKeyWord(clRed);
  Load("if\tx do\xB1y");
  std::vector<std::string> red;
  for (const Call& c : RowTexts(0))
    if (c.color == clRed) red.push_back(c.text);
  EXPECT_EQ(red, (std::vector<std::string>{"if", "do"}));
}

TEST_F(PaintTest, SelectedKeywordIsSplitAndTakesTheExclusiveOrColour) {
  edit.SetKeywords({"print"});
  edit.SetColKeyWord(clRed);
  Load("print\r\n");
  edit.Sel().AnchorPos = TPoint{2, 0};
  edit.Sel().EndPos = TPoint{6, 0};
  std::vector<Call> keyword;
  for (const Call& c : RowTexts(0))
    if (c.color == clRed || c.color == (clWindowText ^ clRed ^ clHighlightText)) keyword.push_back(c);
  ASSERT_EQ(TextsOf(keyword), (std::vector<std::string>{"pr", "int"}));
  EXPECT_EQ(keyword[0].bkColor, clWindow);
  // Selected on the window's own background: the exclusive or of the colours.
  EXPECT_EQ(keyword[1].color, clWindowText ^ clRed ^ clHighlightText);
  EXPECT_EQ(keyword[1].bkColor, clHighlight);
  EXPECT_EQ(keyword[1].x, XOf(2));
}

TEST_F(PaintTest, BoldKeywordGivesUpPixelsOfItsFirstCells) {
  // The fake draws bold one pixel wider than a cell: W = 8 + 1 + 1 = 10,
  // two pixels too many, so D = max(1, 2 div length) and 2 div D cells
  // lose D pixels each.
  edit.SetKeywords({"if", "print"});
  edit.SetKeywordStyle(fsBold);
  edit.SetColKeyWord(clRed);
  Load("if print\r\n");
  std::vector<Call> keywords;
  for (const Call& c : RowTexts(0))
    if (c.color == clRed) keywords.push_back(c);
  ASSERT_EQ(keywords.size(), 2u);
  EXPECT_EQ(keywords[0].advances, (std::vector<int>{7, 7}));
  EXPECT_EQ(keywords[1].advances, (std::vector<int>{7, 7, 8, 8, 8}));
  EXPECT_EQ(keywords[1].style, fsBold);
  // Plain text keeps whole cells.
  EXPECT_EQ(RowTexts(0)[0].advances, (std::vector<int>{8, 8}));
}

TEST_F(PaintTest, KeywordCutByTheLeftEdgeIsDrawnWholeAndClipped) {
  edit.SetKeywords({"print"});
  edit.SetColKeyWord(clRed);
  Load("ab print\r\n");
  edit.LeftCol = 5;  // "print" spans columns 3 to 7
  const std::vector<Call> texts = RowTexts(0);
  const Call* keyword = TextCall(texts, "print");
  ASSERT_NE(keyword, nullptr);
  EXPECT_EQ(keyword->x, kLeft - 2 * kCell);
  EXPECT_EQ(keyword->rect.Left, kLeft);
}

// ---- Selection

TEST_F(PaintTest, StreamSelectionNeverCoversTheIndent) {
  Load("abcd\r\nx");
  edit.RowAttr(0)->Indent = 2;
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{4, 0};
  const std::vector<Call> calls = PaintRow(0);
  EXPECT_EQ(calls[0].color, clWindow);  // column 0 is indent: not selected
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"..", "ab", "cd"}));
  EXPECT_EQ(texts[0].bkColor, clWindow);
  EXPECT_EQ(texts[1].color, clHighlightText);
  EXPECT_EQ(texts[1].bkColor, clHighlight);
  EXPECT_EQ(texts[2].bkColor, clWindow);
}

TEST_F(PaintTest, RowSelectionCoversTheWholeRow) {
  Load("abcd\r\nx");
  edit.RowAttr(0)->Indent = 2;
  edit.Sel().RowSelFrom = edit.Sel().RowSelTo = 0;
  const std::vector<Call> calls = PaintRow(0);
  EXPECT_EQ(calls[0].color, clHighlight);
  for (const Call& c : RowTexts(0)) EXPECT_EQ(c.bkColor, clHighlight) << c.text;
  const std::vector<Call> marks = host.canvas.Calls(Call::Bitmap);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].image, edit.CRMark(true));
}

TEST_F(PaintTest, OnlyRowsSelectedThroughTheirLineEndAreSelectedBehindTheText) {
  Load("abc\r\ndef\r\nghi\r\n");
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{2, 2};
  EXPECT_EQ(PaintRow(0)[0].color, clWindow);     // starts in the row
  EXPECT_EQ(PaintRow(1)[0].color, clHighlight);  // wholly inside
  EXPECT_EQ(PaintRow(2)[0].color, clWindow);     // ends in the row
  const std::vector<Call> texts = RowTexts(2);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"gh", "i"}));
  EXPECT_EQ(texts[0].bkColor, clHighlight);
  EXPECT_EQ(texts[1].bkColor, clWindow);
}

// Selecting from the end to the top repaints only the rows on screen; a
// row in between is drawn selected once the view reaches it.
TEST_F(PaintTest, RowsSelectedOutOfViewAreDrawnSelectedWhenScrolledTo) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "row" + std::to_string(i) + "\r\n";
  Load(text);
  host.keysDown = {VK_CONTROL};
  edit.WMKeyDown(VK_END, 0);
  host.keysDown = {VK_CONTROL, VK_SHIFT};
  edit.WMKeyDown(VK_HOME, 0);
  host.keysDown.clear();
  ASSERT_EQ(edit.Sel().SelEnd().Y, 300);
  host.canvas.calls.clear();
  edit.WMVScroll(SB_THUMBPOSITION, 140);
  const std::vector<Call> texts = host.canvas.Calls(Call::Text);
  const auto row150 = std::find_if(texts.begin(), texts.end(), [](const Call& c) { return c.text == "row150"; });
  ASSERT_NE(row150, texts.end());
  EXPECT_EQ(row150->bkColor, clHighlight);
}

TEST_F(PaintTest, CharacterTakesTheSelectionStateOfItsFirstColumn) {
  Load("\x82\xA0\x82\xA2\r\n");  // あい
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{1, 0};  // inside あ
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"\x82\xA0", "\x82\xA2"}));
  EXPECT_EQ(texts[0].bkColor, clHighlight);
  EXPECT_EQ(texts[1].bkColor, clWindow);

  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{4, 0};
  texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"\x82\xA0", "\x82\xA2"}));
  EXPECT_EQ(texts[0].bkColor, clWindow);
  EXPECT_EQ(texts[1].bkColor, clHighlight);
}

TEST_F(PaintTest, SelectionOnARowOfItsOwnBackgroundIsInverted) {
  Load("ab\r\n");
  edit.RowAttr(0)->BkColor = clYellow;
  edit.RowAttr(0)->Color = clRed;
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{1, 0};
  const std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(texts[0].color, clYellow);
  EXPECT_EQ(texts[0].bkColor, clRed);
  EXPECT_EQ(texts[1].color, clRed);
  EXPECT_EQ(texts[1].bkColor, clYellow);
}

// ---- Column and block attributes

TEST_F(PaintTest, ColumnAttributesSetByOnDrawLineColourTheirBytes) {
  Load("abcd\r\n");
  edit.OnDrawLine = [this](int index, const TRect&, const std::string&, bool&) {
    for (int i : {1, 2}) edit.ColAttrs(index).Items(i) = TColAttr{clGreen, fsBold, true};
  };
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"a", "bc", "d"}));
  EXPECT_EQ(texts[1].color, clGreen);
  EXPECT_EQ(texts[1].style, fsBold);
  EXPECT_EQ(texts[2].color, clWindowText);
  EXPECT_EQ(texts[2].style, 0);

  edit.Sel().AnchorPos = TPoint{2, 0};
  edit.Sel().EndPos = TPoint{4, 0};
  texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(texts[2].color, clHighlightText);
  EXPECT_EQ(texts[2].style, fsBold);
}

TEST_F(PaintTest, BlockAttributesColourAcrossRows) {
  Load("abc\r\nxyz");
  edit.BlkAttrs().Add(TBlkAttr{TPoint{1, 0}, TPoint{2, 1}, clBlue, fsItalic});
  std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"a", "bc"}));
  EXPECT_EQ(texts[1].color, clBlue);
  EXPECT_EQ(texts[1].style, fsItalic);
  texts = RowTexts(1);
  ASSERT_EQ(TextsOf(texts), (std::vector<std::string>{"xy", "z", "< "}));
  EXPECT_EQ(texts[0].color, clBlue);
  EXPECT_EQ(texts[1].color, clWindowText);
}

// ---- Clipping

TEST_F(PaintTest, RepaintFromASecondByteDrawsTheWholeCharacter) {
  Load("\x83\x5Cx\r\n");  // ソ, whose second byte is a backslash
  host.canvas.calls.clear();
  edit.RepaintColumns(0, 1, 2);  // the second cell of ソ and the next
  const std::vector<Call> texts = host.canvas.Calls(Call::Text);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].text.substr(0, 2), "\x83\x5C");
  EXPECT_EQ(texts[0].x, XOf(0));
}

TEST_F(PaintTest, ColumnCutByTheRightEdgeIsDrawn) {
  edit.WMSize(645, 480);  // 74 whole columns and 5 pixels of the next
  Load(std::string(100, ',') + "\r\n");
  const std::vector<Call> texts = RowTexts(0);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.size(), 75u);
}

TEST_F(PaintTest, OnlyTheRepaintedColumnsAreDrawn) {
  Load("ab,cd,ef\r\n");
  host.canvas.calls.clear();
  edit.RepaintColumns(0, 3, 4);
  const std::vector<Call> texts = host.canvas.Calls(Call::Text);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].text, "cd");  // the word is whole, the commas stay
  EXPECT_EQ(texts[0].x, XOf(3));
}

// ---- Hooks

TEST_F(PaintTest, OnDrawLineSeesTheDisplayFormAsThePainterDrawsIt) {
  Load("a\tb");
  edit.RowAttr(0)->Indent = 1;
  std::string seen;
  TRect seenRect;
  edit.OnDrawLine = [&](int, const TRect& rect, const std::string& tabEx, bool&) {
    seen = tabEx;
    seenRect = rect;
  };
  PaintRow(0);
  EXPECT_EQ(seen, std::string("\x01" "a\x0B\x0B\tb\n"));
  EXPECT_EQ(seenRect, (TRect{kLeft, YOf(0), 640, YOf(1)}));

  TViewOptions v = edit.ViewOpt();
  v.Exclude(TViewOption::voTab);
  v.Exclude(TViewOption::voIndent);
  edit.SetViewOpt(v);
  PaintRow(0);
  EXPECT_EQ(seen, " a   b\n");
}

TEST_F(PaintTest, OnDrawLineThatDrawsItselfLeavesTheRowAlone) {
  Load("abc\r\nd");
  edit.RowAttr(0)->Redraw = true;
  edit.OnDrawLine = [&](int, const TRect& rect, const std::string&, bool& defaultDraw) {
    host.canvas.FillRect(rect, clAqua);
    defaultDraw = false;
  };
  const std::vector<Call> calls = PaintRow(0);
  ASSERT_EQ(calls.size(), 2u);  // the background, then the handler's own fill
  EXPECT_EQ(calls[1].color, clAqua);
  EXPECT_TRUE(edit.RowAttr(0)->Redraw);
}

TEST_F(PaintTest, OnDrawLeftMgnMayReplaceOrSuppressTheNumber) {
  Load("a");
  edit.OnDrawLeftMgn = [](int index, const TRect&, std::string& text, bool&) {
    text = std::to_string(index) + "#";
  };
  EXPECT_TRUE(Drew(PaintRow(0), "0#"));
  edit.OnDrawLeftMgn = [](int, const TRect&, std::string&, bool& defaultDraw) { defaultDraw = false; };
  for (const Call& c : PaintRow(0)) EXPECT_FALSE(c.kind == Call::Text && c.rect.Right <= kLeft);
}

// Row 100000 needs seven cells with "%5d:": the margin widens as the row
// appears, and the whole view moves right with the text.
TEST_F(PaintTest, MarginWidensForTheLargestRowNumber) {
  std::string text;
  for (int i = 0; i < 99998; ++i) text += "\r\n";
  Load(text);
  ASSERT_EQ(edit.RowCount(), 99999);
  EXPECT_EQ(edit.TextLeft(), kLeft);
  edit.MoveCaretTo(TPoint{0, edit.RowCount() - 1});
  edit.CaretMoved();
  host.canvas.calls.clear();
  edit.InsertText("\r");
  EXPECT_EQ(edit.TextLeft(), 7 * kCell);
  std::vector<std::string> numbers;
  int endMarkX = -1;
  for (const Call& c : host.canvas.Calls(Call::Text)) {
    if (c.rect.Right <= edit.TextLeft() && c.rect.Width() == 7 * kCell) numbers.push_back(c.text);
    if (c.text == "< ") endMarkX = c.x;
  }
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.back(), "100000:");
  EXPECT_EQ(endMarkX, 7 * kCell);  // the empty last row's first cell
}

// ---- Repainting

TEST_F(PaintTest, RepaintDirtyPaintsMarkedRowsAndTheLastRow) {
  Load("r0\r\nr1\r\nr2\r\nr3");
  edit.Paint();
  edit.RowAttr(1)->Redraw = true;
  host.canvas.calls.clear();
  edit.RepaintDirty();
  std::vector<std::string> drawn;
  for (const Call& c : host.canvas.Calls(Call::Text))
    if (c.rect.Left >= kLeft && c.y >= kTop) drawn.push_back(c.text);
  EXPECT_EQ(drawn, (std::vector<std::string>{"r1", "r3", "< "}));
  EXPECT_FALSE(edit.RowAttr(1)->Redraw);
}

TEST_F(PaintTest, NothingIsPaintedWhileLockedAndEndUpdatePaintsAll) {
  Load("abc");
  edit.BeginUpdate();
  host.canvas.calls.clear();
  SetView(TViewOption::voTab, false);
  edit.RowAttr(0)->Redraw = true;
  edit.RepaintDirty();
  EXPECT_TRUE(host.canvas.Calls(Call::Text).empty());
  EXPECT_TRUE(edit.RowAttr(0)->Redraw);
  edit.EndUpdate();
  EXPECT_TRUE(Drew(host.canvas.Calls(Call::Text), "abc"));
}

// ---- Mark colour and CR marks

TEST_F(PaintTest, MarkColourIsTheWindowColourDarkenedBy0x40PerChannel) {
  FakeEditHost other;
  TCustomAFEdit fresh(other);
  EXPECT_EQ(fresh.MarkColor(), 0u);  // until the first frame is drawn
  fresh.NonClientPaint();
  EXPECT_EQ(fresh.MarkColor(), 0xBFBFBFu);
  other.windowColor = 0x805020;  // a dark window: no channel may borrow
  fresh.NonClientPaint();
  EXPECT_EQ(fresh.MarkColor(), 0x401000u);
}

class CRMarkTest : public PaintTest {
 protected:
  static TPixel Px(TColor c) { return PixelOf(c); }
};

TEST_F(CRMarkTest, ArrowTakesTheCRColourAndTheGroundTheBackground) {
  edit.BuildCRMarks(clRed, clYellow);
  const TBitmap& normal = edit.CRMark(false);
  const TBitmap& selected = edit.CRMark(true);
  ASSERT_EQ(normal.Width, 16);
  EXPECT_EQ(normal.At(10, 4), Px(clRed));
  EXPECT_EQ(normal.At(4, 10), Px(clRed));
  EXPECT_EQ(normal.At(1, 1), Px(clYellow));
  EXPECT_EQ(selected.At(10, 4), Px(clRed));
  EXPECT_EQ(selected.At(1, 1), Px(0x6A240A));  // clHighlight of the fake
  EXPECT_EQ(edit.ColCr(), clRed);
}

TEST_F(CRMarkTest, SourceBitmapFollowsTheCharacterHeight) {
  for (auto [height, source] : {std::pair{14, "CRS"}, {15, "CR"}, {20, "CR"}, {21, "CRL"}}) {
    FakeEditHost other;
    other.canvas.charHeight = height;
    TCustomAFEdit sized(other);
    other.bitmapLoads.clear();
    sized.BuildCRMarks(clRed, clWhite);
    ASSERT_EQ(other.bitmapLoads, std::vector<std::string>{source}) << height;
    EXPECT_EQ(sized.CRMark(false).Width, height);
    EXPECT_EQ(sized.CRMark(false).Height, height);
  }
}

TEST_F(CRMarkTest, MarksAreMadeInDevicePixelsOnADenseScreen) {
  host.canvas.pixelRatio = 2.0;
  host.bitmapLoads.clear();
  Load("a\r\nb");
  edit.BuildCRMarks(clRed, clWhite);
  EXPECT_EQ(host.bitmapLoads, std::vector<std::string>{"CR"});  // for 16 pixels, stretched to 32
  EXPECT_EQ(edit.CRMark(false).Width, 32);
  PaintRow(0);
  const std::vector<Call> marks = host.canvas.Calls(Call::Bitmap);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].dest.Width(), 16);  // still one character high on the canvas
}

TEST_F(CRMarkTest, MarksAreCachedUntilTheSizeOrAColourChanges) {
  edit.BuildCRMarks(clRed, clWhite);
  host.bitmapLoads.clear();
  edit.BuildCRMarks(clRed, clWhite);
  EXPECT_TRUE(host.bitmapLoads.empty());
  edit.BuildCRMarks(clRed, clWindow);  // the same white, named as a system colour
  EXPECT_TRUE(host.bitmapLoads.empty());
  edit.BuildCRMarks(clBlue, clWhite);
  EXPECT_EQ(host.bitmapLoads.size(), 1u);
}

TEST_F(CRMarkTest, RowWithItsOwnBackgroundGetsMarksOnThatBackground) {
  Load("a\r\nb\r\n");
  edit.RowAttr(1)->BkColor = clYellow;
  PaintRow(1);
  const std::vector<Call> marks = host.canvas.Calls(Call::Bitmap);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].image.At(1, 1), Px(clYellow));
  EXPECT_EQ(marks[0].image.At(10, 4), Px(clMaroon));
}

// ---- Left margin and column indicator

class IndicatorTest : public PaintTest {
 protected:
  std::vector<Call> BandTexts() {
    host.canvas.calls.clear();
    edit.PaintColIndicator();
    std::vector<Call> out;
    for (const Call& c : host.canvas.Calls(Call::Text))
      if (c.y == 0) out.push_back(c);
    return out;
  }
};

TEST_F(IndicatorTest, RulerMarksEveryFifthAndTenthColumn) {
  const std::vector<Call> texts = BandTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].x, kLeft);
  EXPECT_EQ(texts[0].text.substr(0, 21), "....+....1....+....2.");
  EXPECT_EQ(texts[0].text.size(), 75u);  // 74 whole columns, and one more
  EXPECT_EQ(texts[0].color, edit.ColColumnNo());
  EXPECT_EQ(texts[0].bkColor, edit.ColColumnIndi());

  edit.LeftCol = 95;
  EXPECT_EQ(BandTexts()[0].text.substr(0, 10), "....0....+");  // columns 96 to 105
}

TEST_F(IndicatorTest, MarkersShowTheCaretRowsIndentAndWrapColumn) {
  Load("abc");
  edit.RowAttr(0)->Indent = 4;
  edit.RowAttr(0)->WrapPos = 30;
  const std::vector<Call> texts = BandTexts();
  const Call* wrap = TextCall(texts, "<");
  const Call* indent = TextCall(texts, ">");
  ASSERT_NE(wrap, nullptr);
  ASSERT_NE(indent, nullptr);
  EXPECT_EQ(wrap->x, XOf(30));
  EXPECT_EQ(indent->x, XOf(3));
  EXPECT_EQ(wrap->color, edit.ColCr());

  edit.RowAttr(0)->Indent = 0;  // one cell left of the text, in the margin
  const std::vector<Call> again = BandTexts();
  indent = TextCall(again, ">");
  ASSERT_NE(indent, nullptr);
  EXPECT_EQ(indent->x, kLeft - kCell);
  EXPECT_EQ(indent->rect.Left, kLeft - kCell);
}

TEST_F(IndicatorTest, CaretColumnIsInverted) {
  Load("abcdefghijk");
  edit.CaretPos = TPoint{9, 0};
  std::vector<Call> texts = BandTexts();
  const Call& caret = texts.back();
  EXPECT_EQ(caret.text, "1");
  EXPECT_EQ(caret.x, XOf(9));
  EXPECT_EQ(caret.color, clHighlightText);
  EXPECT_EQ(caret.bkColor, clHighlight);

  edit.SetColColumnNo(clNavy);
  texts = BandTexts();
  EXPECT_EQ(texts.back().color, edit.ColColumnIndi());
  EXPECT_EQ(texts.back().bkColor, clNavy);
}

TEST_F(IndicatorTest, NotRedrawnWhileAStreamSelectionExists) {
  Load("abc");
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{2, 0};
  EXPECT_TRUE(BandTexts().empty());
  EXPECT_TRUE(host.canvas.calls.empty());
}

TEST_F(IndicatorTest, OnDrawColIndiDrawsButCannotSuppressTheRuler) {
  TRect seen;
  edit.OnDrawColIndi = [&](const TRect& rect, bool defaultDraw) {
    seen = rect;
    EXPECT_TRUE(defaultDraw);
  };
  EXPECT_FALSE(BandTexts().empty());
  EXPECT_EQ(seen, (TRect{0, 0, 640, kTop - 1}));
}
