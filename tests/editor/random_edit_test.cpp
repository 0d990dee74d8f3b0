// Thousands of random edits against a plain reference text, with the row
// invariants checked after each; then everything is undone back to the
// starting text, step by step, and redone to the final one.
#include <random>


#include "inputfixture.h"
#include "encoding/sjis.h"
#include "invariants.h"

namespace {

// A few Shift-JIS characters of the kinds that matter for wrapping: kana,
// kanji, closing punctuation that may not begin a row, opening brackets
// that may not end one, the full-width space.
const char* const kJapanese[] = {"\x82\xA0", "\x88\x9F", "\x81\x42", "\x81\x41", "\x81\x75",
                                 "\x81\x76", "\x81\x40", "\x83\x41", "\x82\xC1", "\x8A\xBF"};

class RandomEditing : public InputFixture, public ::testing::WithParamInterface<unsigned> {
 protected:
  std::mt19937 rng{GetParam()};
  int widestWrap = 20;
  int lastOp = -1;  // the widest wrap width since the last full re-wrap

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

  std::string Concat() const {
    std::string all;
    for (int r = 0; r < edit.RowCount(); ++r) all += edit.GetRow(r);
    return all;
  }

  long long RowStart(int row) const {
    long long start = 0;
    for (int r = 0; r < row; ++r) start += edit.GetRow(r).size();
    return start;
  }

  long long Offset(TPoint p) const {
    const int len = static_cast<int>(edit.GetRow(p.Y).size());
    return RowStart(p.Y) + std::clamp(edit.ColToIndex(p.Y, p.X), 0, len);
  }

  std::string RandomText() {
    std::string s;
    const int n = 1 + Pick(8);
    for (int i = 0; i < n; ++i) {
      switch (Pick(6)) {
        case 0: s += kJapanese[Pick(10)]; break;
        case 1: s += ' '; break;
        case 2: s += '\t'; break;
        default: s += static_cast<char>('a' + Pick(26)); break;
      }
    }
    return s;
  }

  TPoint RandomPos() {
    const int y = Pick(edit.RowCount());
    return edit.SnapCaret(edit.ClampPos(TPoint{Pick(edit.DisplayLength(y) + 2), y}), true);
  }

  void ClearSelections() {
    edit.Sel().ClearRowSel();
    edit.Sel().AnchorPos = edit.Sel().EndPos = edit.CaretPos;
  }

  // What InsertText at the caret must do to the rows, computed from the rows
  // as they are before the insertion.
  std::string ExpectedInsert(std::string s) {
    std::erase_if(s, [](char c) { return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\r'; });
    std::string all = Concat();
    TPoint c = edit.CaretPos;
    const bool freeCaret = edit.HasOption(TAFEditOption::aoFreeCaret);
    if (c.Y >= edit.RowCount()) {
      // Line ends are added until the caret's row exists.
      if (!EndsWithCR(edit.GetRow(edit.RowCount() - 1))) all += '\r';
      all.append(c.Y - edit.RowCount(), '\r');
      return all + std::string(freeCaret ? c.X : 0, ' ') + s;
    }
    const std::string display = edit.DisplayString(c.Y);
    while (c.X > 0 && c.X <= static_cast<int>(display.size()) && display[c.X - 1] == kTabFill) --c.X;
    const int endCol = edit.RowEndCol(c.Y);
    if (c.X > endCol) {
      if (freeCaret) s.insert(0, c.X - endCol, ' ');
      c.X = endCol;
    }
    int row = c.Y;
    int i = std::max(0, edit.ColToIndex(c.Y, c.X));
    if (row > 0 && i == 0 && !edit.RowHasCR(row - 1)) {
      --row;
      i = static_cast<int>(edit.GetRow(row).size());
    }
    const long long start = RowStart(row);
    const std::string text(edit.GetRow(row));
    std::string changed;
    if (edit.InsertMode) {
      changed = text.substr(0, i) + s + text.substr(i);
    } else if (s.size() < text.size() - i) {
      changed = text;
      changed.replace(i, s.size(), s);
      std::size_t k = 0;
      const std::size_t lastReplaced = i + s.size() - 1;
      while (!s.empty() && k < lastReplaced) k += sjis::CharLen(text, k);
      if (!s.empty() && k == lastReplaced && sjis::CharLen(text, k) == 2) changed[lastReplaced + 1] = ' ';
    } else {
      changed = text.substr(0, i) + s + (EndsWithCR(text) ? "\r" : "");
    }
    return all.replace(start, text.size(), changed);
  }

  std::string ExpectedDeleteSelection() {
    edit.ClampSelection();
    std::string all = Concat();
    if (edit.Sel().HasSel()) {
      const long long from = Offset(edit.Sel().SelStart()), to = Offset(edit.Sel().SelEnd());
      return all.erase(from, std::max(0LL, to - from));
    }
    const int top = edit.Sel().RowSelTop(), bottom = std::min(edit.Sel().RowSelBottom(), edit.RowCount() - 1);
    const long long from = RowStart(top);
    return all.erase(from, RowStart(bottom + 1) - from);
  }

  // The indentation Enter copies: the blanks the caret row starts with, no
  // further than the caret.
  std::string IndentPrefix() {
    const bool jpn = edit.HasOption(TAFEditOption::aoAutoJpnIndent);
    if (!(jpn || edit.HasOption(TAFEditOption::aoAutoIndent)) || edit.CaretPos.Y >= edit.RowCount()) return "";
    const std::string_view row = edit.GetRow(edit.CaretPos.Y);
    const int size = edit.ColToIndex(edit.CaretPos.Y, edit.CaretPos.X);
    std::size_t k = 0;
    while (static_cast<int>(k) < size && k < row.size()) {
      if (row[k] == '\t' || row[k] == ' ') {
        ++k;
      } else if (jpn && row.substr(k, 2) == "\x81\x40") {
        k += 2;
      } else {
        break;
      }
    }
    return std::string(row.substr(0, k));
  }

  // Backspace and Delete remove one character, a line end, or nothing.
  static bool OneCharacterOrNothingRemoved(const std::string& before, const std::string& after) {
    if (after == before) return true;
    const std::size_t removed = before.size() - after.size();
    if (after.size() >= before.size() || removed > 2) return false;
    std::size_t prefix = 0;
    while (prefix < after.size() && after[prefix] == before[prefix]) ++prefix;
    return before.compare(prefix + removed, std::string::npos, after, prefix) == 0;
  }

  int RandomArrow() {
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    return keys[Pick(8)];
  }

  // Steps through the real key and mouse handlers.
  std::string KeyStep(int op) {
    switch (op) {
      case 0: {  // a typed letter
        ClearSelections();
        const std::string expected = ExpectedInsert("q");
        Type("q");
        return expected;
      }
      case 1: {  // Enter: inserting, never past the end, with the row's indentation
        ClearSelections();
        const bool insertMode = edit.InsertMode;
        const TAFEditOptions options = edit.Options();
        TAFEditOptions noFreeCaret = options;
        noFreeCaret.Exclude(TAFEditOption::aoFreeCaret);
        edit.InsertMode = true;
        edit.SetOptions(noFreeCaret);
        const std::string expected = ExpectedInsert("\r" + IndentPrefix());
        edit.InsertMode = insertMode;
        edit.SetOptions(options);
        Type("\r");
        return expected;
      }
      case 2:
      case 3: {  // Backspace or Delete without a selection
        ClearSelections();
        const std::string before = Concat();
        if (op == 2) {
          Type("\b");
        } else {
          Key(VK_DELETE);
        }
        return OneCharacterOrNothingRemoved(before, Concat()) ? Concat() : before + " <- not one character";
      }
      case 4: {  // Tab
        ClearSelections();
        const std::string expected = ExpectedInsert(
            edit.HasOption(TAFEditOption::aoTabToSp)
                ? std::string(edit.TabSize() - edit.CaretPos.X % edit.TabSize(), ' ')
                : std::string("\t"));
        Type("\t");
        return expected;
      }
      case 5:  // a selection made with Shift and the navigation keys
        for (int i = 1 + Pick(4); i > 0; --i) Key(RandomArrow(), {VK_SHIFT});
        Key(VK_SHIFT);
        edit.WMKeyUp(VK_SHIFT);
        return Concat();
      case 6: {  // a selection dragged with the mouse
        const TPoint a = RandomPos(), b = RandomPos();
        edit.SetTopRow(a.Y);
        Press(X(a.X), Y(a.Y));
        DragTo(X(b.X), Y(std::clamp(b.Y, edit.TopRow, edit.TopRow + edit.VisibleRows() - 1)));
        Release();
        return Concat();
      }
      default: {  // options that change typing and the caret
        TAFEditOptions o = edit.Options();
        o.Set(TAFEditOption::aoFreeCaret, Pick(2));
        o.Set(TAFEditOption::aoAutoIndent, Pick(2));
        o.Set(TAFEditOption::aoAutoJpnIndent, Pick(2));
        o.Set(TAFEditOption::aoTabToSp, Pick(2));
        edit.SetOptions(o);
        Key(RandomArrow());
        return Concat();
      }
    }
  }

  // One random step; returns the rows' text it must leave.
  std::string Step() {
    lastOp = Pick(22);
    if (lastOp >= 14) return KeyStep(lastOp - 14);
    // Pasting keeps adding text: a large document gets rows cut away.
    if (Concat().size() > 3000) {
      edit.Sel().ClearRowSel();
      edit.Sel().AnchorPos = edit.Sel().EndPos;
      edit.Sel().RowSelFrom = Pick(edit.RowCount());
      edit.Sel().RowSelTo = std::min(edit.RowCount() - 1, edit.Sel().RowSelFrom + 10);
      lastOp = 9;
    }
    switch (lastOp) {
      case 0:
      case 1:
      case 2: {
        ClearSelections();
        const std::string s = RandomText();
        const std::string expected = ExpectedInsert(s);
        edit.InsertText(s);
        return expected;
      }
      case 3: {
        ClearSelections();
        const std::string expected = ExpectedInsert("\r");
        edit.InsertText("\r");
        return expected;
      }
      case 4:
        edit.MoveCaretTo(RandomPos());
        return Concat();
      case 5:
        edit.Sel().ClearRowSel();
        edit.Sel().AnchorPos = RandomPos();
        edit.Sel().EndPos = RandomPos();
        return Concat();
      case 6: {
        ClearSelections();
        const int a = Pick(edit.RowCount()), b = std::min(edit.RowCount() - 1, a + Pick(4));
        edit.Sel().RowSelFrom = a;
        edit.Sel().RowSelTo = b;
        return Concat();
      }
      case 7: {
        edit.ClampSelection();
        if (!edit.Sel().HasSel() && !edit.Sel().HasRowSel()) return Concat();
        const std::string expected = ExpectedDeleteSelection();
        edit.CutToClipboard();
        return expected;
      }
      case 8: {
        ClearSelections();
        if (!host.clipboard) return Concat();
        const std::string expected = ExpectedInsert(*host.clipboard);
        edit.PasteFromClipboard();
        return expected;
      }
      case 9: {
        edit.ClampSelection();
        if (!edit.Sel().HasSel() && !edit.Sel().HasRowSel()) return Concat();
        const std::string expected = ExpectedDeleteSelection();
        edit.DeleteSelection();
        return expected;
      }
      case 10:
        edit.InsertMode = !edit.InsertMode;
        return Concat();
      case 11:
        edit.SetDefWrapPos(8 + Pick(40));
        edit.ReformatAll();
        widestWrap = edit.DefWrapPos();
        return Concat();
      case 12: {
        TAFEditOptions o = edit.Options();
        o.Set(TAFEditOption::aoWordWrap, Pick(2));
        o.Set(TAFEditOption::aoJpnBanBreak, Pick(2));
        edit.SetOptions(o);
        if (Pick(2)) {
          edit.ReformatAll();
          widestWrap = edit.DefWrapPos();
        }
        return Concat();
      }
      default:
        edit.SetDefWrapPos(8 + Pick(40));  // takes effect at the next edit
        widestWrap = std::max(widestWrap, edit.DefWrapPos());
        return Concat();
    }
  }
};

// The rows a fresh load of the text gives with the control's settings:
// what they must be after an undo or redo that went past a re-wrap of all
// rows.
std::vector<std::string> LoadedRows(const TCustomAFEdit& edit, const std::string& text) {
  FakeEditHost host;
  host.canvas.record = false;
  TCustomAFEdit fresh(host);
  fresh.WMSize(edit.ClientWidth(), edit.ClientHeight());
  fresh.Loaded();
  fresh.SetOptions(edit.Options());
  fresh.SetDefWrapPos(edit.DefWrapPos());
  TMemoryInStream in(text);
  fresh.LoadFromStream(in, loWrap);
  std::vector<std::string> rows;
  for (int r = 0; r < fresh.RowCount(); ++r) rows.emplace_back(fresh.GetRow(r));
  return rows;
}

TEST_P(RandomEditing, KeepsInvariantsAndUndoesEverything) {
  host.canvas.record = false;  // nothing here looks at the drawing of thousands of paints
  WrapAt(20, {TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  Load("first line of text\r\n\x82\xA0\x82\xA2\x82\xA4 kana\r\n\tindented\r\nlast", loWrap);
  const std::string initial = Concat();
  // For every undo step, the rows before the step that recorded it.
  std::vector<std::vector<std::string>> undone;
  // Under the sanitizers each step is several times slower; a third of the
  // steps still meets every operation hundreds of times.
#ifdef __SANITIZE_ADDRESS__
  constexpr int kSteps = 1000;
#else
  constexpr int kSteps = 3000;
#endif
  for (int step = 0; step < kSteps; ++step) {
    std::vector<std::string> before = Rows();
    const int posBefore = edit.UndoBuffer().Pos;
    const int groupBefore = posBefore > 0 ? edit.UndoBuffer().LastRecord()->Group : -1;
    const std::string expected = Step();
    const std::string actual = Concat();
    std::size_t differ = 0;
    while (differ < actual.size() && differ < expected.size() && actual[differ] == expected[differ]) ++differ;
    ASSERT_EQ(actual, expected) << "step " << step << " op " << lastOp << " differs at " << differ
                                << " caret " << edit.CaretPos.X << "," << edit.CaretPos.Y;
    ASSERT_EQ(RowInvariantViolation(edit, widestWrap), "") << "step " << step;
    const TUndoBuffItem* last = edit.UndoBuffer().LastRecord();
    if (edit.UndoBuffer().Pos > posBefore && last->Group != groupBefore) undone.push_back(std::move(before));
  }
  const std::string final = Concat();
  const std::vector<std::string> finalRows = Rows();

  // Each undo gives back the text before its step, on the rows of then, or
  // (once a re-wrap of all rows was undone) on rows wrapped as loading does.
  while (edit.UndoBuffer().LastRecord()) {
    edit.Undo();
    ASSERT_FALSE(undone.empty());
    const std::vector<std::string> expected = std::move(undone.back());
    undone.pop_back();
    std::string text;
    for (const std::string& row : expected) text += row;
    ASSERT_EQ(Concat(), text) << undone.size() << " undo steps left";
    if (Rows() != expected) {
      ASSERT_EQ(Rows(), LoadedRows(edit, edit.Text())) << undone.size() << " undo steps left";
    }
  }
  EXPECT_TRUE(undone.empty());
  EXPECT_EQ(Concat(), initial);
  EXPECT_FALSE(edit.Edited());
  while (edit.UndoBuffer().NextRecord()) edit.Redo();
  EXPECT_EQ(Concat(), final);
  if (Rows() != finalRows) {
    EXPECT_EQ(Rows(), LoadedRows(edit, edit.Text()));
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEditing, ::testing::Range(1u, 7u));

}  // namespace
