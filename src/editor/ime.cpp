// Confirmed input-method text, the input method's mode, and the text around
// the caret as input methods read and replace it.
#include "editor/ime.h"

#include <algorithm>

#include "editor/afedit.h"
#include "encoding/cp932.h"
#include "encoding/sjis.h"

std::string ImeModeTextOf(const TImeStatus& status) {
  std::string text = "　　A";
  if (!status.Open) return text;
  // Later tests win: they name the more specific modes.
  auto has = [&](unsigned bits) { return (status.Mode & bits) == bits; };
  if (has(IME_CMODE_SYMBOL)) text = " 記号";
  if (has(IME_CMODE_FULLSHAPE)) text = "全角英数";
  if (has(IME_CMODE_NATIVE | IME_CMODE_KATAKANA)) text = "  ｶﾅ";
  if (has(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE)) text = "  かな";
  if (has(IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE)) text = "  カナ";
  return text;
}

void TCustomAFEdit::WMImeResult(const std::string& text, int replaceFrom, int replaceLength) {
  ++UndoGroup;
  if (readOnly_) return;
  const std::string s = text.substr(0, text.find('\0'));
  if (replaceFrom != 0 || replaceLength != 0) SelectSurrounding(replaceFrom, replaceLength);
  if (s.empty() && !sel_.HasSel()) {
    // Nothing to insert and nothing left to replace: no edit at all.
    UpdateCaret();
    RepaintDirty();
    return;
  }
  InsertText(s);
}

void TCustomAFEdit::WMImeNotify(int code) {
  if (code != IMN_SETCONVERSIONMODE && code != IMN_SETOPENSTATUS) return;
  ImeModeText = ImeModeTextOf(host_.ImeStatus());
  if (Onimechange) Onimechange();
}

// ---- The text around the caret

namespace {

// Bytes each side of the cursor an input method is shown: enough for any
// reconversion, and well inside what input methods accept (fcitx takes
// fewer than 4096 UTF-16 units).
constexpr int kSurroundingReach = 1000;

// A byte of a row: Index counts from the row's start.
struct TBytePos {
  int Row = 0;
  int Index = 0;
};

// The part of one row in the surrounding text, bytes [From, To).
struct TSpanPart {
  int Row = 0;
  int From = 0;
  int To = 0;
  int UnitStart = 0;  // where it begins in the UTF-16 text
};

// The row's text as an input method sees it: without the CR.
int ContentLength(const TCustomAFEdit& e, int row) {
  return static_cast<int>(e.GetRow(row).size()) - (e.RowHasCR(row) ? 1 : 0);
}

TBytePos BytePos(const TCustomAFEdit& e, TPoint p) {
  if (p.Y >= e.RowCount()) return TBytePos{e.RowCount() - 1, ContentLength(e, e.RowCount() - 1)};
  p.Y = std::max(0, p.Y);
  return TBytePos{p.Y, std::clamp(e.ColToIndex(p.Y, p.X), 0, ContentLength(e, p.Y))};
}

// The first character start at or after byte i.
int CharStartFrom(std::string_view s, int i) {
  std::size_t k = 0;
  while (k < s.size() && static_cast<int>(k) < i) k += sjis::CharLen(s, k);
  return static_cast<int>(k);
}

int Utf16Length(std::string_view sjis) { return static_cast<int>(cp932::ToUtf16(sjis).size()); }

// The caret's logical line within kSurroundingReach bytes of `at`, row by row.
class TSurroundingSpan {
 public:
  TSurroundingSpan(const TCustomAFEdit& e, TBytePos at) : e_(e) {
    const std::string_view row = e.GetRow(at.Row);
    const int length = ContentLength(e, at.Row);
    const TSpanPart caretPart{at.Row, CharStartFrom(row, at.Index - kSurroundingReach),
                              CharStartFrom(row, std::min(at.Index + kSurroundingReach, length))};
    if (caretPart.From == 0) AddRowsBefore(at.Row, kSurroundingReach - at.Index);
    parts_.push_back(caretPart);
    if (caretPart.To == length) AddRowsAfter(at.Row, kSurroundingReach - (caretPart.To - at.Index));
    for (TSpanPart& part : parts_) {
      part.UnitStart = static_cast<int>(text_.size());
      text_ += cp932::ToUtf16(Bytes(part));
    }
  }

  const std::u16string& Text() const { return text_; }

  // Units before p; a p outside the span counts as its start or end.
  int UnitsAt(TBytePos p) const {
    const TSpanPart& first = parts_.front();
    if (p.Row < first.Row || (p.Row == first.Row && p.Index <= first.From)) return 0;
    for (const TSpanPart& part : parts_) {
      if (part.Row != p.Row) continue;
      const int end = std::clamp(p.Index, part.From, part.To);
      return part.UnitStart + Utf16Length(e_.GetRow(part.Row).substr(part.From, end - part.From));
    }
    return static_cast<int>(text_.size());
  }

  // The display position `units` into the text, at a character start.
  TPoint PosAt(int units) const {
    units = std::clamp(units, 0, static_cast<int>(text_.size()));
    const TSpanPart* part = &parts_.front();
    for (const TSpanPart& p : parts_)
      if (p.UnitStart <= units) part = &p;
    const std::string_view row = e_.GetRow(part->Row);
    int index = part->From, seen = part->UnitStart;
    while (index < part->To && seen < units) {
      const int len = static_cast<int>(sjis::CharLen(row, index));
      seen += Utf16Length(row.substr(index, len));
      index += len;
    }
    return e_.IndexToCol(TPoint{index, part->Row});
  }

 private:
  // Earlier rows of the logical line, which end without a CR, up to
  // `reach` bytes before the start of `row`.
  void AddRowsBefore(int row, int reach) {
    std::vector<TSpanPart> before;
    for (int r = row - 1; r >= 0 && !e_.RowHasCR(r) && reach > 0; --r) {
      const int length = ContentLength(e_, r);
      const int from = CharStartFrom(e_.GetRow(r), length - reach);
      before.push_back(TSpanPart{r, from, length});
      reach -= length - from;
      if (from > 0) break;
    }
    parts_.assign(before.rbegin(), before.rend());
  }

  // Later rows of the logical line, up to `reach` bytes after the end of `row`.
  void AddRowsAfter(int row, int reach) {
    for (int r = row; !e_.RowHasCR(r) && r + 1 < e_.RowCount() && reach > 0; ++r) {
      const int length = ContentLength(e_, r + 1);
      const int to = CharStartFrom(e_.GetRow(r + 1), std::min(reach, length));
      parts_.push_back(TSpanPart{r + 1, 0, to});
      reach -= to;
      if (to < length) break;
    }
  }

  std::string_view Bytes(const TSpanPart& p) const { return e_.GetRow(p.Row).substr(p.From, p.To - p.From); }

  const TCustomAFEdit& e_;
  std::vector<TSpanPart> parts_;
  std::u16string text_;
};

}  // namespace

TImeSurrounding TCustomAFEdit::ImeSurrounding() const {
  TBytePos cursor, anchor;
  if (sel_.HasSel()) {
    cursor = BytePos(*this, sel_.EndPos);
    anchor = BytePos(*this, sel_.AnchorPos);
  } else if (sel_.HasRowSel()) {
    const int bottom = std::min(sel_.RowSelBottom(), RowCount() - 1);
    cursor = TBytePos{bottom, ContentLength(*this, bottom)};
    anchor = TBytePos{std::min(sel_.RowSelTop(), bottom), 0};
  } else {
    cursor = anchor = BytePos(*this, InsertionPoint());
  }
  const TSurroundingSpan span(*this, cursor);
  return TImeSurrounding{span.Text(), span.UnitsAt(cursor), span.UnitsAt(anchor)};
}

// Selects what an input method replaces, counted from the caret once a
// selection has gone; an empty range just places the caret.
void TCustomAFEdit::SelectSurrounding(int from, int length) {
  if (sel_.HasSel() || sel_.HasRowSel()) DeleteSelection();
  const TBytePos caret = BytePos(*this, InsertionPoint());
  const TSurroundingSpan span(*this, caret);
  const int start = span.UnitsAt(caret) + from;
  sel_.AnchorPos = span.PosAt(start);
  sel_.EndPos = CaretPos = span.PosAt(start + std::max(0, length));
}
