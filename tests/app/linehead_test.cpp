// The heads of the selected rows: which rows, replacement, numbering, and
// the undo history of one step per row.
#include "app/linehead.h"

#include <gtest/gtest.h>

#include "../encoding/sjliteral.h"
#include "editfixture.h"
#include "invariants.h"

namespace {

class LineHeads : public EditFixture {
 protected:
  void SelectStream(TPoint from, TPoint to) {
    edit.Sel().AnchorPos = from;
    edit.Sel().EndPos = to;
    edit.CaretPos = to;
  }
  TRowRange Rows(TPoint from, TPoint to) {
    SelectStream(from, to);
    const std::optional<TRowRange> rows = SelectedRows(edit);
    EXPECT_TRUE(rows);
    return rows.value_or(TRowRange{});
  }
  // Undoes every step, checking that each one gives back one row.
  void ExpectOneUndoStepPerRow(const std::vector<std::string>& before, int rows) {
    for (int step = 0; step < rows; ++step) {
      EXPECT_NE(EditFixture::Rows(), before) << "step " << step;
      edit.Undo();
    }
    EXPECT_EQ(EditFixture::Rows(), before);
    EXPECT_EQ(edit.UndoBuffer().LastRecord(), nullptr);
  }
};

TEST_F(LineHeads, TheRowsOfTheSelection) {
  Load("a\r\nb\r\nc\r\nd");
  EXPECT_FALSE(SelectedRows(edit));
  const TRowRange forward = Rows(TPoint{1, 0}, TPoint{0, 2});  // ends at the start of a row: it counts
  EXPECT_EQ(forward.First, 0);
  EXPECT_EQ(forward.Last, 2);
  const TRowRange backward = Rows(TPoint{1, 3}, TPoint{0, 1});
  EXPECT_EQ(backward.First, 1);
  EXPECT_EQ(backward.Last, 3);
  edit.Sel().CollapseSel();
  edit.Sel().RowSelFrom = 3;
  edit.Sel().RowSelTo = 2;
  const std::optional<TRowRange> rows = SelectedRows(edit);
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows->First, 2);
  EXPECT_EQ(rows->Last, 3);
}

TEST_F(LineHeads, ReplacingTheFirstCharacters) {
  Load(Sj(u"abcd\r\nab\r\n漢字かな\r\n"));
  const std::vector<std::string> before = EditFixture::Rows();
  ReplaceLineHeads(edit, TRowRange{0, 2}, 2, ">");
  EXPECT_EQ(Save(), Sj(u">cd\r\n>\r\n>かな\r\n"));  // a row no longer than N keeps its line end
  ExpectOneUndoStepPerRow(before, 3);

  ReplaceLineHeads(edit, TRowRange{0, 1}, 0, "> ");  // N = 0 inserts
  EXPECT_EQ(Save(), Sj(u"> abcd\r\n> ab\r\n漢字かな\r\n"));
  edit.Undo();
  edit.Undo();
  ReplaceLineHeads(edit, TRowRange{1, 2}, 1, "");  // an empty text deletes
  EXPECT_EQ(Save(), Sj(u"abcd\r\nb\r\n字かな\r\n"));
}

// Longer heads on wrapped rows: each change re-wraps, and the rows still to
// be done are the ones that were selected.
TEST_F(LineHeads, WrappedRowsStayWrappedAndInOrder) {
  WrapAt(10);
  Load("aaaa\r\nbbbb\r\ncccc", loWrap);
  ReplaceLineHeads(edit, TRowRange{0, 2}, 0, "0123456789");
  EXPECT_EQ(Save(), "0123456789aaaa\r\n0123456789bbbb\r\n0123456789cccc");
  EXPECT_EQ(RowInvariantViolation(edit), "");

  Load("aaaaaaaa\r\nbbbbbbbb\r\ncccccccc", loWrap);
  NumberRows(edit, TRowRange{0, 2}, SplitNumbering("1. "), 1);
  EXPECT_EQ(Save(), "1. aaaaaaaa\r\n2. bbbbbbbb\r\n3. cccccccc");
  EXPECT_EQ(RowInvariantViolation(edit), "");
}

TEST_F(LineHeads, SplittingTheNumberingAnswer) {
  const TNumbering kanji = SplitNumbering(Sj(u"第1章"));
  EXPECT_EQ(kanji.Prefix, Sj(u"第"));
  EXPECT_EQ(kanji.Digits, "1");
  EXPECT_EQ(kanji.Suffix, Sj(u"章"));
  const TNumbering late = SplitNumbering(Sj(u"(1)2."));  // a digit after the suffix still counts
  EXPECT_EQ(late.Prefix, "(");
  EXPECT_EQ(late.Digits, "12");
  EXPECT_EQ(late.Suffix, ").");
  EXPECT_EQ(SplitNumbering(Sj(u"ア")).Digits, "");
  EXPECT_EQ(SplitNumbering(Sj(u"（１０）")).Digits, Sj(u"１０"));
}

TEST_F(LineHeads, NumberingEachRow) {
  Load("one\r\ntwo\r\nthree\r\nfour");
  const std::vector<std::string> before = EditFixture::Rows();
  NumberRows(edit, TRowRange{0, 2}, SplitNumbering("(1)"), 1);
  EXPECT_EQ(Save(), "(1)one\r\n(2)two\r\n(3)three\r\nfour");
  ExpectOneUndoStepPerRow(before, 3);

  NumberRows(edit, TRowRange{1, 3}, SplitNumbering(Sj(u"（１）")), 9);
  EXPECT_EQ(Save(), Sj(u"one\r\n（９）two\r\n（１０）three\r\n（１１）four"));
}

}  // namespace
