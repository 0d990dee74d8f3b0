// The selected text of stream and row selections.
#include "editfixture.h"

using Selection = EditFixture;

TEST_F(Selection, BackwardsSelectionIsTheSameAsForwards) {
  Load("hello world\r\nsecond");
  edit.Sel().AnchorPos = TPoint{3, 1};
  edit.Sel().EndPos = TPoint{6, 0};
  EXPECT_EQ(edit.Sel().SelStart(), (TPoint{6, 0}));
  EXPECT_EQ(edit.SelText(), "world\r\nsec");
}

TEST_F(Selection, ToTheStartOfTheNextRowIncludesTheLineEndOnlyAfterACr) {
  WrapAt(6);
  Load("abc\r\nabcdefghij", loWrap);  // the second line wraps after "abcdef"
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{0, 1};
  EXPECT_EQ(edit.SelText(), "bc\r\n");
  edit.Sel().AnchorPos = TPoint{1, 1};
  edit.Sel().EndPos = TPoint{0, 2};
  EXPECT_EQ(edit.SelText(), "bcdef");
}

TEST_F(Selection, RowSelectionOfTheLastRowHasNoLineBreak) {
  Load("a\r\nlast");
  edit.Sel().RowSelFrom = edit.Sel().RowSelTo = 1;
  EXPECT_EQ(edit.SelText(), "last");
  edit.Sel().RowSelFrom = 0;
  EXPECT_EQ(edit.SelText(), "a\r\nlast");
}

TEST_F(Selection, RowSelectionOfOnlyTheEmptyLastRowIsEmpty) {
  Load("a\r\n");
  edit.Sel().RowSelFrom = edit.Sel().RowSelTo = 1;
  EXPECT_EQ(edit.SelText(), "");
  edit.Sel().RowSelFrom = 0;
  EXPECT_EQ(edit.SelText(), "a\r\n");
}

TEST_F(Selection, StreamSelectionWinsOverRowSelection) {
  Load("abc\r\ndef");
  edit.Sel().RowSelFrom = edit.Sel().RowSelTo = 1;
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{2, 0};
  EXPECT_EQ(edit.SelText(), "ab");
}

TEST_F(Selection, SelectAllThenDeleteLeavesOneEmptyRow) {
  Load("a\r\nb\r\nc");
  int selects = 0;
  edit.OnSelect = [&] { ++selects; };
  edit.SelectAll();
  EXPECT_EQ(selects, 1);
  edit.DeleteSelection();
  EXPECT_EQ(Rows(), std::vector<std::string>{""});
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 0}));
}

TEST_F(Selection, PointsLeftPastTheRowsByAnUndoAreClampedBeforeUse) {
  Load("a\r\nb\r\nc");
  edit.MoveCaretTo(TPoint{1, 2});
  edit.InsertText("\r\r\r");
  edit.Sel().AnchorPos = TPoint{0, 4};
  edit.Sel().EndPos = TPoint{0, 5};
  edit.Undo();
  EXPECT_EQ(edit.SelText(), "");
  edit.DeleteSelection();
  EXPECT_EQ(edit.Text(), "a\r\nb\r\nc");
}
