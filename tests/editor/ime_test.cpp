// Confirmed input-method text and the input method's mode text.
#include "editfixture.h"
#include "editor/ime.h"

TEST(ImeModeText, NamesTheModeByItsMostSpecificBits) {
  const unsigned native = IME_CMODE_NATIVE, kata = IME_CMODE_KATAKANA, full = IME_CMODE_FULLSHAPE;
  EXPECT_EQ(ImeModeTextOf(TImeStatus{false, native | full}), "　　A");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, 0}), "　　A");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, IME_CMODE_SYMBOL}), " 記号");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, full}), "全角英数");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, native | kata}), "  ｶﾅ");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, native | full}), "  かな");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, native | kata | full}), "  カナ");
  EXPECT_EQ(ImeModeTextOf(TImeStatus{true, native | kata | full | IME_CMODE_SYMBOL}), "  カナ");
}

using ImeTest = EditFixture;

TEST_F(ImeTest, ModeChangeUpdatesTheTextBeforeTheEvent) {
  std::string seen;
  edit.Onimechange = [&] { seen = edit.ImeModeText; };
  host.imeStatus = TImeStatus{true, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE};
  edit.WMImeNotify(IMN_SETOPENSTATUS);
  EXPECT_EQ(seen, "  かな");
  host.imeStatus = TImeStatus{};
  edit.WMImeNotify(IMN_SETCONVERSIONMODE);
  EXPECT_EQ(seen, "　　A");
  seen.clear();
  edit.WMImeNotify(5);  // another notification: nothing
  EXPECT_EQ(seen, "");
}

TEST_F(ImeTest, ResultIsInsertedAsOneUndoStep) {
  Load("ab");
  edit.MoveCaretTo(TPoint{1, 0});
  edit.WMImeResult("\x88\xA4\x81\x40\x8C\xEA");  // 愛, a full-width space, 語
  EXPECT_EQ(edit.GetRow(0), "a\x88\xA4\x81\x40\x8C\xEA" "b");
  EXPECT_EQ(edit.CaretPos, (TPoint{7, 0}));
  edit.Undo();
  EXPECT_EQ(edit.GetRow(0), "ab");
}

TEST_F(ImeTest, ResultReplacesTheSelection) {
  Load("abcd");
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{3, 0};
  edit.CaretPos = TPoint{3, 0};
  edit.WMImeResult("\x82\xA0");
  EXPECT_EQ(edit.GetRow(0), "a\x82\xA0" "d");
  edit.Undo();
  EXPECT_EQ(edit.GetRow(0), "abcd");
}

TEST_F(ImeTest, ResultStopsAtAZeroByteAndIsDroppedWhenReadOnly) {
  edit.WMImeResult(std::string("xy\0z", 4));
  EXPECT_EQ(edit.GetRow(0), "xy");
  edit.SetReadOnly(true);
  const int group = edit.UndoGroup;
  edit.WMImeResult("q");
  EXPECT_EQ(edit.GetRow(0), "xy");
  EXPECT_EQ(edit.UndoGroup, group + 1);
}
