// Finding and replacing: matches over wrapped rows, backward walks, letter
// case beyond ASCII, the selection as replace sees it, and replace all as
// one undoable operation that always ends.
#include "editfixture.h"
#include "encoding/cp932.h"
#include "invariants.h"

namespace {

std::string Sj(std::u16string_view text) { return cp932::FromUtf16(text); }

class Search : public EditFixture {
 protected:
  TPoint Find(std::string_view s, TPoint from, int options = 0) const {
    const int last = edit.RowCount() - 1;
    const TPoint limit = options & foBackward ? TPoint{0, 0} : TPoint{static_cast<int>(edit.GetRow(last).size()), last};
    TPoint found;
    edit.FindText(s, from, found, options, limit);
    return found;
  }
  // Find next as the dialogs run it: from the caret or the selection.
  bool FindNext(std::string_view s, int options = 0) {
    const TPoint found = Find(s, edit.SearchStart(options & foBackward), options);
    if (found.X < 0) return false;
    edit.SelectFound(found, static_cast<int>(s.size()));
    return true;
  }
  void Select(TPoint anchor, TPoint end) {
    edit.Sel().AnchorPos = anchor;
    edit.Sel().EndPos = end;
    edit.CaretPos = end;
  }
};

TEST_F(Search, AMatchOverAWrappedRowIsSelectedOverBothRows) {
  WrapAt(10);
  Load("xxxxxxxabcdefgh\r\nend", loWrap);
  ASSERT_EQ(edit.GetRow(0), "xxxxxxxabc");
  ASSERT_TRUE(FindNext("abcdef"));
  EXPECT_EQ(edit.Sel().SelStart(), (TPoint{7, 0}));
  EXPECT_EQ(edit.Sel().SelEnd(), (TPoint{3, 1}));
  EXPECT_EQ(edit.CaretPos, (TPoint{3, 1}));
  EXPECT_EQ(edit.SelText(), "abcdef");
}

TEST_F(Search, AMatchMayRunOverSeveralWrappedRows) {
  WrapAt(10);
  Load("xxxxxxxabcdefghijklmnopqrstuv", loWrap);
  ASSERT_EQ(Rows(), (std::vector<std::string>{"xxxxxxxabc", "defghijklm", "nopqrstuv"}));
  EXPECT_EQ(Find("abcdefghijklmnop", TPoint{0, 0}), (TPoint{7, 0}));
  EXPECT_EQ(Find("ABCDEFGHIJKLMNOP", TPoint{9, 2}, foBackward | foIgnoreCase), (TPoint{7, 0}));
  ASSERT_TRUE(FindNext("abcdefghijklmnop"));
  EXPECT_EQ(edit.Sel().SelEnd(), (TPoint{3, 2}));
}

TEST_F(Search, TheMatchIsSelectedOverItsCellsBehindATab) {
  Load("\tx ab");  // the TAB covers four columns: "ab" is at byte 3 but column 6
  ASSERT_TRUE(FindNext("ab"));
  EXPECT_EQ(edit.Sel().SelStart(), (TPoint{6, 0}));
  EXPECT_EQ(edit.SelText(), "ab");
}

TEST_F(Search, TheLastRowAndASingleRowAreSearched) {
  Load("only row here");
  EXPECT_EQ(Find("here", TPoint{0, 0}), (TPoint{9, 0}));
  Load("one\r\ntwo\r\nlast word");
  EXPECT_EQ(Find("word", TPoint{0, 0}), (TPoint{5, 2}));
}

TEST_F(Search, RepeatedBackwardFindsWalkBackThroughTheText) {
  WrapAt(10);
  Load("ab ab\r\nxxxxxxxxab ab\r\nab", loWrap);
  edit.MoveCaretTo(TPoint{2, edit.RowCount() - 1});
  std::vector<TPoint> seen;
  while (FindNext("ab", foBackward)) seen.push_back(edit.Sel().SelStart());
  const std::vector<TPoint> expected{{0, 3}, {1, 2}, {8, 1}, {3, 0}, {0, 0}};
  EXPECT_EQ(seen, expected);
}

TEST_F(Search, NoMatchRunsOverALineEnd) {
  Load("ab\r\ncd");
  EXPECT_EQ(Find("bc", TPoint{0, 0}).X, -1);
  EXPECT_EQ(Find("bc", TPoint{2, 1}, foBackward).X, -1);
}

TEST_F(Search, IgnoringCaseCoversFullWidthGreekAndCyrillicLetters) {
  Load(Sj(u"xABC ＡＢＣ ΑΩ ДЯ"));
  EXPECT_EQ(Find("abc", TPoint{0, 0}, foIgnoreCase), (TPoint{1, 0}));
  EXPECT_EQ(Find(Sj(u"ａｂｃ"), TPoint{0, 0}, foIgnoreCase), (TPoint{5, 0}));
  EXPECT_EQ(Find(Sj(u"αω"), TPoint{0, 0}, foIgnoreCase), (TPoint{12, 0}));
  EXPECT_EQ(Find(Sj(u"дя"), TPoint{0, 0}, foIgnoreCase), (TPoint{17, 0}));
  EXPECT_EQ(Find("abc", TPoint{0, 0}).X, -1);
}

TEST_F(Search, IgnoringCaseNeverChangesTheSecondByteOfACharacter) {
  Load("\x81\x61");  // ∥: its second byte is 'a', and upper-cased would make 、 (81 41)
  EXPECT_EQ(Find("\x81\x41", TPoint{0, 0}, foIgnoreCase).X, -1);
  EXPECT_EQ(Find("A", TPoint{0, 0}, foIgnoreCase).X, -1);
}

// Blanking the bytes outside the range with spaces would let a search text
// with spaces match blanks that are not in the text.
TEST_F(Search, BytesOutsideTheRangeNeverMatchAsBlanks) {
  Load("abx axyb");
  EXPECT_EQ(Find(" x", TPoint{2, 0}).X, -1);
  EXPECT_EQ(Find("x ", TPoint{6, 0}, foBackward), (TPoint{2, 0}));
}

TEST_F(Search, TheSelectionHoldsItsBytesWithTrailingBlanksAndLetterCase) {
  Load("ABC  x");
  Select(TPoint{0, 0}, TPoint{3, 0});
  EXPECT_TRUE(edit.SelectionHolds("ABC", 0));
  EXPECT_FALSE(edit.SelectionHolds("abc", 0));
  EXPECT_TRUE(edit.SelectionHolds("abc", foIgnoreCase));
  EXPECT_FALSE(edit.SelectionHolds("AB", 0));
  Select(TPoint{1, 0}, TPoint{5, 0});
  EXPECT_TRUE(edit.SelectionHolds("BC  ", 0));  // SelText would drop the blanks
}

TEST_F(Search, ReplacingTheSelectionIsOneStepAndTheNextSearchSkipsIt) {
  Load("ab ab ab");
  Select(TPoint{3, 0}, TPoint{5, 0});
  TPoint next;
  ASSERT_TRUE(edit.ReplaceSelection("AB", "xaby", foIgnoreCase | foBackward, next));
  EXPECT_EQ(edit.Text(), "ab xaby ab");
  EXPECT_EQ(next, (TPoint{3, 0}));  // in front of the replacement
  EXPECT_EQ(Find("ab", next, foBackward), (TPoint{0, 0}));
  ASSERT_FALSE(edit.ReplaceSelection("ab", "z", 0, next));  // nothing selected now
  EXPECT_EQ(next, (TPoint{7, 0}));  // the caret, behind the replacement
  edit.Undo();
  EXPECT_EQ(edit.Text(), "ab ab ab");
}

using ReplaceAll = Search;

TEST_F(ReplaceAll, AReplacementHoldingTheSearchTextEndsInBothDirections) {
  WrapAt(10);
  const std::string text = "a-a-a-a-a-a-a-a\r\naaa\r\n-";
  for (const int direction : {0, foBackward}) {
    Load(text, loWrap);
    const std::vector<std::string> before = Rows();
    edit.MoveCaretTo(direction ? TPoint{1, edit.RowCount() - 1} : TPoint{0, 0});
    EXPECT_EQ(edit.ReplaceAll("a", "aa", direction), 11);
    EXPECT_EQ(edit.Text(), "aa-aa-aa-aa-aa-aa-aa-aa\r\naaaaaa\r\n-");
    EXPECT_EQ(RowInvariantViolation(edit), "");
    edit.Undo();
    EXPECT_EQ(Rows(), before) << "direction " << direction;
    edit.Redo();
    EXPECT_EQ(edit.Text(), "aa-aa-aa-aa-aa-aa-aa-aa\r\naaaaaa\r\n-");
  }
}

TEST_F(ReplaceAll, StartsAtTheCaretOrAtASelectionHoldingTheText) {
  Load("ab ab ab ab");
  edit.MoveCaretTo(TPoint{4, 0});
  EXPECT_EQ(edit.ReplaceAll("ab", "X", 0), 2);
  EXPECT_EQ(edit.Text(), "ab ab X X");
  EXPECT_EQ(edit.CaretPos, (TPoint{9, 0}));  // behind the last replacement

  Load("ab ab ab ab");
  Select(TPoint{8, 0}, TPoint{6, 0});  // made backwards: the caret in front
  EXPECT_EQ(edit.ReplaceAll("ab", "X", foBackward), 3);
  EXPECT_EQ(edit.Text(), "X X X ab");
  EXPECT_EQ(edit.CaretPos, (TPoint{1, 0}));
  EXPECT_FALSE(edit.Sel().HasSel());
}

TEST_F(ReplaceAll, IgnoringCaseReplacesEveryForm) {
  Load(Sj(u"ABC abc Abc ＡＢＣ"));
  EXPECT_EQ(edit.ReplaceAll("abc", "x", foIgnoreCase), 3);
  EXPECT_EQ(edit.Text(), Sj(u"x x x ＡＢＣ"));
}

TEST_F(ReplaceAll, WithoutAMatchNothingChanges) {
  Load("abc\r\ndef");
  Select(TPoint{0, 0}, TPoint{2, 0});
  EXPECT_EQ(edit.ReplaceAll("zz", "y", 0), 0);
  EXPECT_EQ(edit.Text(), "abc\r\ndef");
  EXPECT_FALSE(edit.Edited());
  EXPECT_TRUE(edit.Sel().HasSel());
}

TEST_F(ReplaceAll, MatchesAcrossWrappedRowsAreReplacedAndTheLineRewrapped) {
  WrapAt(10);
  Load("xxxxxxxabcdefgh abcdef xxxxxxxxxabcdef\r\nabcdef", loWrap);
  const std::vector<std::string> before = Rows();
  EXPECT_EQ(edit.ReplaceAll("abcdef", "-", 0), 4);
  EXPECT_EQ(edit.Text(), "xxxxxxx-gh - xxxxxxxxx-\r\n-");
  EXPECT_EQ(RowInvariantViolation(edit), "");
  edit.Undo();
  EXPECT_EQ(Rows(), before);
}

}  // namespace
