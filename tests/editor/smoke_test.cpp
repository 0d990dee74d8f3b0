#include "editfixture.h"

using Smoke = EditFixture;

TEST_F(Smoke, LoadsTextAndGivesItBack) {
  Load("x\r\ny\nz\rw");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"x\r", "y\r", "z\r", "w"}));
  EXPECT_EQ(edit.Text(), "x\r\ny\r\nz\r\nw");
}

TEST_F(Smoke, WrapsAndUndoes) {
  WrapAt(10);
  Load("aaaa bbbb cccc dddd\r\n", loWrap);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"aaaa bbbb ", "cccc dddd\r", ""}));
  edit.MoveCaretTo(TPoint{2, 0});
  edit.InsertText("XY");
  EXPECT_EQ(edit.Text(), "aaXYaa bbbb cccc dddd\r\n");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "aaaa bbbb cccc dddd\r\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"aaaa bbbb ", "cccc dddd\r", ""}));
  edit.Redo();
  EXPECT_EQ(edit.Text(), "aaXYaa bbbb cccc dddd\r\n");
}
