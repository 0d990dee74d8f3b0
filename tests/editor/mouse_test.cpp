// Clicks, drags, automatic scrolling, margin row selection, marker drops
// and double-clicks through the control's mouse handlers.
#include <map>

#include "inputfixture.h"

using Mouse = InputFixture;

TEST_F(Mouse, ClickNearACellsRightEdgeLandsBehindIt) {
  Load("abcdef");
  const int w = edit.CellWidth();
  Click(X(2, w - 3), Y(0));
  EXPECT_EQ(Caret(), (TPoint{3, 0}));
  Click(X(2, w - 4), Y(0));
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
  Click(X(30), Y(5));  // beyond the row and below the last row
  EXPECT_EQ(Caret(), (TPoint{30, 0}));
  EXPECT_FALSE(edit.Sel().HasSel());
}

TEST_F(Mouse, ClickOnTheSecondHalfOfACharacterLandsBeforeIt) {
  Load("a\x82\xA0" "b");
  for (int i = 0; i < 2; ++i) {
    Click(X(2), Y(0));
    EXPECT_EQ(Caret(), (TPoint{1, 0}));
  }
}

TEST_F(Mouse, ShiftClickExtendsFromTheCaretAndADragMovesTheEnd) {
  Load("abcdefgh");
  Click(X(2), Y(0));
  Press(X(5), Y(0), ssShift);
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
  EXPECT_EQ(edit.SelText(), "cde");
  DragTo(X(6), Y(0));
  Release();
  EXPECT_EQ(edit.SelText(), "cdef");
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
}

TEST_F(Mouse, CaretStaysHiddenWhileDragging) {
  LoadRows(100);
  Press(X(1), Y(2));
  EXPECT_FALSE(host.caret.visible);
  DragTo(X(3), Y(4));
  edit.WMVScroll(SB_LINEDOWN, 0);  // a repaint on the way
  EXPECT_FALSE(host.caret.visible);
  Release();
  EXPECT_TRUE(host.caret.visible);
}

TEST_F(Mouse, ClickInTextDropsRowSelectionAndComposition) {
  Load("abc\r\ndef");
  edit.SelectAll();
  host.composing = true;
  Click(X(1), Y(1));
  EXPECT_FALSE(edit.Sel().HasRowSel());
  EXPECT_EQ(host.compositionCancels, 1);
}

TEST_F(Mouse, DoubleClickSelectsWordsAndSingleCharacters) {
  Load("hello world");
  int selects = 0;
  edit.OnSelect = [&] { ++selects; };
  Click(X(2), Y(0));
  edit.WMLButtonDblClk(X(2), Y(0), ssLeft);
  EXPECT_EQ(edit.SelText(), "hello");
  EXPECT_EQ(selects, 1);  // at once, not only at the button-up
  Release();
  DoubleClick(X(0), Y(0));
  EXPECT_EQ(edit.SelText(), "hello");
  DoubleClick(X(6), Y(0));
  EXPECT_EQ(edit.SelText(), "world");
  DoubleClick(X(5), Y(0));
  EXPECT_FALSE(edit.Sel().HasSel());

  // ア is 83 41: its second byte is the letter A but belongs to no word.
  Load("\x82\xA0\x82\xA2\x83\x41" "bc");
  DoubleClick(X(2), Y(0));
  EXPECT_EQ(edit.SelText(), "\x82\xA2");
  DoubleClick(X(6), Y(0));
  EXPECT_EQ(edit.SelText(), "bc");
}

TEST_F(Mouse, DoubleClickWordRunsOverASoftWrap) {
  WrapAt(10);
  Load("xy " + std::string(12, 'b'), loWrap);
  ASSERT_EQ(Rows()[1], "bbbbb");
  DoubleClick(X(1), Y(1));
  EXPECT_EQ(edit.SelText(), std::string(12, 'b'));
}

TEST_F(Mouse, DoubleClickSelectsAColouredRun) {
  Load("ab<tag>cd");
  for (int i = 2; i < 7; ++i) edit.ColAttrs(0).Items(i) = TColAttr{clRed, 0, true};
  edit.ColAttrs(0).Items(7) = TColAttr{clBlue, 0, true};
  DoubleClick(X(4), Y(0));
  EXPECT_EQ(edit.SelText(), "<tag>");
}

TEST_F(Mouse, MarginDragSelectsRowsAndPutsTheCaretAfterThem) {
  LoadRows(20);
  const int margin = edit.TextLeft() - 10;
  Press(margin, Y(3));
  DragTo(margin, Y(5));
  DragTo(margin, Y(7));
  Release();
  EXPECT_EQ(edit.Sel().RowSelTop(), 3);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 7);
  EXPECT_EQ(Caret(), (TPoint{0, 8}));
  Click(margin, Y(10), ssShift);
  EXPECT_EQ(edit.Sel().RowSelTop(), 3);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 10);
}

TEST_F(Mouse, RowDragBelowTheTextScrollsToTheEnd) {
  LoadRows(100);
  const int margin = edit.TextLeft() - 10;
  Press(margin, Y(3));
  DragTo(margin, edit.ClientHeight() + 3 * edit.RowHeight());
  EXPECT_EQ(edit.Sel().RowSelBottom(), edit.RowCount() - 1);
  EXPECT_GE(edit.TopRow + edit.VisibleRows(), edit.RowCount() - 1);
  EXPECT_GT(host.waits, 1);
  Release();
}

TEST_F(Mouse, AutomaticScrollingStopsWhenThePointerMovesOrTheButtonIsUp) {
  LoadRows(100);
  Press(X(1), Y(3));
  host.onWait = [&] { ++host.mouse.Y; };
  DragTo(X(1), edit.ClientHeight() + 3 * edit.RowHeight());
  EXPECT_EQ(host.waits, 1);
  const int top = edit.TopRow;
  EXPECT_GT(top, 0);
  EXPECT_EQ(Caret(), edit.Sel().SelEnd());

  host.onWait = [&] { host.keysDown.erase(VK_LBUTTON); };
  DragTo(X(1), -2 * edit.RowHeight());  // above the text
  EXPECT_EQ(host.waits, 2);
  EXPECT_LT(edit.TopRow, top);
}

// Just inside the left edge a step cannot move the view; the scrolling
// loop used to spin there for as long as the pointer stood still.
TEST_F(Mouse, TextDragAtTheLeftEdgeScrollsOnlyWhenItCan) {
  Load(std::string(200, 'x'));
  edit.WMHScroll(SB_THUMBPOSITION, 20);
  Press(X(30), Y(0));
  DragTo(edit.TextLeft() + 1, Y(0));
  EXPECT_EQ(edit.LeftCol, 20);
  DragTo(2, Y(0));  // out in the margin
  EXPECT_EQ(edit.LeftCol, 0);
  Release();
  EXPECT_EQ(edit.Sel().SelStart(), (TPoint{0, 0}));
}

class MarkerDrag : public InputFixture {
 protected:
  MarkerDrag() {
    WrapAt(60);
    Load("aaa\r\nbbb\r\nccc");
    edit.RowAttr(1)->Indent = 2;
    const int margin = edit.TextLeft() - 10;
    Press(margin, Y(0));
    DragTo(margin, Y(1));
    Release();
  }
  // Drags the marker in the indicator band from one column to another.
  void DragMarker(int from, int to, TShiftState shift = 0) {
    const int band = edit.TextTop() / 2;
    Press(X(from), band);
    DragTo(X(to), band);
    Release(shift);
  }
  std::vector<int> Indents() {
    std::vector<int> out;
    for (int r = 0; r < edit.RowCount(); ++r) out.push_back(edit.RowAttr(r)->Indent);
    return out;
  }
  // Every marker line drawn inverted is drawn again: none stays behind.
  bool MarkerLinesErased() const {
    std::map<int, int> drawn;
    for (const auto& c : host.canvas.calls)
      if (c.kind == RecordingCanvas::Call::Line && c.invert) ++drawn[c.x];
    for (const auto& [x, n] : drawn)
      if (n % 2 != 0) return false;
    return !drawn.empty();
  }
};

TEST_F(MarkerDrag, IndentMarkerShiftsTheRowsAlikeAndUndoesInOneStep) {
  DragMarker(0, 4);
  EXPECT_EQ(Indents(), (std::vector<int>{4, 6, 0}));
  EXPECT_TRUE(MarkerLinesErased());
  edit.Undo();
  EXPECT_EQ(Indents(), (std::vector<int>{0, 2, 0}));
}

TEST_F(MarkerDrag, IndentMarkerWithShiftSetsOneIndentAndNeverGoesBelowZero) {
  DragMarker(0, 4, ssShift);
  EXPECT_EQ(Indents(), (std::vector<int>{4, 4, 0}));
  edit.RowAttr(1)->Indent = 1;
  edit.UpdateRowSelBounds();
  DragMarker(4, 0);
  EXPECT_EQ(Indents(), (std::vector<int>{0, 0, 0}));
}

TEST_F(MarkerDrag, WrapMarkerKeepsItsDistanceFromTheIndent) {
  DragMarker(60, 3);
  EXPECT_EQ(edit.RowAttr(0)->WrapPos, 2 + 8);
  EXPECT_EQ(edit.RowAttr(1)->WrapPos, 2 + 8);
  EXPECT_EQ(edit.RowAttr(2)->WrapPos, 60);
}

TEST_F(MarkerDrag, ReadOnlyChangesNothing) {
  edit.SetReadOnly(true);
  DragMarker(0, 4);
  EXPECT_EQ(Indents(), (std::vector<int>{0, 2, 0}));
  EXPECT_TRUE(MarkerLinesErased());
}
