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

TEST_F(SortLinesTest, EveryOrderMovesWrappedLinesWholeAndKeepsTheLastLineEnd) {
  const std::string text = cp932::FromUtf16(u"banana split is long\r\nApple\r\nkiwi\r\napple pie with KEY and more\r\n日本");
  const struct {
    TSortMode mode;
    std::u16string expected;
  } orders[] = {
      {TSortMode::Text, u"Apple\r\napple pie with KEY and more\r\nbanana split is long\r\nkiwi\r\n日本"},
      {TSortMode::TextIgnoreCase, u"Apple\r\napple pie with KEY and more\r\nbanana split is long\r\nkiwi\r\n日本"},
      {TSortMode::Length, u"日本\r\nkiwi\r\nApple\r\nbanana split is long\r\napple pie with KEY and more"},
      {TSortMode::Containing, u"apple pie with KEY and more\r\nbanana split is long\r\nApple\r\nkiwi\r\n日本"},
  };
  WrapAt(10);
  for (const auto& o : orders) {
    Load(text, loWrap);
    ASSERT_GT(edit.RowCount(), 5);
    EXPECT_EQ(SortAndUndo(o.mode, "key"), cp932::FromUtf16(o.expected)) << static_cast<int>(o.mode);
  }
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

TEST_F(SortLinesTest, AnEmptySortStringLeavesTheOrder) {
  Load("b\r\na");
  edit.SortLines(TSortMode::Containing, "");
  EXPECT_EQ(edit.Text(), "b\r\na");
  EXPECT_FALSE(edit.Edited());
}

}  // namespace
