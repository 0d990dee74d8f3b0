// Where rows are cut: the width, Japanese line-break rules, English words,
// and re-wrapping after edits.
#include <fstream>
#include <iterator>

#include "editfixture.h"

namespace {

// Shift-JIS characters used below.
const std::string kA = "\x82\xA0";      // あ
const std::string kMaru = "\x81\x42";   // 。
const std::string kOpen = "\x81\x75";   // 「
const std::string kClose = "\x81\x76";  // 」

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

using Wrapping = EditFixture;

TEST_F(Wrapping, WithoutAutoFormatOnlyVeryLongRowsAreCut) {
  edit.SetOptions({});
  Load(std::string(70000, 'x') + "\r\nshort", loWrap);
  EXPECT_EQ(edit.GetRow(0).size(), 65535u);
  EXPECT_EQ(edit.GetRow(2), "short");
}

TEST_F(Wrapping, AFullStopThatWouldBeginARowHangsAtTheEnd) {
  WrapAt(60, {TAFEditOption::aoJpnBanBreak});
  Load(Repeat(kA, 30) + kMaru + kA, loWrap);
  EXPECT_EQ(edit.GetRow(0), Repeat(kA, 30) + kMaru);
  EXPECT_EQ(edit.DisplayLength(0), 62);
  EXPECT_EQ(edit.GetRow(1), kA);
}

TEST_F(Wrapping, FourClosingBracketsPullTheCharacterBeforeThemAlong) {
  WrapAt(60, {TAFEditOption::aoJpnBanBreak});
  Load(Repeat(kA, 30) + Repeat(kClose, 4) + kA, loWrap);
  EXPECT_EQ(edit.GetRow(0), Repeat(kA, 29));
  EXPECT_EQ(edit.GetRow(1), kA + Repeat(kClose, 4) + kA);
}

TEST_F(Wrapping, AnOpeningBracketDoesNotEndARow) {
  WrapAt(60, {TAFEditOption::aoJpnBanBreak});
  Load(Repeat(kA, 29) + kOpen + kA, loWrap);
  EXPECT_EQ(edit.GetRow(0), Repeat(kA, 29));
  EXPECT_EQ(edit.GetRow(1), kOpen + kA);
}

TEST_F(Wrapping, EnglishWordsMoveWholeUnlessTooLong) {
  WrapAt(20, {TAFEditOption::aoWordWrap});
  Load("aaaaaaaaaaaaaaa wordy tail", loWrap);
  EXPECT_EQ(edit.GetRow(0), "aaaaaaaaaaaaaaa ");
  EXPECT_EQ(edit.GetRow(1), "wordy tail");
  // Twelve letters before the width: split eleven columns before it.
  Load("aaaaaaaabbbbbbbbbbbbcccc", loWrap);
  EXPECT_EQ(edit.GetRow(0), "aaaaaaaab");
}

TEST_F(Wrapping, DeletingAtTheEndOfASoftRowPullsTheNextWordsUp) {
  WrapAt(10, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load("aaaa bbbb cc dd\r\nnext", loWrap);
  ASSERT_EQ(Rows(), (std::vector<std::string>{"aaaa bbbb ", "cc dd\r", "next"}));
  edit.Sel().AnchorPos = TPoint{5, 0};
  edit.Sel().EndPos = TPoint{10, 0};
  edit.DeleteSelection();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"aaaa cc dd\r", "next"}));
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{10, 0};
  edit.DeleteSelection();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\r", "next"}));
}

TEST_F(Wrapping, EnterInASoftRowMovesTheRestToItsContinuation) {
  WrapAt(10, {TAFEditOption::aoWordWrap});
  Load("aaaa bbbb cccc dd\r\n", loWrap);
  edit.MoveCaretTo(TPoint{5, 0});
  edit.InsertText("\r");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"aaaa \r", "bbbb cccc ", "dd\r", ""}));
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 1}));
}

TEST_F(Wrapping, AHugeInsertionIsCutIntoRowsWithoutLosingText) {
  WrapAt(60, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  std::string big;
  for (int i = 0; i < 3000; ++i) big += "word" + std::to_string(i) + (i % 17 == 0 ? "\r" : " ") + kA;
  edit.InsertText(big);
  std::string all;
  for (const std::string& r : Rows()) all += r;
  EXPECT_EQ(all, big);
  EXPECT_GT(edit.RowCount(), 500);
  for (int r = 0; r < edit.RowCount(); ++r) EXPECT_LE(edit.DisplayLength(r), 67) << r;
}

// A width smaller than the indent leaves no room: a row still keeps its
// first character rather than wrapping forever.
TEST_F(Wrapping, AnIndentWiderThanTheWidthStillMakesProgress) {
  WrapAt(4);
  Load("abcdefgh");
  edit.RowAttr(0)->Indent = 6;
  edit.ReflowRow(0);
  EXPECT_GE(edit.RowCount(), 8);
  for (const std::string& row : Rows()) EXPECT_LE(row.size(), 1u);
  EXPECT_EQ(edit.Text(), "abcdefgh");
}

TEST_F(Wrapping, WordBreakHandlerReplacesTheRules) {
  WrapAt(10, {TAFEditOption::aoWordWrap});
  edit.OnWordBreak = [](const std::string&, int& pos) { pos = 3; };
  Load("abcdefghijklmn", loWrap);
  EXPECT_EQ(edit.GetRow(0), "abc");
}

// Loading wraps each line as it is read; the rows must be those that
// re-wrapping the unwrapped text gives.
TEST_F(Wrapping, WrappingWhileLoadingEqualsReflowingAfterwards) {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string corpus(std::istreambuf_iterator<char>(in), {});
  ASSERT_GT(corpus.size(), 100000u);
  for (int width : {20, 61, 80}) {
    WrapAt(width, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
    Load(corpus, loWrap | loTabsToIndent);
    const std::vector<std::string> loaded = Rows();
    Load(corpus, loTabsToIndent);
    edit.ReformatAll();
    EXPECT_EQ(Rows(), loaded) << "width " << width;
  }
}
