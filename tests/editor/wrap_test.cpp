// Where rows are cut: the width, Japanese line-break rules, English words,
// and re-wrapping after edits.
#include <fstream>
#include <iterator>
#include <random>

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

// Rows as given, without wrapping them, all with the first row's record.
void SetRows(TCustomAFEdit& edit, const std::vector<std::string>& rows) {
  edit.SetText(rows[0]);
  for (std::size_t r = 1; r < rows.size(); ++r) edit.InsertRow(static_cast<int>(r), rows[r], *edit.RowAttr(0));
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

// After a chain of one-letter rows is pulled up into a full row, the line
// end on the row after them hangs on that row, as it does for the two rows
// alone, instead of staying on a row of its own.
TEST_F(Wrapping, ALineEndLeftAloneAfterPulledUpRowsHangsOnTheRowAbove) {
  WrapAt(10, {TAFEditOption::aoJpnBanBreak});
  const std::vector<std::string> alone{"abcdefghij", "\r", ""};
  SetRows(edit, alone);
  edit.ReflowRow(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abcdefghij\r", ""}));
  SetRows(edit, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "\r", ""});
  edit.ReflowRow(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abcdefghij\r", ""}));
}

// Cases whose rows differed when wrapping cut a line in one pass instead
// of visiting every row in turn.
TEST_F(Wrapping, LoadingVisitsEveryRowAsReflowRowWould) {
  WrapAt(10, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load("x abcdefghijklmnopqrst\r\n", loWrap);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"x ", "abcdefghij", "klmnopqrst\r", ""}));
  WrapAt(20, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load(Repeat(kClose, 25) + "\r\n", loWrap);
  EXPECT_EQ(Rows(), (std::vector<std::string>{Repeat(kClose, 2), Repeat(kClose, 10), Repeat(kClose, 2),
                                              Repeat(kClose, 11) + "\r", ""}));
  Load("\t\t\tabcdefghijklmnopqrstuvwxyz", loWrap | loTabsToIndent);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "bcdefghi", "jklmnopq", "r", "stuvwxyz", ""}));
}

// An empty document re-wrapped (as a new window is when it takes its
// width) is one empty row that takes typing.
TEST_F(Wrapping, ReformattingAnEmptyDocumentLeavesOneEmptyRow) {
  WrapAt(20, {TAFEditOption::aoWordWrap});
  Load("", loWrap);
  edit.ReformatAll();
  ASSERT_EQ(Rows(), (std::vector<std::string>{""}));
  edit.InsertText("abc");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abc"}));
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

namespace {

// Lines rich in what wrapping decides on: characters that may not begin or
// end a row, English words short and long, spaces, tabs (also leading, for
// indentation), full-width text and half-width kana.
std::string RandomLines(std::mt19937& rng, int lines) {
  static const char* const kPieces[] = {
      "\x82\xA0", "\x88\x9F", "\x81\x42", "\x81\x41", "\x81\x75", "\x81\x76", "\x81\x69", "\x81\x6A",
      "\x81\x40", "\x82\xC1", "\xB1",     "(",        ")",        ",",        ".",        " ",
      "\t",        "a",        "word",     "wrapping", "x",        "antidisestablishment",  ":"};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::string text;
  for (int l = 0; l < lines; ++l) {
    for (int t = pick(4) == 0 ? pick(4) : 0; t > 0; --t) text += '\t';
    for (int n = pick(40); n > 0; --n) text += kPieces[pick(std::size(kPieces))];
    if (l + 1 < lines || pick(2)) text += "\r\n";
  }
  return text;
}

// ReflowRow called for every row in turn while the row count changes.
void ReflowEveryRow(TCustomAFEdit& edit) {
  for (int r = 0; r < edit.RowCount(); ++r) edit.ReflowRow(r);
}

std::vector<std::pair<std::string, int>> RowsAndIndents(const TCustomAFEdit& edit) {
  std::vector<std::pair<std::string, int>> rows;
  for (int r = 0; r < edit.RowCount(); ++r)
    rows.emplace_back(edit.GetRow(r), const_cast<TCustomAFEdit&>(edit).RowAttr(r)->Indent);
  return rows;
}

}  // namespace

// Loading with wrapping and ReformatAll against ReflowRow called for every
// row, for widths from 4 up, every combination of the wrapping options and
// of the hanging and pulling-back limits.
TEST(WrapEquivalence, LoadingAndReformatAllGiveTheRowsOfReflowRowForEveryRow) {
  std::mt19937 rng(2024);
  FakeEditHost host;
  host.canvas.record = false;
  TCustomAFEdit wrapped(host), reference(host);
  for (TCustomAFEdit* e : {&wrapped, &reference}) {
    e->WMSize(640, 480);
    e->Loaded();
  }
  for (int round = 0; round < 300; ++round) {
    const std::string text = RandomLines(rng, 1 + static_cast<int>(rng() % 6));
    TAFEditOptions o{TAFEditOption::aoAutoFormat};
    o.Set(TAFEditOption::aoWordWrap, rng() % 2);
    o.Set(TAFEditOption::aoJpnBanBreak, rng() % 2);
    const int width = 4 + static_cast<int>(rng() % 40), trail = static_cast<int>(rng() % 8),
              lead = static_cast<int>(rng() % 14);
    const int load = (rng() % 2 ? loTabsToIndent : 0) | (rng() % 4 == 0 ? loTabsToSpaces : 0);
    for (TCustomAFEdit* e : {&wrapped, &reference}) {
      e->SetOptions(o);
      e->SetDefWrapPos(width);
      e->SetWrapTrailBytes(trail);
      e->SetWrapLeadBytes(lead);
    }
    TMemoryInStream in1(text), in2(text);
    wrapped.LoadFromStream(in1, load | loWrap);
    reference.LoadFromStream(in2, load);
    ReflowEveryRow(reference);
    ASSERT_EQ(RowsAndIndents(wrapped), RowsAndIndents(reference))
        << "round " << round << " loading at width " << width;

    const int next = 4 + static_cast<int>(rng() % 40);
    for (TCustomAFEdit* e : {&wrapped, &reference}) e->SetDefWrapPos(next);
    wrapped.ReformatAll();
    ReflowEveryRow(reference);
    ASSERT_EQ(RowsAndIndents(wrapped), RowsAndIndents(reference))
        << "round " << round << " re-wrapping from " << width << " to " << next;
  }
}
