// Sorting logical lines: the four orders, wrapped lines moving whole, the
// last line without a line end, and one undo back to the exact rows.
#include "editfixture.h"
#include "encoding/cp932.h"
#include "invariants.h"

namespace {

class SortLinesTest : public EditFixture {
 protected:
  // Sorts, checks the rows, undoes back to the rows before, and redoes.
  std::string SortAndUndo(TSortMode mode, std::string_view sortString = {}) {
    const std::vector<std::string> before = Rows();
    edit.SortLines(mode, sortString);
    const std::string sorted = edit.Text();
    EXPECT_EQ(RowInvariantViolation(edit), "");
    edit.Undo();
    EXPECT_EQ(Rows(), before);
    edit.Redo();
    EXPECT_EQ(edit.Text(), sorted);
    return sorted;
  }
};

TEST_F(SortLinesTest, WrappedLinesMoveWholeAndTheTextStillEndsWithoutALineEnd) {
  WrapAt(10);
  Load("mmmmmmmmmmmmmmm\r\nzz\r\naaaaaaaaaaaaaaaaaaaaaaaa\r\nbb", loWrap);
  ASSERT_EQ(edit.RowCount(), 7);
  EXPECT_EQ(SortAndUndo(TSortMode::Text), "aaaaaaaaaaaaaaaaaaaaaaaa\r\nbb\r\nmmmmmmmmmmmmmmm\r\nzz");
  EXPECT_EQ(edit.GetRow(0), "aaaaaaaaaa");
  EXPECT_EQ(edit.GetRow(edit.RowCount() - 1), "zz");
}

TEST_F(SortLinesTest, TheLineWithoutALineEndThatMovesUpGetsOne) {
  WrapAt(10);
  Load("b\r\nc\r\naaaaaaaaaaaaaa", loWrap);
  EXPECT_EQ(SortAndUndo(TSortMode::Text), "aaaaaaaaaaaaaa\r\nb\r\nc");
}

TEST_F(SortLinesTest, AnEmptyLastRowStaysLast) {
  Load("c\r\na\r\nb\r\n");
  EXPECT_EQ(SortAndUndo(TSortMode::Text), "a\r\nb\r\nc\r\n");
}

TEST_F(SortLinesTest, TextOrderPutsLowerCaseFirstUnlessCaseIsIgnored) {
  Load("Banana\r\napple\r\nbanana\r\nApple");
  EXPECT_EQ(SortAndUndo(TSortMode::Text), "apple\r\nApple\r\nbanana\r\nBanana");
  Load("Banana\r\napple\r\nbanana\r\nApple");
  EXPECT_EQ(SortAndUndo(TSortMode::TextIgnoreCase), "apple\r\nApple\r\nBanana\r\nbanana");
}

TEST_F(SortLinesTest, LengthCountsADoubleByteCharacterOnce) {
  Load(cp932::FromUtf16(u"abc\r\n日本\r\na\r\nxyzw"));
  EXPECT_EQ(SortAndUndo(TSortMode::Length), cp932::FromUtf16(u"a\r\n日本\r\nabc\r\nxyzw"));
}

TEST_F(SortLinesTest, LinesHoldingTheStringComeFirstInTheirOrder) {
  WrapAt(10);
  Load("one\r\nthe KEY is here and long\r\ntwo\r\nkey\r\nthree", loWrap);
  EXPECT_EQ(SortAndUndo(TSortMode::Containing, "key"), "the KEY is here and long\r\nkey\r\none\r\ntwo\r\nthree");
}

TEST_F(SortLinesTest, AnEmptySortStringLeavesTheOrder) {
  Load("b\r\na");
  edit.SortLines(TSortMode::Containing, "");
  EXPECT_EQ(edit.Text(), "b\r\na");
  EXPECT_FALSE(edit.Edited());
}

}  // namespace
