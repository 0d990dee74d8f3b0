// The caret's place in the file (logical line, character column) and the
// line index behind it, which must follow every kind of row change.
#include <algorithm>
#include <numeric>
#include <random>

#include "editfixture.h"

namespace {

const std::string kA = "\x82\xA0";   // あ, two bytes
const std::string kKa = "\xB6";      // ｶ, half-width: one byte
const std::string kSo = "\x83\x5C";  // ソ: its trail byte is a backslash

using FilePos = EditFixture;

TEST_F(FilePos, WrappedRowsContinueTheirLinesColumns) {
  WrapAt(10);
  Load("abcdefghijklmnopqrstuvwxyz\r\n" + kA + kA + "x\r\nlast", loWrap);
  ASSERT_EQ(Rows()[0], "abcdefghij");  // the first line spans three rows
  ASSERT_EQ(Rows()[3], kA + kA + "x\r");
  EXPECT_EQ(edit.FilePosOf({0, 0}), (TFilePos{1, 1}));
  EXPECT_EQ(edit.FilePosOf({3, 1}), (TFilePos{1, 14}));
  EXPECT_EQ(edit.FilePosOf({6, 2}), (TFilePos{1, 27}));  // the end of the line
  // Each double-byte character is one: the caret after two of them stands at 3.
  EXPECT_EQ(edit.FilePosOf({4, 3}), (TFilePos{2, 3}));
  EXPECT_EQ(edit.FilePosOf({0, 4}), (TFilePos{3, 1}));
}

TEST_F(FilePos, TabsHalfWidthKanaAndBackslashTrailBytesCountOneEach) {
  Load("\t" + kSo + kKa + "\tz");
  // TAB stops of 4: the TAB fills 0-3, ソ 4-5, ｶ 6, the TAB 7, z 8.
  EXPECT_EQ(edit.FilePosOf({4, 0}).Column, 2);
  EXPECT_EQ(edit.FilePosOf({6, 0}).Column, 3);
  EXPECT_EQ(edit.FilePosOf({8, 0}).Column, 5);
  EXPECT_EQ(edit.FilePosOf({9, 0}).Column, 6);
  EXPECT_EQ(RowChars("\t" + kSo + kKa + "\tz\r"), 5);
  EXPECT_EQ(RowChars("\x82\r"), 1);  // a lone lead byte before the line end
}

TEST_F(FilePos, IndentBeyondTheEndAndBelowTheText) {
  Load("ab\r\ncd");
  edit.RowAttr(0)->Indent = 4;
  EXPECT_EQ(edit.FilePosOf({2, 0}).Column, 1);  // inside the indent: the line's start
  EXPECT_EQ(edit.FilePosOf({6, 0}).Column, 3);
  EXPECT_EQ(edit.FilePosOf({9, 0}).Column, 6);  // free caret: typing would fill with spaces
  EXPECT_EQ(edit.FilePosOf({3, 3}), (TFilePos{4, 4}));
}

// The index against a count from the text itself, after random edits of a
// document many blocks long: typing, line ends, deleting across rows,
// re-wrapping at other widths, sorting, undo and redo, loading anew.
class LineIndexFollows : public EditFixture, public ::testing::WithParamInterface<unsigned> {
 protected:
  std::mt19937 rng{GetParam()};
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

  std::string RandomText() {
    static const std::string pieces[] = {"a", "bc", " ", "\t", "\r", "\r", kA, kKa, kSo, "word "};
    std::string s;
    for (int n = 1 + Pick(12); n > 0; --n) s += pieces[Pick(10)];
    return s;
  }

  TPoint RandomPlace() {
    const int y = Pick(edit.RowCount());
    return edit.ClampPos(TPoint{Pick(edit.DisplayLength(y) + 1), y});
  }

  // Line and column of every row's end, counted from the rows' text, and
  // asked for in random order: in row order each answer would build on
  // the one before.
  ::testing::AssertionResult MatchesTheText() {
    std::vector<TFilePos> expected;
    TFilePos pos;
    for (int r = 0; r < edit.RowCount(); ++r) {
      const std::string_view row = edit.GetRow(r);
      pos.Column += RowChars(row);
      expected.push_back(pos);
      if (EndsWithCR(row)) pos = TFilePos{pos.Line + 1, 1};
    }
    std::vector<int> order(expected.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    for (int r : order) {
      const TFilePos actual = edit.FilePosOf({edit.RowEndCol(r), r});
      if (actual != expected[r]) {
        return ::testing::AssertionFailure() << "row " << r << ": " << actual.Line << ":" << actual.Column
                                             << " instead of " << expected[r].Line << ":" << expected[r].Column;
      }
    }
    return ::testing::AssertionSuccess();
  }

  void Step() {
    switch (Pick(9)) {
      case 0:
      case 1:
      case 2:
        edit.Sel().AnchorPos = edit.Sel().EndPos = RandomPlace();
        edit.CaretPos = edit.Sel().EndPos;
        edit.InsertText(RandomText());
        break;
      case 3:
        edit.Sel().AnchorPos = RandomPlace();
        edit.Sel().EndPos = RandomPlace();
        edit.DeleteSelection();
        break;
      case 4:
        edit.Undo();
        break;
      case 5:
        edit.Redo();
        break;
      case 6:
        edit.SetDefWrapPos(8 + Pick(60));
        edit.ReformatAll();
        break;
      case 7: {
        const int first = Pick(edit.RowCount());
        edit.SortRows(first, std::min(edit.RowCount() - 1, first + Pick(300)), true,
                      [](const TCustomAFEdit& e, int i, int j) { return e.GetRow(i).compare(e.GetRow(j)); });
        break;
      }
      default: {  // a large block of lines, many rows at once
        std::string block;
        for (int n = 50 + Pick(400); n > 0; --n) block += RandomText() + "\r";
        edit.Sel().AnchorPos = edit.Sel().EndPos = RandomPlace();
        edit.CaretPos = edit.Sel().EndPos;
        edit.InsertText(block);
        break;
      }
    }
    edit.Sel().ClearRowSel();
    edit.ClampSelection();
  }
};

TEST_P(LineIndexFollows, EveryKindOfRowChange) {
  WrapAt(30, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  std::string text;
  for (int n = 0; n < 600; ++n) text += RandomText() + "\r\n";
  // Lines longer than a block of rows: their columns run across blocks.
  for (int n = 0; n < 3; ++n) text.insert(text.size() / (n + 2), std::string(6000, 'w') + "\r\n");
  Load(text, loWrap);
  ASSERT_TRUE(MatchesTheText()) << "after loading";
  for (int step = 0; step < 120; ++step) {
    Step();
    ASSERT_TRUE(MatchesTheText()) << "step " << step;
  }
  while (edit.UndoBuffer().LastRecord()) edit.Undo();
  EXPECT_TRUE(MatchesTheText()) << "all undone";
  edit.SetText("one\r\ntwo");
  EXPECT_TRUE(MatchesTheText()) << "text set anew";
}

INSTANTIATE_TEST_SUITE_P(Seeds, LineIndexFollows, ::testing::Range(1u, 5u));

}  // namespace
