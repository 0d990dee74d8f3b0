// Key-down, typed characters and key-up through the control's handlers.
#include "inputfixture.h"
#include "editor/switches.h"

using Keys = InputFixture;

TEST_F(Keys, ShiftNavigationStartsANewSelectionAtTheCaret) {
  Load("abcdefgh");
  int selects = 0, disselects = 0;
  edit.OnSelect = [&] { ++selects; };
  edit.OnDisSelect = [&] { ++disselects; };
  edit.MoveCaretTo(TPoint{5, 0});
  edit.Sel().AnchorPos = TPoint{0, 0};  // an earlier selection, as by the mouse
  edit.Sel().EndPos = TPoint{2, 0};
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(edit.SelText(), "fg");
  EXPECT_EQ(selects, 1);
  edit.WMKeyUp(VK_SHIFT);
  Key(VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(edit.SelText(), "g");

  Type("\x1b");  // Esc clears without an event; the next key reports it
  EXPECT_FALSE(edit.Sel().HasSel());
  EXPECT_EQ(disselects, 0);
  Key(VK_RIGHT);
  EXPECT_EQ(disselects, 1);
}

TEST_F(Keys, AutoRepeatRunsAccelRateTimesWhileTheKeyIsHeld) {
  Load("abcdefghijklmnop");
  int hostCalls = 0;
  edit.OnKeyDown = [&](int&, TShiftState) { ++hostCalls; };
  Key(VK_RIGHT, {VK_RIGHT});  // a first press runs once
  EXPECT_EQ(Caret().X, 1);
  Key(VK_RIGHT, {VK_RIGHT}, true);
  EXPECT_EQ(Caret().X, 3);
  Key(VK_RIGHT, {}, true);  // released: no extra step
  EXPECT_EQ(Caret().X, 4);
  edit.SetAccelRate(9);  // capped at four
  Key(VK_RIGHT, {VK_RIGHT}, true);
  EXPECT_EQ(Caret().X, 8);
  EXPECT_EQ(hostCalls, 1 + 2 + 1 + 4);
}

TEST_F(Keys, HostCanSwallowAKey) {
  Load("abc");
  edit.OnKeyDown = [](int& key, TShiftState) { key = 0; };
  EditSwitches::ScrollAccel = 2;
  Key(VK_RIGHT);
  EXPECT_EQ(Caret().X, 0);
  EXPECT_EQ(EditSwitches::ScrollAccel, 0);  // the tail still ran
}

TEST_F(Keys, CtrlShortcutsUseTheClipboardUnlessComposing) {
  Load("hello");
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  Key('X', {VK_CONTROL});
  EXPECT_EQ(host.clipboard, "he");
  EXPECT_EQ(edit.Text(), "llo");
  Key(VK_END);
  Key('V', {VK_CONTROL});
  EXPECT_EQ(edit.Text(), "llohe");
  host.composing = true;
  Key('V', {VK_CONTROL});
  EXPECT_EQ(edit.Text(), "llohe");
}

TEST_F(Keys, DeleteRemovesOneCharacterOrTheLineEnd) {
  Load("\x88\x9F" "a\tb\r\nxy");
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "a\tb\r\nxy");  // both bytes of 亜
  Key(VK_RIGHT);
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "ab\r\nxy");  // a TAB is one byte
  Key(VK_END);
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "abxy");
  Key(VK_END);
  const int group = edit.UndoGroup;
  Key(VK_DELETE);  // at the end of the text: nothing, not even a group
  EXPECT_EQ(edit.UndoGroup, group);
}

// A caret inside the indent is drawn at the text start, where typing lands;
// Delete takes the character after it there.
TEST_F(Keys, DeleteInsideTheIndentDeletesTheFirstCharacter) {
  Load("abc");
  edit.RowAttr(0)->Indent = 4;
  edit.MoveCaretTo(TPoint{1, 0});
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "bc");
}

TEST_F(Keys, BackspaceAtTheTextStartDeletesNothing) {
  Load("abc");
  Type("\b");
  EXPECT_EQ(edit.Text(), "abc");
  edit.RowAttr(0)->Indent = 4;  // the caret cannot go left of an indent
  edit.MoveCaretTo(TPoint{4, 0});
  Type("\b");
  EXPECT_EQ(edit.Text(), "abc");
  Key(VK_END);
  Type("\b");
  EXPECT_EQ(edit.Text(), "ab");
}

TEST_F(Keys, BackspaceWithASelectionDeletesOnlyIt) {
  Load("abcd");
  Key(VK_END);
  Key(VK_LEFT, {VK_SHIFT});
  Type("\b");
  EXPECT_EQ(edit.Text(), "abc");
}

TEST_F(Keys, ShiftBackspaceCutsThePreviousCharacter) {
  Load("ab\x82\xA0");
  Key(VK_END);
  host.keysDown.insert(VK_SHIFT);
  Type("\b");
  host.keysDown.erase(VK_SHIFT);
  EXPECT_EQ(host.clipboard, "\x82\xA0");
  EXPECT_EQ(edit.Text(), "ab");
}

// After a cut the collapsed selection lies at its old end, away from the
// caret; Shift still held used to extend from there.
TEST_F(Keys, ShiftHeldAfterACutStartsAFreshSelection) {
  Load("abcdef");
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  host.keysDown.insert(VK_SHIFT);
  edit.WMKeyDown(VK_DELETE, 0);
  edit.WMKeyDown(VK_RIGHT, 0);
  host.keysDown.erase(VK_SHIFT);
  EXPECT_EQ(edit.Text(), "cdef");
  EXPECT_EQ(edit.SelText(), "c");
}

// Shift+Insert used to leave Shift-selecting on, so the paste selected
// from an old anchor to the caret and the next key replaced it.
TEST_F(Keys, ShiftInsertPastesWithoutSelecting) {
  Load("abc");
  host.clipboard = "XY";
  Key(VK_END);
  Key(VK_INSERT, {VK_SHIFT});
  EXPECT_EQ(edit.Text(), "abcXY");
  EXPECT_FALSE(edit.Sel().HasSel());
  Type("!");
  EXPECT_EQ(edit.Text(), "abcXY!");
}

TEST_F(Keys, CtrlBackspaceOutdentsAsOneUndoStepEach) {
  WrapAt(60);
  Load("abc\r\ndef");
  edit.SetTabSize(4);
  edit.RowAttr(1)->Indent = 6;
  edit.MoveCaretTo(TPoint{6, 1});
  Key(VK_BACK, {VK_CONTROL});
  EXPECT_EQ(edit.RowAttr(1)->Indent, 2);
  EXPECT_EQ(Caret(), (TPoint{2, 1}));
  Key(VK_BACK, {VK_CONTROL});
  EXPECT_EQ(edit.RowAttr(1)->Indent, 0);
  edit.Undo();
  EXPECT_EQ(edit.RowAttr(1)->Indent, 2);
  edit.Undo();
  EXPECT_EQ(edit.RowAttr(1)->Indent, 6);
  EXPECT_EQ(edit.Text(), "abc\r\ndef");

  edit.MoveCaretTo(TPoint{7, 1});  // not before the first byte
  Key(VK_BACK, {VK_CONTROL});
  EXPECT_EQ(edit.RowAttr(1)->Indent, 6);
}

TEST_F(Keys, TabInsertsATabOrSpacesToTheNextStop) {
  Load("abcdef");
  edit.SetTabSize(4);
  edit.MoveCaretTo(TPoint{6, 0});
  Type("\t");
  EXPECT_EQ(edit.Text(), "abcdef\t");
  edit.SetOptions({TAFEditOption::aoTabToSp});
  edit.MoveCaretTo(TPoint{6, 0});
  Type("\t");
  EXPECT_EQ(edit.Text(), "abcdef  \t");
}

TEST_F(Keys, EnterCopiesTheIndentOfTheCaretRowUpToTheCaret) {
  const std::string row = "\t  \x81\x40" "abc";  // TAB, two spaces, 　
  edit.SetOptions({TAFEditOption::aoAutoJpnIndent});
  Load(row);
  Key(VK_END);
  Type("\r");
  EXPECT_EQ(edit.GetRow(1), "\t  \x81\x40");
  EXPECT_EQ(Caret().X, edit.DisplayLength(1));

  edit.SetOptions({TAFEditOption::aoAutoIndent});
  Load(row);
  Key(VK_END);
  Type("\r");
  EXPECT_EQ(edit.GetRow(1), "\t  ");

  Load(row);
  edit.MoveCaretTo(TPoint{4, 0});  // just behind the TAB
  edit.InsertMode = false;  // Enter inserts even in overwrite mode
  Type("\r");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\t\r", "\t  \x81\x40" "abc"}));
  EXPECT_FALSE(edit.InsertMode);
}

TEST_F(Keys, CtrlLettersAndReadOnlyTypeNothing) {
  Load("ab");
  host.keysDown.insert(VK_CONTROL);
  Type("\x01z");
  host.keysDown.erase(VK_CONTROL);
  EXPECT_EQ(edit.Text(), "ab");
  edit.SetReadOnly(true);
  Key(VK_END);
  Type("x\b");
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(Caret().X, 1);  // Backspace still steps left
}

TEST_F(Keys, PageKeysMoveViewAndCaretByAPage) {
  LoadRows(100);
  const int page = edit.VisibleRows();
  edit.MoveCaretTo(TPoint{0, 3});
  Key(VK_NEXT);
  EXPECT_EQ(edit.TopRow, page);
  EXPECT_EQ(Caret().Y, 3 + page);
  for (int i = 0; i < 5; ++i) Key(VK_NEXT);
  EXPECT_EQ(Caret().Y, edit.RowCount() - 1);
  EXPECT_EQ(edit.TopRow, edit.RowCount() - page + 1);  // the last row fully in view
  Key(VK_PRIOR);
  EXPECT_EQ(Caret().Y, edit.RowCount() - 1 - page);
}

TEST_F(Keys, ArrowsScrollAtTheEdgesOfTheView) {
  LoadRows(100);
  const int page = edit.VisibleRows();
  edit.MoveCaretTo(TPoint{0, page - 2});
  Key(VK_DOWN);
  EXPECT_EQ(edit.TopRow, 1);
  edit.MoveCaretTo(TPoint{0, 1});
  Key(VK_UP);
  EXPECT_EQ(edit.TopRow, 0);
  EXPECT_EQ(Caret().Y, 0);
}

TEST_F(Keys, ConvertReconvertsTheSelectionFromItsStart) {
  Load("abcdef");
  Key(VK_END);
  Key(VK_LEFT, {VK_SHIFT});
  Key(VK_LEFT, {VK_SHIFT});
  edit.WMKeyUp(VK_CONVERT);
  EXPECT_EQ(host.reconverted, (std::vector<std::string>{"ef"}));
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
  EXPECT_TRUE(edit.Sel().HasSel());

  Load(std::string(255, 'a'));
  edit.SelectAll();
  edit.WMKeyUp(VK_CONVERT);
  EXPECT_EQ(host.reconverted.size(), 1u);
}
