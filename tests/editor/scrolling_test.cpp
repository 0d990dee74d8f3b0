// Scroll messages: acceleration of consecutive scrolls (the wheel sends
// line scrolls), Shift keeping the caret, thumbs, and the caret's
// visibility when it leaves the view.
#include "inputfixture.h"

// The acceleration counter is shared by every control of the process.
class Scrolling : public InputFixture {
 protected:
  Scrolling() { edit.WMVScroll(SB_ENDSCROLL, 0); }
};

TEST_F(Scrolling, WheelNotchesAccelerateUntilAKeyIsPressed) {
  LoadRows(100);
  edit.SetAccelRate(2);
  std::vector<int> steps;
  for (int i = 0; i < 3; ++i) {
    const int before = edit.TopRow;
    edit.WMVScroll(SB_LINEDOWN, 0);
    steps.push_back(edit.TopRow - before);
  }
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 2}));
  Key(VK_SHIFT);
  const int before = edit.TopRow;
  edit.WMVScroll(SB_LINEDOWN, 0);
  EXPECT_EQ(edit.TopRow - before, 1);
}

TEST_F(Scrolling, ShiftKeepsTheCaretWhenPagingOnTheBar) {
  LoadRows(100);
  edit.MoveCaretTo(TPoint{1, 2});
  host.keysDown.insert(VK_SHIFT);
  edit.WMVScroll(SB_PAGEDOWN, 0);
  host.keysDown.erase(VK_SHIFT);
  EXPECT_EQ(edit.TopRow, edit.VisibleRows());
  EXPECT_EQ(Caret(), (TPoint{1, 2}));
  EXPECT_FALSE(host.caret.visible);  // out of view

  edit.WMVScroll(SB_ENDSCROLL, 0);
  edit.WMVScroll(SB_PAGEUP, 0);
  EXPECT_EQ(edit.TopRow, 0);
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  EXPECT_TRUE(host.caret.visible);  // every pending hide undone
}

TEST_F(Scrolling, ThumbPullsTheCaretIntoView) {
  LoadRows(100);
  edit.WMVScroll(SB_THUMBPOSITION, 40);
  EXPECT_EQ(edit.TopRow, 40);
  EXPECT_EQ(Caret().Y, 40);
  edit.WMVScroll(SB_THUMBTRACK, 10);
  EXPECT_EQ(Caret().Y, 10 + edit.VisibleRows() - 2);
  EXPECT_TRUE(host.caret.visible);
}
