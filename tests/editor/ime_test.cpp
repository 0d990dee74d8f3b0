// Confirmed input-method text, the input method's mode text, the text
// around the caret it reads and replaces, and where its composition goes.
#include "../encoding/sjliteral.h"
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

TEST_F(ImeTest, ResultStopsAtAZeroByteAndIsDroppedWhenReadOnly) {
  edit.WMImeResult(std::string("xy\0z", 4));
  EXPECT_EQ(edit.GetRow(0), "xy");
  edit.SetReadOnly(true);
  const int group = edit.UndoGroup;
  edit.WMImeResult("q");
  EXPECT_EQ(edit.GetRow(0), "xy");
  EXPECT_EQ(edit.UndoGroup, group + 1);
}

// Rows: "前の行", then "aaaa bbbb " and "漢字cc", one line wrapped at 10.
TEST_F(ImeTest, SurroundingTextIsTheCaretsLogicalLineInUtf16Units) {
  WrapAt(10);
  Load(Sj(u"前の行\r\naaaa bbbb 漢字cc\r\n"), loWrap);
  ASSERT_EQ(edit.GetRow(2), Sj(u"漢字cc\r"));
  edit.Sel().AnchorPos = TPoint{5, 1};
  edit.Sel().EndPos = edit.CaretPos = TPoint{4, 2};
  TImeSurrounding s = edit.ImeSurrounding();
  EXPECT_EQ(s.Text, u"aaaa bbbb 漢字cc");
  EXPECT_EQ(s.Anchor, 5);
  EXPECT_EQ(s.Cursor, 12);

  edit.Sel().CollapseSel();
  edit.MoveCaretTo(TPoint{9, 0});  // beyond the end: drawn in front of the CR
  s = edit.ImeSurrounding();
  EXPECT_EQ(s.Text, u"前の行");
  EXPECT_EQ(s.Cursor, 3);
  EXPECT_EQ(s.Anchor, 3);

  // A long row is shown around the caret only.
  Load(std::string(3000, 'x'));
  edit.MoveCaretTo(TPoint{1500, 0});
  s = edit.ImeSurrounding();
  EXPECT_EQ(s.Text.size(), 2000u);
  EXPECT_EQ(s.Cursor, 1000);
}

TEST_F(ImeTest, ResultReplacesTextAroundTheCaretAsOneUndoStep) {
  Load(Sj(u"今日はかんじ"));
  edit.MoveCaretTo(TPoint{12, 0});
  edit.WMImeResult(Sj(u"漢字"), -3, 3);
  EXPECT_EQ(edit.Text(), Sj(u"今日は漢字"));
  EXPECT_EQ(edit.CaretPos, (TPoint{10, 0}));
  edit.Undo();
  EXPECT_EQ(edit.Text(), Sj(u"今日はかんじ"));

  // A selection goes first; the range then counts from where it was.
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = edit.CaretPos = TPoint{4, 0};
  edit.WMImeResult(Sj(u"本日"), 0, 1);
  EXPECT_EQ(edit.Text(), Sj(u"本日かんじ"));
}

TEST_F(ImeTest, CompositionFlowsFromTheCaretToTheWrapColumnThenFromTheIndent) {
  WrapAt(20);
  Load("abc");
  edit.RowAttr(0)->Indent = 2;
  edit.MoveCaretTo(TPoint{4, 0});
  const int cell = edit.CellWidth();
  ASSERT_TRUE(host.composition);
  EXPECT_EQ(host.composition->Origin, (TPoint{edit.TextLeft() + 4 * cell, edit.TextTop()}));
  EXPECT_EQ(host.composition->LineRight, edit.TextLeft() + 20 * cell);
  EXPECT_EQ(host.composition->LineLeft, edit.TextLeft() + 2 * cell);
  EXPECT_EQ(host.composition->View, edit.TextArea());
  edit.SetOptions({});  // no wrapping: up to the edge of the text area
  edit.UpdateCaret();
  EXPECT_EQ(host.composition->LineRight, edit.ClientWidth());

  // The result replaces a selection: it starts at the selection's start.
  Load("abcdef");
  edit.Sel().AnchorPos = TPoint{1, 0};
  edit.Sel().EndPos = TPoint{4, 0};
  edit.MoveCaretTo(TPoint{4, 0});
  EXPECT_EQ(host.composition->Origin.X, edit.TextLeft() + cell);
}
