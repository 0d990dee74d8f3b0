// Rows, positions, text ranges and the row operations.
#include "editfixture.h"

using TextStore = EditFixture;

TEST_F(TextStore, TextComesBackAsLoadedWithCrLfLineEnds) {
  EXPECT_EQ(Rows(), std::vector<std::string>{""});
  EXPECT_EQ(edit.Text(), "");
  Load("a\r\nb");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a\r", "b"}));
  EXPECT_EQ(edit.Text(), "a\r\nb");
  Load("a\r\nb\r\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a\r", "b\r", ""}));
  EXPECT_EQ(edit.Text(), "a\r\nb\r\n");
}

TEST_F(TextStore, SoftWrappedRowsComeBackAsOneLine) {
  WrapAt(10);
  Load("aaaaaaaa bbbbbbbb cccccccc\r\nx", loWrap);
  ASSERT_EQ(edit.RowCount(), 4);
  EXPECT_EQ(edit.Text(), "aaaaaaaa bbbbbbbb cccccccc\r\nx");
}

TEST_F(TextStore, TabsExpandFromTheRowStartAndColumnsMapBackToTheTab) {
  EXPECT_EQ(edit.ExpandTabs("a\tb", false), std::string("a\x0B\x0B\tb"));
  EXPECT_EQ(edit.ExpandTabs("a\tb", true), "a   b");
  Load("a\tb\r\nxyz");
  EXPECT_EQ(edit.ColToIndex(0, 2), 1);   // inside the tab's fill
  EXPECT_EQ(edit.ColToIndex(0, 3), 1);   // the TAB's own cell
  EXPECT_EQ(edit.ColToIndex(0, 4), 2);
  EXPECT_EQ(edit.ColToIndex(0, 40), 4);  // past the end: the row length
  EXPECT_EQ(edit.IndexToCol(TPoint{2, 0}).X, 4);
  edit.RowAttr(1)->Indent = 4;
  EXPECT_EQ(edit.ColToIndex(1, 1), -3);
  EXPECT_EQ(edit.IndexToCol(TPoint{1, 1}).X, 5);
}

TEST_F(TextStore, ZeroTabSizeDoesNotDivideByZero) {
  edit.SetTabSize(0);
  Load("\t\tx");
  EXPECT_EQ(edit.DisplayLength(0), 3);
}

TEST_F(TextStore, VetoedRowChangeLeavesRowAndHistoryAlone) {
  Load("keep");
  edit.OnBeforeChange = [](int, std::string&, bool& canModify) { canModify = false; };
  edit.ReplaceRow(0, "changed");
  EXPECT_EQ(edit.GetRow(0), "keep");
  EXPECT_FALSE(edit.Edited());
  EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
}

TEST_F(TextStore, ColourChangeKeepsSpecialRowBackgrounds) {
  edit.SetColor(clWhite);
  Load("a\r\nb\r\nc");
  edit.RowAttr(1)->BkColor = clYellow;
  edit.SetColor(clGray);
  EXPECT_EQ(edit.RowAttr(0)->BkColor, clGray);
  EXPECT_EQ(edit.RowAttr(1)->BkColor, clYellow);
}

TEST_F(TextStore, NewDefaultWrapPositionReachesOnlyRowsThatHadTheOldOne) {
  Load("a\r\nb");
  edit.RowAttr(1)->WrapPos = 30;
  edit.SetDefWrapPos(70);
  EXPECT_EQ(edit.RowAttr(0)->WrapPos, 70);
  EXPECT_EQ(edit.RowAttr(1)->WrapPos, 30);
}

TEST_F(TextStore, SortingKeepsAnEmptyLastRowLastAndUndoesInOneStep) {
  Load("c\r\na\r\nb\r\n");
  edit.SortRows(0, edit.RowCount() - 1, true, [](const TCustomAFEdit& e, int i, int j) {
    return e.GetRow(i).compare(e.GetRow(j));
  });
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a\r", "b\r", "c\r", ""}));
  edit.Undo();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"c\r", "a\r", "b\r", ""}));

  // Rows exchanged many times over come back and go forward exactly.
  Load("g\r\nf\r\ne\r\nd\r\nc\r\nb\r\na\r\nh\r\nd\r\n");
  const std::vector<std::string> unsorted = Rows();
  edit.SortRows(0, edit.RowCount() - 1, true, [](const TCustomAFEdit& e, int i, int j) {
    return e.GetRow(i).compare(e.GetRow(j));
  });
  const std::vector<std::string> sorted = Rows();
  EXPECT_EQ(sorted.front(), "a\r");
  edit.Undo();
  EXPECT_EQ(Rows(), unsorted);
  edit.Redo();
  EXPECT_EQ(Rows(), sorted);
}

TEST_F(TextStore, TextRangeDropsTrailingBlanksUnlessItEndsAfterALineEnd) {
  Load("ab  \r\ncd");
  EXPECT_EQ(edit.GetTextRange(TPoint{0, 0}, TPoint{4, 0}, false), "ab");
  EXPECT_EQ(edit.GetTextRange(TPoint{0, 0}, TPoint{5, 0}, false), "ab  \r\n");
  EXPECT_EQ(edit.GetTextRange(TPoint{1, 0}, TPoint{1, 1}, false), "b  \r\nc");
  EXPECT_EQ(edit.GetTextRange(TPoint{0, 0}, TPoint{0, 0}, false), "");
}

TEST_F(TextStore, RowEventsSeeEveryInsertionAndDeletion) {
  Load("a\r\nb");
  std::vector<std::string> seen;
  edit.OnLineInsert = [&](int index, std::string& s) {
    seen.push_back("+" + std::to_string(index));
    s += "!";  // the handler may change the new row
  };
  edit.OnLineDelete = [&](int index) { seen.push_back("-" + std::to_string(index)); };
  edit.InsertRowText(1, "new\r");
  edit.RemoveRow(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"+1", "-0"}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"new\r!", "b"}));
}
