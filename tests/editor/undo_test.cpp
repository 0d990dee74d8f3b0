// The undo history: groups, limits, the saved position, width records and
// layout records.
#include <fstream>
#include <iterator>

#include "editfixture.h"
#include "editor/switches.h"
#include "invariants.h"

using UndoHistory = EditFixture;

TEST_F(UndoHistory, OneKeystrokeThatRewrapsSeveralRowsIsOneStep) {
  WrapAt(10, {TAFEditOption::aoWordWrap});
  Load("aaaa bbbb cccc dddd eeee ffff\r\n", loWrap);
  const std::vector<std::string> before = Rows();
  edit.MoveCaretTo(TPoint{1, 0});
  edit.InsertText("xxxxx");
  ASSERT_NE(Rows(), before);
  edit.Undo();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(edit.CaretPos, (TPoint{1, 0}));
}

TEST_F(UndoHistory, NewEditAfterUndoDropsRedo) {
  edit.InsertText("a");
  edit.InsertText("b");
  edit.Undo();
  ASSERT_NE(edit.UndoBuffer().NextRecord(), nullptr);
  edit.InsertText("c");
  EXPECT_EQ(edit.UndoBuffer().NextRecord(), nullptr);
  EXPECT_EQ(edit.Text(), "ac");
}

TEST_F(UndoHistory, EditedFollowsTheSavedPosition) {
  edit.InsertText("a");
  edit.SetEdited(false);  // as after saving
  edit.InsertText("b");
  EXPECT_TRUE(edit.Edited());
  edit.Undo();
  EXPECT_FALSE(edit.Edited());
  edit.Redo();
  EXPECT_TRUE(edit.Edited());
}

// Undoing past the save and editing anew must not find the saved state
// again by counting records.
TEST_F(UndoHistory, AnAbandonedSaveStateNeverCountsAsUnedited) {
  edit.InsertText("a");
  edit.InsertText("b");
  edit.SetEdited(false);
  edit.Undo();
  edit.InsertText("c");
  EXPECT_TRUE(edit.Edited());
  edit.InsertText("d");
  EXPECT_TRUE(edit.Edited());
}

TEST_F(UndoHistory, MarkingEditedOnAFreshDocumentSticks) {
  edit.SetEdited(true);
  EXPECT_TRUE(edit.Edited());
}

TEST_F(UndoHistory, LimitedBufferDropsTheOldestGroupsWhole) {
  edit.SetUndoMax(10);
  for (int i = 0; i < 20; ++i) edit.AppendRow("x");  // one record per group
  int undone = 0;
  while (edit.UndoBuffer().LastRecord()) {
    edit.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 9);
  EXPECT_EQ(edit.RowCount(), 12);
}

// Lowering the limit below the history keeps the newest groups that fit,
// also with redo records pending, and recording goes on within the limit.
TEST_F(UndoHistory, LoweringTheLimitKeepsWhatFits) {
  for (int i = 0; i < 30; ++i) edit.AppendRow("x");
  edit.Undo();
  edit.Undo();
  bool canUndo = false, canRedo = true;
  edit.OnUndoChange = [&](bool u, bool r) { canUndo = u, canRedo = r; };
  edit.SetUndoMax(10);
  EXPECT_TRUE(canUndo);
  EXPECT_FALSE(canRedo);
  for (int i = 0; i < 5; ++i) edit.AppendRow("y");
  int undone = 0;
  for (; edit.UndoBuffer().LastRecord(); ++undone) edit.Undo();
  EXPECT_EQ(undone, 9);
  EXPECT_EQ(edit.RowCount(), 1 + 28 + 5 - 9);
  edit.SetUndoMax(0);
  EXPECT_EQ(edit.UndoBuffer().NextRecord(), nullptr);
  EXPECT_TRUE(edit.Edited());
}

TEST_F(UndoHistory, ZeroLimitRecordsNothing) {
  edit.SetUndoMax(0);
  bool lastCanUndo = true;
  edit.OnUndoChange = [&](bool canUndo, bool) { lastCanUndo = canUndo; };
  edit.InsertText("abc");
  EXPECT_FALSE(lastCanUndo);
  EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
}

TEST_F(UndoHistory, AGroupLargerThanTheBufferEmptiesIt) {
  edit.SetUndoMax(5);
  edit.InsertText("a");
  edit.InsertText("1\r2\r3\r4\r5\r6\r7");
  EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
}

// The rows a paste cuts off are one record, taken back row for row by undo
// and put back by redo exactly as they were, events and all.
TEST_F(UndoHistory, AMultiLinePasteIsOneStepUndoneAndRedoneRowForRow) {
  WrapAt(12, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load("head line\r\nfoot\r\n", loWrap);
  const std::vector<std::string> before = Rows();
  edit.MoveCaretTo(TPoint{4, 0});
  std::string pasted;
  for (int i = 0; i < 300; ++i) pasted += "one two three \x82\xA0\x81\x42 four\r\n\r";
  host.clipboard = pasted;
  edit.WMPaste();
  const std::vector<std::string> after = Rows();
  ASSERT_GT(after.size(), 900u);
  EXPECT_LT(edit.UndoBuffer().Pos, 10);  // not a record per row

  int inserted = 0, deleted = 0;
  edit.OnLineInsert = [&](int, std::string&) { ++inserted; };
  edit.OnLineDelete = [&](int) { ++deleted; };
  edit.Undo();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(edit.CaretPos, (TPoint{4, 0}));
  EXPECT_EQ(deleted - inserted, static_cast<int>(after.size() - before.size()));
  edit.Redo();
  EXPECT_EQ(Rows(), after);
  EXPECT_EQ(inserted - deleted, 0);
  edit.Undo();
  EXPECT_EQ(Rows(), before);
}

// A run of rows counts as its rows against a limit: a paste that fits is
// undone whole, one that does not leaves nothing to undo.
TEST_F(UndoHistory, ALimitCountsTheRowsOfARun) {
  edit.SetUndoMax(20);
  edit.InsertText("a");
  edit.InsertText("1\r2\r3\r4\r5");
  ASSERT_NE(edit.UndoBuffer().LastRecord(), nullptr);
  edit.Undo();
  EXPECT_EQ(edit.Text(), "a");
  edit.InsertText("1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r11\r12\r13\r14\r15\r16\r17\r18\r19\r20\r21");
  EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
}

// Older records hold row indices; a re-wrap of everything in between must
// not make them land on the wrong rows.
TEST_F(UndoHistory, UndoAcrossAReformatRestoresTheExactText) {
  WrapAt(12, {TAFEditOption::aoWordWrap});
  Load("one two three four five six seven eight\r\nnine ten\r\n", loWrap);
  const std::string original = edit.Text();
  edit.MoveCaretTo(TPoint{0, 3});  // a continuation row: the end of row 2
  edit.InsertText("NEW ");
  edit.SetDefWrapPos(7);
  edit.ReformatAll();
  edit.MoveCaretTo(TPoint{0, 0});
  edit.InsertText("X");
  edit.Undo();
  edit.Undo();
  EXPECT_EQ(edit.Text(), original);
  edit.Redo();
  edit.Redo();
  EXPECT_EQ(edit.Text(), "Xone two three four five six NEW seven eight\r\nnine ten\r\n");
}

// Wrap at 20, type, re-wrap at 60, undo: the text as it was, on rows
// wrapped for 60 as a fresh load gives them; redo and undo again likewise,
// also for the steps before the re-wrap.
TEST_F(UndoHistory, UndoAcrossAReWrapLeavesRowsWrappedForTheWidthInForce) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  text.resize(text.find("\r\n", 4000) + 2);
  auto loadedAt60 = [&](const std::string& t) {
    FakeEditHost otherHost;
    TCustomAFEdit other(otherHost);
    other.WMSize(640, 480);
    other.Loaded();
    other.SetOptions(edit.Options());
    other.SetDefWrapPos(60);
    TMemoryInStream stream(t);
    other.LoadFromStream(stream, loWrap);
    std::vector<std::string> rows;
    for (int r = 0; r < other.RowCount(); ++r) rows.emplace_back(other.GetRow(r));
    return rows;
  };
  WrapAt(20, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load(text, loWrap);
  edit.MoveCaretTo(TPoint{0, 5});
  edit.InsertText("X");
  edit.MoveCaretTo(TPoint{0, 40});
  edit.InsertText("Y");
  const std::string typed = edit.Text();
  edit.SetDefWrapPos(60);
  edit.ReformatAll();
  edit.Undo();
  const std::string withX = edit.Text();
  EXPECT_EQ(withX.size(), text.size() + 1);
  EXPECT_EQ(Rows(), loadedAt60(withX));
  edit.Undo();
  EXPECT_EQ(edit.Text(), text);
  EXPECT_EQ(Rows(), loadedAt60(text));
  EXPECT_FALSE(edit.Edited());
  edit.Redo();
  edit.Redo();
  EXPECT_EQ(edit.Text(), typed);
  EXPECT_EQ(Rows(), loadedAt60(typed));
  edit.Undo();
  EXPECT_EQ(edit.Text(), withX);
  EXPECT_EQ(Rows(), loadedAt60(withX));
}

// The layouts put into a full history make room for themselves: the redo
// records go first, then the oldest groups.
TEST_F(UndoHistory, UndoAcrossAReWrapInAFullLimitedHistory) {
  WrapAt(10, {TAFEditOption::aoWordWrap});
  Load("a\r\nb\r\nc\r\none two three four five six seven", loWrap);
  edit.SetUndoMax(4);  // three records
  for (int row = 0; row < 3; ++row) {
    edit.MoveCaretTo(TPoint{0, row});
    edit.InsertText("x");
  }
  edit.SetDefWrapPos(25);
  edit.ReformatAll();
  int undone = 0;
  for (; edit.UndoBuffer().LastRecord(); ++undone) edit.Undo();
  EXPECT_EQ(undone, 2);
  EXPECT_EQ(edit.Text(), "xa\r\nb\r\nc\r\none two three four five six seven");
  EXPECT_EQ(RowInvariantViolation(edit), "");
  edit.Redo();
  EXPECT_EQ(edit.Text(), "xa\r\nxb\r\nc\r\none two three four five six seven");
  EXPECT_EQ(edit.GetRow(3), "one two three four five ");
}

TEST_F(UndoHistory, AReformatAloneKeepsASavedDocumentUnedited) {
  WrapAt(12);
  Load("one two three four five six\r\n", loWrap);
  edit.InsertText("x");
  edit.SetEdited(false);
  edit.SetDefWrapPos(6);
  edit.ReformatAll();
  EXPECT_FALSE(edit.Edited());
}

TEST_F(UndoHistory, WidthRecordResizesTheWindowBackAndTheWaitEnds) {
  host.hasParent = true;
  std::vector<int> requested;
  host.onParentResize = [&](int width) {
    requested.push_back(width);
    edit.WMSize(width, 480);
  };
  edit.RecordWidthChange(100);  // the window grew by 100 pixels
  edit.Undo();
  EXPECT_EQ(requested, std::vector<int>{540});
  EXPECT_EQ(edit.ClientWidth(), 540);
  host.refuseResize = true;  // a maximised window keeps its size
  edit.Redo();
  EXPECT_EQ(edit.ClientWidth(), 540);
  EXPECT_GT(host.waits, 0);
  EXPECT_FALSE(EditSwitches::UndoReplaying);
}

// Width and layout records change no text: undoing and redoing them never
// makes a saved document modified, while a text change in between does.
TEST_F(UndoHistory, OnlyTextChangesCountAsEdits) {
  WrapAt(12);
  Load("one two three four five six\r\n", loWrap);
  edit.RecordWidthChange(40);
  edit.SetDefWrapPos(6);
  edit.ReformatAll();
  EXPECT_FALSE(edit.Edited());
  edit.Undo();
  EXPECT_FALSE(edit.Edited());
  edit.Redo();
  EXPECT_FALSE(edit.Edited());
  edit.InsertText("x");
  EXPECT_TRUE(edit.Edited());
  edit.Undo();
  EXPECT_FALSE(edit.Edited());
}
