// Construction, Loaded and the published properties of the control.
#include <set>

#include "editfixture.h"
#include "editor/switches.h"
#include "encoding/sjis.h"

namespace {

int CharCount(std::string_view s) {
  int n = 0;
  for (std::size_t i = 0; i < s.size(); i += sjis::CharLen(s, i)) ++n;
  return n;
}

}  // namespace

using ControlTest = EditFixture;

TEST_F(ControlTest, NewControlHoldsOneEmptyRowAndNoUndo) {
  FakeEditHost other;
  TCustomAFEdit fresh(other);
  bool canUndo = true;
  fresh.OnUndoChange = [&](bool u, bool) { canUndo = u; };
  fresh.Loaded();
  EXPECT_EQ(fresh.RowCount(), 1);
  EXPECT_EQ(fresh.GetRow(0), "");
  EXPECT_EQ(fresh.CaretPos, (TPoint{0, 0}));
  EXPECT_FALSE(fresh.Edited());
  EXPECT_FALSE(canUndo);
  EXPECT_FALSE(fresh.UndoBuffer().CanUndo);
}

TEST_F(ControlTest, NewControlGeometry) {
  FakeEditHost other;
  TCustomAFEdit fresh(other);
  // Row numbers are shown, so the margin widens to "  100:", six cells.
  EXPECT_EQ(fresh.LeftMgn(), 6 * 8);
  EXPECT_EQ(fresh.RowHeight(), 16 + 2);
  EXPECT_EQ(fresh.TextTop(), fresh.RowHeight());  // below the indicator band
  EXPECT_EQ(fresh.ClientWidth(), 200);
  EXPECT_EQ(fresh.ClientHeight(), 100);
  EXPECT_FALSE(fresh.HasView(TViewOption::voFoldMark));
  for (TViewOption o : {TViewOption::voDependence, TViewOption::voHankana, TViewOption::voCr,
                        TViewOption::voAnsiSpace, TViewOption::voTab, TViewOption::voIndent,
                        TViewOption::voColIndicate, TViewOption::voKeyWord, TViewOption::voRowNum,
                        TViewOption::voWrapLine})
    EXPECT_TRUE(fresh.HasView(o)) << static_cast<int>(o);
  EXPECT_EQ(fresh.Options(), (TAFEditOptions{TAFEditOption::aoAutoFormat}));
}

TEST_F(ControlTest, DefaultCharacterLists) {
  EXPECT_EQ(CharCount(edit.BanHead()), 47);
  EXPECT_EQ(CharCount(edit.BanEnd()), 15);
  // Every defined code of row 0x87 from 87 40 to 87 9C, each once.
  const std::string& dep = edit.DependenceChar();
  ASSERT_EQ(dep.size(), 2u * 83);
  std::set<int> codes;
  for (std::size_t i = 0; i < dep.size(); i += 2) {
    EXPECT_EQ(static_cast<unsigned char>(dep[i]), 0x87);
    const int trail = static_cast<unsigned char>(dep[i + 1]);
    EXPECT_TRUE(trail >= 0x40 && trail <= 0x9C) << trail;
    codes.insert(trail);
  }
  EXPECT_EQ(codes.size(), 83u);
  EXPECT_TRUE(edit.IsDependenceChar("\x87\x40"));  // ①
  EXPECT_FALSE(edit.IsDependenceChar("\x82\xA0"));  // あ
}

TEST_F(ControlTest, DependenceCharactersCanBeReplaced) {
  edit.SetDependenceChar("\x82\xA0");
  EXPECT_TRUE(edit.IsDependenceChar("\x82\xA0"));
  EXPECT_FALSE(edit.IsDependenceChar("\x87\x40"));
}

TEST_F(ControlTest, ColorKeepsSpecialRowBackgroundsAndRepaints) {
  Load("a\r\nb\r\nc");
  edit.RowAttr(1)->BkColor = clYellow;
  host.canvas.calls.clear();
  edit.SetColor(clGray);
  EXPECT_EQ(edit.RowAttr(0)->BkColor, clGray);
  EXPECT_EQ(edit.RowAttr(1)->BkColor, clYellow);
  EXPECT_EQ(edit.RowAttr(2)->BkColor, clGray);
  EXPECT_FALSE(host.canvas.Calls(RecordingCanvas::Call::Text).empty());
}

TEST_F(ControlTest, RowPitchTakesEffectAtTheNextMetricsUpdate) {
  edit.SetRowPich(8);
  EXPECT_EQ(edit.RowHeight(), 18);
  edit.SetLeftMgn(edit.LeftMgn());
  EXPECT_EQ(edit.RowHeight(), 24);
}

TEST_F(ControlTest, LeftMarginGrowsToTheRowNumberAndStays) {
  edit.SetLeftMgn(10);
  EXPECT_EQ(edit.LeftMgn(), 48);
  EXPECT_EQ(edit.TextLeft(), 48);
  edit.SetLeftMgn(100);
  EXPECT_EQ(edit.TextLeft(), 100);
  edit.SetRowDspFmt("%7d:");  // takes effect at the next metrics update
  edit.SetLeftMgn(10);
  EXPECT_EQ(edit.LeftMgn(), 8 * 8);
}

TEST_F(ControlTest, TopMarginAndCharacterPitchMoveTheTextArea) {
  edit.SetTopMgn(10);
  EXPECT_EQ(edit.TextTop(), 10 + edit.RowHeight());
  edit.SetCharPich(2);
  EXPECT_EQ(edit.CellWidth(), 10);
}

TEST_F(ControlTest, DefWrapPosMovesOnlyRowsWithTheOldColumn) {
  Load("a\r\nb\r\nc");
  edit.RowAttr(1)->WrapPos = 30;
  edit.SetDefWrapPos(40);
  EXPECT_EQ(edit.RowAttr(0)->WrapPos, 40);
  EXPECT_EQ(edit.RowAttr(1)->WrapPos, 30);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a\r", "b\r", "c"}));
}

TEST_F(ControlTest, FontColourFollowsTheLastColourAppliedInTheProcess) {
  Load("a\r\nb");
  edit.RowAttr(1)->Color = clGreen;
  TFont red = edit.Font();
  red.Color = clRed;
  edit.SetFont(red);
  EXPECT_EQ(edit.RowAttr(0)->Color, clRed);
  EXPECT_EQ(edit.RowAttr(1)->Color, clGreen);
  EXPECT_EQ(EditSwitches::LastFontColor, clRed);

  // A second control's rows were coloured from the first font colour, which
  // is no longer the last one applied: they keep it.
  FakeEditHost other;
  TCustomAFEdit second(other);
  TFont blue = second.Font();
  blue.Color = clBlue;
  const TColor before = second.RowAttr(0)->Color;
  second.SetFont(blue);
  EXPECT_EQ(second.RowAttr(0)->Color, before);
  EXPECT_EQ(EditSwitches::LastFontColor, clBlue);
}

TEST_F(ControlTest, FontChangeRemeasuresAndRecreatesTheCaret) {
  host.canvas.charHeight = 24;
  const int creations = host.caret.creations;
  TFont big = edit.Font();
  big.Height = -24;
  edit.SetFont(big);
  EXPECT_EQ(edit.CharHeight(), 24);
  EXPECT_EQ(edit.CellWidth(), 12);
  EXPECT_GT(host.caret.creations, creations);
  EXPECT_EQ(host.caret.height, 24);
  EXPECT_EQ(edit.CRMark(false).Width, 24);
}

TEST_F(ControlTest, KeywordsAreCopiedAndMatchedIgnoringCase) {
  std::vector<std::string> words{"While", "if", "end_if"};
  edit.SetKeywords(words);
  words.clear();
  EXPECT_EQ(edit.Keywords().size(), 3u);
  EXPECT_TRUE(edit.IsKeyword("WHILE"));
  EXPECT_TRUE(edit.IsKeyword("If"));
  EXPECT_TRUE(edit.IsKeyword("END_IF"));
  EXPECT_FALSE(edit.IsKeyword("whil"));
  EXPECT_FALSE(edit.IsKeyword("whiles"));
  EXPECT_TRUE(edit.IsKeywordChar('_'));
  EXPECT_TRUE(edit.IsKeywordChar('q'));  // letters always are
  EXPECT_FALSE(edit.IsKeywordChar('-'));
  edit.SetKeywords({});
  EXPECT_FALSE(edit.IsKeywordChar('_'));
}

TEST_F(ControlTest, RowNumberFormat) {
  EXPECT_EQ(edit.FormatRowNumber(1), "    1:");
  edit.SetRowDspFmt("%-3d|");
  EXPECT_EQ(edit.FormatRowNumber(42), "42 |");
  edit.SetRowDspFmt("no number");
  EXPECT_EQ(edit.FormatRowNumber(7), "no number");
}

TEST_F(ControlTest, SetTopRowNeverScrollsTheLastRowAboveTheMiddle) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x\r\n";
  Load(text);
  ASSERT_EQ(edit.VisibleRows(), (480 - 18) / 18);
  edit.SetTopRow(50);
  EXPECT_EQ(edit.TopRow, 50);
  edit.SetTopRow(99);
  EXPECT_EQ(edit.TopRow, edit.RowCount() - edit.VisibleRows() / 2);
  edit.SetTopRow(-5);
  EXPECT_EQ(edit.TopRow, 0);
}
