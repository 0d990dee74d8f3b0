// Caret movement by keys: steps over double-byte characters, tabs, the
// indent, CR cells and soft wraps; Home/End; word movement; caret shape.
#include "inputfixture.h"

using CaretKeys = InputFixture;

TEST_F(CaretKeys, RightAndLeftTreatTheCRAsOneCell) {
  Load("ab\r\nxy");
  edit.RowAttr(1)->Indent = 2;
  std::vector<TPoint> seen;
  for (int i = 0; i < 3; ++i) {
    Key(VK_RIGHT);
    seen.push_back(Caret());
  }
  EXPECT_EQ(seen, (std::vector<TPoint>{{1, 0}, {2, 0}, {2, 1}}));
  Key(VK_LEFT);
  EXPECT_EQ(Caret(), (TPoint{2, 0}));  // in front of the CR
}

// 亜 is 88 9F: its second byte lies in the lead-byte range, so only a scan
// from the row start tells it is a second byte. The steps are taken
// without the caret update, whose snapping would hide a wrong step.
TEST_F(CaretKeys, DoubleByteCharactersArePassedInOneStep) {
  Load("\x88\x9F\x88\x9Fx");
  std::vector<int> right, left;
  for (int i = 0; i < 3; ++i) edit.CaretRight(), right.push_back(Caret().X);
  for (int i = 0; i < 3; ++i) edit.CaretLeft(), left.push_back(Caret().X);
  EXPECT_EQ(right, (std::vector<int>{2, 4, 5}));
  EXPECT_EQ(left, (std::vector<int>{4, 2, 0}));
}

TEST_F(CaretKeys, TabsArePassedWholeAndTheIndentIsSkipped) {
  Load("a\tb\r\n\t\tc");
  std::vector<int> right;
  for (int i = 0; i < 3; ++i) Key(VK_RIGHT), right.push_back(Caret().X);
  EXPECT_EQ(right, (std::vector<int>{1, 4, 5}));
  edit.MoveCaretTo(TPoint{8, 1});  // behind the second of two tabs
  Key(VK_LEFT);
  EXPECT_EQ(Caret().X, 4);  // stops at the end of the first tab
  Key(VK_LEFT);
  EXPECT_EQ(Caret().X, 0);

  edit.RowAttr(1)->Indent = 3;
  edit.MoveCaretTo(TPoint{0, 1});
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), (TPoint{3, 1}));
  Key(VK_LEFT);
  EXPECT_EQ(Caret(), (TPoint{5, 0}));  // leaves the row at its indent
}

TEST_F(CaretKeys, SoftWrappedRowsJoinWithoutARestingPlace) {
  WrapAt(10);
  Load("aaaa bbbb cccc dddd", loWrap);
  ASSERT_EQ(Rows()[0], "aaaa bbbb ");
  edit.MoveCaretTo(TPoint{9, 0});
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  Key(VK_LEFT);
  EXPECT_EQ(Caret(), (TPoint{10, 0}));
  // Backspace at the continuation row's start only moves; the next one
  // deletes the last character of the row above.
  edit.MoveCaretTo(TPoint{0, 1});
  Type("\b");
  EXPECT_EQ(edit.Text(), "aaaa bbbb cccc dddd");
  Type("\b");
  EXPECT_EQ(edit.Text(), "aaaa bbbbcccc dddd");
}

TEST_F(CaretKeys, PastTheEndLeftLandsOnACharacterStart) {
  Load("abc\r\nx\x82\xA0");
  edit.MoveCaretTo(TPoint{9, 1});
  edit.CaretLeft();
  EXPECT_EQ(Caret(), (TPoint{1, 1}));  // not on the second byte of あ
  edit.MoveCaretTo(TPoint{9, 0});
  edit.CaretLeft();
  EXPECT_EQ(Caret(), (TPoint{2, 0}));  // one step from where it is drawn, in front of the CR
}

TEST_F(CaretKeys, VerticalMovesIntoADoubleByteCharacterSnapBothWays) {
  Load("abc\r\n\x82\xA0\x82\xA2");
  int landed[2];
  for (int& x : landed) {
    edit.MoveCaretTo(TPoint{1, 0});
    Key(VK_DOWN);
    x = Caret().X;
  }
  EXPECT_NE(landed[0], landed[1]);
  for (int x : landed) EXPECT_TRUE(x == 0 || x == 2) << x;
}

TEST_F(CaretKeys, HomeAndEndRespectIndentAndCR) {
  Load("  ab\r\nxyz");
  edit.RowAttr(0)->Indent = 2;
  edit.MoveCaretTo(TPoint{5, 0});
  Key(VK_END);
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
  Key(VK_HOME);
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
  Key(VK_END, {VK_CONTROL});
  EXPECT_EQ(Caret(), (TPoint{3, 1}));
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
}

// Home used to skip the caret follow-up when the view was scrolled right:
// Ctrl+Home then left the view far down, Shift+Home selected nothing.
TEST_F(CaretKeys, HomeFollowsTheCaretWhenTheViewWasScrolledRight) {
  LoadRows(100);
  edit.MoveCaretTo(TPoint{3, 80});
  edit.CaretMoved();
  edit.WMHScroll(SB_THUMBPOSITION, 5);
  Key(VK_HOME, {VK_SHIFT});
  EXPECT_EQ(edit.Sel().SelStart(), (TPoint{0, 80}));
  EXPECT_EQ(edit.Sel().SelEnd(), (TPoint{3, 80}));
  edit.WMHScroll(SB_THUMBPOSITION, 5);
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(edit.TopRow, 0);
  EXPECT_EQ(edit.LeftCol, 0);
}

TEST_F(CaretKeys, WordMovement) {
  Load("abc de_f\r\nghi \x82\xA0\x82\xA2");
  std::vector<TPoint> right;
  for (int i = 0; i < 5; ++i) Key(VK_RIGHT, {VK_CONTROL}), right.push_back(Caret());
  // The underscore is no word character; a line end is a stop of its own;
  // double-byte characters go one at a time.
  EXPECT_EQ(right, (std::vector<TPoint>{{4, 0}, {7, 0}, {0, 1}, {4, 1}, {6, 1}}));
  std::vector<TPoint> left;
  for (int i = 0; i < 4; ++i) Key(VK_LEFT, {VK_CONTROL}), left.push_back(Caret());
  EXPECT_EQ(left, (std::vector<TPoint>{{4, 1}, {0, 1}, {8, 0}, {7, 0}}));
}

// With an indented first row the caret never reaches (0, 0); word movement
// used to step left there for ever.
TEST_F(CaretKeys, WordLeftEndsAtAnIndentedTextStart) {
  Load("  ab");
  edit.RowAttr(0)->Indent = 4;
  edit.MoveCaretTo(TPoint{8, 0});
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
}

TEST_F(CaretKeys, CaretShapeFollowsModeAndCharacter) {
  Load("a\x82\xA0");
  const int h = FakeEditHost::kCharHeight;
  edit.InsertMode = false;
  edit.WMKillFocus();
  edit.WMSetFocus();  // overwrite mode shows the block caret at once
  EXPECT_EQ(host.caret.width, h / 2);
  EXPECT_TRUE(host.caret.visible);
  Key(VK_RIGHT);
  EXPECT_EQ(host.caret.width, h);  // over a double-byte character
  Key(VK_INSERT);
  EXPECT_EQ(host.caret.width, 2);
  EXPECT_TRUE(host.caret.visible);
}

// Wherever a click leaves the caret (beyond a row's end, behind its CR, in
// a tab's expansion, on a character's second half, in the indent), a typed
// character appears where the caret is drawn, with a free caret or without.
TEST_F(CaretKeys, TypedTextLandsWhereTheCaretIsDrawn) {
  const std::string text = "ab\r\n\tc\r\n\x82\xA0\x82\xA2\r\n  x";  // あい in the third row
  for (bool freeCaret : {false, true}) {
    for (int row = 0; row < 4; ++row) {
      for (int col = 0; col < 9; ++col) {
        edit.SetOptions(freeCaret ? TAFEditOptions{TAFEditOption::aoFreeCaret} : TAFEditOptions{});
        Load(text);
        edit.RowAttr(3)->Indent = 3;
        Click(X(col), Y(row));
        const TPoint drawn{host.caret.x, host.caret.y};
        Type("Q");
        int r = 0;
        while (r < edit.RowCount() && edit.GetRow(r).find('Q') == std::string_view::npos) ++r;
        ASSERT_LT(r, edit.RowCount());
        const TPoint q = edit.IndexToCol(TPoint{static_cast<int>(edit.GetRow(r).find('Q')), r});
        EXPECT_EQ(drawn, (TPoint{X(q.X, 0), Y(q.Y) - 1})) << "free " << freeCaret << " at " << col << "," << row;
      }
    }
  }
}

// Beyond the end of a row the caret is drawn in front of its CR: Backspace
// takes the last character, Delete the line break.
TEST_F(CaretKeys, BackspaceAndDeleteBeyondTheEndActWhereTheCaretIsDrawn) {
  Load("abc\r\nxy");
  Click(X(8), Y(0));
  Type("\b");
  EXPECT_EQ(edit.Text(), "ab\r\nxy");
  Click(X(8), Y(0));
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "abxy");
}
