// Insertion, overwriting, deleting the selection, the clipboard and search.
#include "editfixture.h"

using Editing = EditFixture;

TEST_F(Editing, PastedCrLfMakesRowsAndLoneLfDisappears) {
  host.clipboard = "x\r\ny";
  edit.PasteFromClipboard();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"x\r", "y"}));
  Load("");
  host.clipboard = "x\ny";
  edit.PasteFromClipboard();
  EXPECT_EQ(Rows(), std::vector<std::string>{"xy"});
}

TEST_F(Editing, OverwritingHalfACharacterLeavesASpace) {
  Load("\x82\xA0\x82\xA2\r\nz");  // あい
  edit.InsertMode = false;
  edit.MoveCaretTo(TPoint{0, 0});
  edit.InsertText("x");
  EXPECT_EQ(edit.GetRow(0), "x \x82\xA2\r");
  edit.MoveCaretTo(TPoint{2, 0});
  edit.InsertText("yzw");  // longer than the rest: the CR stays
  EXPECT_EQ(edit.GetRow(0), "x yzw\r");
}

TEST_F(Editing, OverwriteDoesNotShiftColumnAttributes) {
  Load("abcd");
  edit.ColAttrs(0).Items(2) = TColAttr{clRed, 0, true};
  edit.InsertMode = false;
  edit.MoveCaretTo(TPoint{0, 0});
  edit.InsertText("X");
  EXPECT_TRUE(edit.ColAttrs(0).IsActive(2));
  edit.InsertMode = true;
  edit.InsertText("Y");
  EXPECT_TRUE(edit.ColAttrs(0).IsActive(3));
}

TEST_F(Editing, InsertingAtAContinuationRowStartAppendsToTheRowAbove) {
  WrapAt(10, {TAFEditOption::aoWordWrap});
  Load("aaaa bbbb cccc\r\n", loWrap);
  ASSERT_EQ(edit.GetRow(1), "cccc\r");
  edit.MoveCaretTo(TPoint{0, 1});
  edit.InsertText("X");
  EXPECT_EQ(edit.Text(), "aaaa bbbb Xcccc\r\n");
}

TEST_F(Editing, FreeCaretPastTheEndPadsWithSpaces) {
  edit.SetOptions({TAFEditOption::aoFreeCaret});
  Load("abc\r\ndef");
  edit.MoveCaretTo(TPoint{5, 0});
  edit.InsertText("x");
  EXPECT_EQ(edit.GetRow(0), "abc  x\r");
  edit.MoveCaretTo(TPoint{5, 1});
  edit.InsertText("y");
  EXPECT_EQ(edit.GetRow(1), "def  y");
  edit.MoveCaretTo(TPoint{0, 5});
  edit.InsertText("z");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abc  x\r", "def  y\r", "\r", "\r", "\r", "z"}));
}

TEST_F(Editing, DeletingAcrossRowsJoinsTheEnds) {
  Load("row0\r\nrow1 tail\r\nrow2\r\nrow3\r\nrow4\r\nhead row5\r\nrow6");
  edit.Sel().AnchorPos = TPoint{3, 1};
  edit.Sel().EndPos = TPoint{5, 5};
  edit.DeleteSelection();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"row0\r", "rowrow5\r", "row6"}));
  EXPECT_EQ(edit.CaretPos, (TPoint{3, 1}));
}

TEST_F(Editing, DeletingToTheLastRowLeavesNoExtraRow) {
  Load("abc\r\ndef");
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{3, 1};
  edit.DeleteSelection();
  EXPECT_EQ(Rows(), std::vector<std::string>{"a"});
}

TEST_F(Editing, ReplacingASelectionIsOneUndoStep) {
  Load("hello world");
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{5, 0};
  edit.InsertText("bye");
  EXPECT_EQ(edit.Text(), "bye world");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "hello world");
}

TEST_F(Editing, CutCopiesDeletesAndAlwaysReportsDeselection) {
  Load("abc\r\ndef");
  int deselects = 0;
  edit.OnDisSelect = [&] { ++deselects; };
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{1, 1};
  edit.CutToClipboard();
  EXPECT_EQ(host.clipboard, "bc\r\nd");
  EXPECT_EQ(edit.Text(), "aef");
  edit.CutToClipboard();  // nothing selected
  EXPECT_EQ(deselects, 2);
  EXPECT_EQ(edit.Text(), "aef");
}

TEST_F(Editing, TheSelectionEventsFollowACutAndAPasteOverASelection) {
  Load("abc\r\ndef");
  int selects = 0, deselects = 0;
  edit.OnSelect = [&] { ++selects; };
  edit.OnDisSelect = [&] { ++deselects; };
  edit.SelectAll();
  edit.CutToClipboard();
  edit.Undo();
  edit.SelectAll();  // a new selection after the cut is reported again
  EXPECT_EQ(selects, 2);
  host.clipboard = "x";
  edit.PasteFromClipboard();
  EXPECT_EQ(deselects, 2);  // the paste ended the selection
  EXPECT_EQ(edit.Text(), "x");
}

// Many lines of prose, Japanese, tabs, indents and a long word, some longer
// than the narrow widths.
std::string PasteSample() {
  std::string text;
  for (int i = 0; i < 150; ++i) {
    text += "line " + std::to_string(i) + " of the sample\r\n";
    text += "\t\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42\r\n";  // 日本語の文章です。
    if (i % 10 == 0) text += "  indented words that run on past the narrow widths\r\n";
    if (i % 25 == 0) text += std::string(70, 'w') + "\r\n\r\n";
  }
  return text + "last";
}

TEST_F(Editing, APastedTextIsWrappedAsTheSameTextLoaded) {
  const std::string text = PasteSample();
  for (const int width : {0, 12, 30}) {
    if (width > 0) {
      WrapAt(width, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
    } else {
      edit.SetOptions({TAFEditOption::aoWordWrap});  // unwrapped
    }
    Load(text, loWrap);
    const std::vector<std::string> loaded = Rows();
    Load("");
    host.scroll[1] = TScrollInfo{};
    host.clipboard = text;
    edit.PasteFromClipboard();
    EXPECT_EQ(Rows(), loaded) << "width " << width;
    const int last = edit.RowCount() - 1;
    EXPECT_EQ(edit.CaretPos, (TPoint{edit.DisplayLength(last), last})) << "width " << width;
    // Drawing waited until the end; the scroll bar and the view followed.
    EXPECT_GE(host.scroll[1].Max, last);
    EXPECT_LE(edit.TopRow, last);
    EXPECT_GT(edit.TopRow + edit.VisibleRows(), last);
  }
}

TEST_F(Editing, CutAndClearWithNothingSelectedChangeNothing) {
  Load("abc\r\ndef");
  edit.Sel().AnchorPos = edit.Sel().EndPos = TPoint{1, 0};
  edit.CaretPos = TPoint{2, 1};
  host.clipboard = "kept";
  edit.WMCut();
  edit.WMClear();
  EXPECT_FALSE(edit.Edited());
  EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
  EXPECT_EQ(edit.CaretPos, (TPoint{2, 1}));
  EXPECT_EQ(host.clipboard, "kept");
  EXPECT_EQ(edit.Text(), "abc\r\ndef");
}

TEST_F(Editing, ReadOnlyBlocksChangesButNotCopying) {
  Load("abc");
  edit.SetReadOnly(true);
  edit.Sel().EndPos = TPoint{2, 0};
  edit.WMCut();
  edit.WMPaste();
  edit.WMClear();
  EXPECT_EQ(edit.Text(), "abc");
  edit.WMCopy();
  EXPECT_EQ(host.clipboard, "ab");
}

TEST_F(Editing, UndoOfThreeInsertedRowsPutsTheCaretBackInView) {
  for (int i = 0; i < 40; ++i) edit.AppendRow("line\r");
  edit.ClearUndo();
  edit.MoveCaretTo(TPoint{0, 2});
  edit.InsertText("a\rb\rc\r");
  edit.SetTopRow(30);
  edit.Undo();
  EXPECT_EQ(edit.RowCount(), 41);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 2}));
  EXPECT_LE(edit.TopRow, 2);
}

TEST_F(Editing, FindsForwardAndBackward) {
  Load("needle one\r\nsome needle\r\nthe last needle");
  TPoint found;
  const TPoint end{static_cast<int>(edit.GetRow(edit.RowCount() - 1).size()), edit.RowCount() - 1};
  edit.FindText("needle", TPoint{1, 0}, found, 0, end);
  EXPECT_EQ(found, (TPoint{5, 1}));
  edit.FindText("NEEDLE", TPoint{0, 0}, found, 1, end);
  EXPECT_EQ(found, (TPoint{0, 0}));
  edit.FindText("needle", TPoint{3, 1}, found, 2, TPoint{0, 0});
  EXPECT_EQ(found, (TPoint{0, 0}));
  edit.FindText("absent", TPoint{0, 0}, found, 0, end);
  EXPECT_EQ(found.X, -1);
}

TEST_F(Editing, FindsAWordSplitOverASoftWrapInItsFirstRow) {
  WrapAt(10);
  Load("xxxxxxxabcdefgh", loWrap);
  ASSERT_EQ(edit.GetRow(0), "xxxxxxxabc");
  TPoint found;
  edit.FindText("abcdef", TPoint{0, 0}, found, 0, TPoint{5, 1});
  EXPECT_EQ(found, (TPoint{7, 0}));
}

TEST_F(Editing, SearchNeverMatchesFromTheSecondByteOfACharacter) {
  Load("\x82\x60" "`");  // Ａ then a backquote: 0x60 is also Ａ's second byte
  TPoint found;
  edit.FindText("`", TPoint{0, 0}, found, 0, TPoint{3, 0});
  EXPECT_EQ(found, (TPoint{2, 0}));
}
