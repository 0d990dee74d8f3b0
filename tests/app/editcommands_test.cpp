#include "app/editcommands.h"

#include <gtest/gtest.h>

#include "editfixture.h"

namespace {

class SelectRowTest : public EditFixture {
 protected:
  void SetUp() override {
    Load("one\r\ntwo\r\nthree\r\nfour");
    edit.OnSelect = [this] { ++selects; };
  }
  int selects = 0;
};

TEST_F(SelectRowTest, RepeatingItSelectsTheFollowingRows) {
  edit.MoveCaretTo(TPoint{2, 1});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelTop(), 1);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 1);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 2}));
  EXPECT_EQ(selects, 1);
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelTop(), 2);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 2);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 3}));
}

TEST_F(SelectRowTest, TheFirstAndTheLastRowKeepTheCaret) {
  edit.MoveCaretTo(TPoint{1, 0});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 0);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 0}));
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 0);

  edit.MoveCaretTo(TPoint{3, 3});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 3);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 3}));
}

TEST_F(SelectRowTest, AStreamSelectionGivesWayToTheRow) {
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{2, 2};
  edit.MoveCaretTo(TPoint{2, 2});
  SelectCaretRow(edit);
  EXPECT_FALSE(edit.Sel().HasSel());
  EXPECT_EQ(edit.Sel().RowSelFrom, 2);
  EXPECT_EQ(edit.SelText(), "three\r\n");
}

}  // namespace
