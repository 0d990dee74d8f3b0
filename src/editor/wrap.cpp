// Soft wrapping: where a row is cut (Japanese line-break rules, hanging,
// pulling back, English words), the steps of re-wrapping, and how a step
// changes the control's own rows after an edit.
#include <algorithm>
#include <cstring>

#include "editor/afedit.h"
#include "editor/bytekind.h"
#include "encoding/sjis.h"

namespace {

constexpr int kUnwrappedWidth = 65535;

std::string Joined(std::string_view a, std::string_view b) {
  std::string out;
  out.reserve(a.size() + b.size());
  out.append(a);
  out.append(b);
  return out;
}

}  // namespace

int TCustomAFEdit::WrapWidth() const {
  return HasOption(TAFEditOption::aoAutoFormat) ? defWrapPos_ : kUnwrappedWidth;
}

int TCustomAFEdit::WrapMargin() const { return std::max(0, wrapTrailBytes_) + 8; }

void TCustomAFEdit::SetBanEnd(std::string v) {
  banEnd_ = std::move(v);
  banEndSet_.Assign(banEnd_);
}

void TCustomAFEdit::SetBanHead(std::string v) {
  banHead_ = std::move(v);
  banHeadSet_.Assign(banHead_);
}

// ---- Choosing the cut

int TCustomAFEdit::FindWrapPos(std::string_view s, int w, int minPos) {
  if (w >= static_cast<int>(s.size()) || minPos >= w) return w;
  std::vector<TByteKind>& kinds = wrapKinds_;
  ClassifyBytes(s, static_cast<std::size_t>(std::max(0, w)) + WrapMargin() + 4, kinds);
  auto kindAt = [&](int i) {
    return i >= 0 && i < static_cast<int>(kinds.size()) ? kinds[i] : TByteKind::Single;
  };
  auto charAt = [&](int i) {  // the character starting at i
    return s.substr(i, kindAt(i) == TByteKind::Lead && i + 1 < static_cast<int>(s.size()) ? 2 : 1);
  };
  auto charBefore = [&](int i) {  // the character ending just before i
    if (i <= 0) return std::string_view();
    const int start = kindAt(i - 1) == TByteKind::Trail ? i - 2 : i - 1;
    return s.substr(start, i - start);
  };
  const bool banRules = HasOption(TAFEditOption::aoJpnBanBreak);
  const bool wordWrap = HasOption(TAFEditOption::aoWordWrap);
  int result;
  for (;;) {
    if (w >= static_cast<int>(s.size()) || minPos >= w) {
      result = w;
      break;
    }
    if (OnWordBreak) {
      const std::string line(s);
      OnWordBreak(line, w);
      result = w;
      break;
    }
    const int adj = kindAt(w) == TByteKind::Trail ? -1 : 0;
    const std::string_view head = charAt(w + adj);
    const std::string_view tail = charBefore(w + adj);
    if (banRules && (banHeadSet_.Contains(head) || head == "\r")) {
      if (trailCount_ <= wrapTrailBytes_) {
        trailCount_ += 2;
        w = w + adj + 2;
      } else if (leadCount_ <= wrapLeadBytes_) {
        leadCount_ += 1;
        w = w + adj - 1;
      } else {
        result = w + adj;
        break;
      }
    } else if (banRules && banEndSet_.Contains(tail)) {
      if (leadCount_ > wrapLeadBytes_) {
        result = w + adj;
        break;
      }
      leadCount_ += 2;
      w -= 2;
    } else if (wordWrap && !tail.empty() && IsKeywordChar(head[0]) && IsKeywordChar(tail[0])) {
      if (leadCount_ > wrapLeadBytes_) {
        result = w + adj;
        break;
      }
      leadCount_ += 1;
      w -= 1;
    } else {
      result = w + adj;
      break;
    }
  }
  trailCount_ = leadCount_ = 0;
  return result;
}

// Where the text of one row is cut as re-wrapping would cut it step by
// step: at each line end and wherever the rest does not fit, until the rest
// ends its line and fits, or has no line end and no more than the width and
// its margin (it may then join the next row). Returns byte offsets where a
// new row begins; cutCols gets the display column of each cut in its row.
std::vector<int> TCustomAFEdit::FindCuts(std::string_view text, int indent, std::vector<int>& cutCols) {
  const int w = WrapWidth();
  std::vector<int> cuts;
  std::size_t offset = 0;
  std::size_t nextCR = text.find('\r');
  std::string& s = wrapDisplay_;
  for (;;) {
    const std::string_view rest = text.substr(offset);
    while (nextCR != std::string_view::npos && nextCR < offset) nextCR = text.find('\r', nextCR + 1);
    const std::size_t cr = nextCR == std::string_view::npos ? std::string_view::npos : nextCR - offset;
    // Nothing past the line end is looked at: unwrapped, the limit is tens of
    // thousands of columns, and a text of many short lines would be expanded
    // that far for each of them.
    const std::string_view line = cr == std::string_view::npos ? rest : rest.substr(0, cr + 1);
    std::size_t consumed = 0;
    DisplayPrefix(indent, line, w + WrapMargin() + 1, consumed, s);
    const bool complete = consumed == rest.size();
    const bool fits = complete && cr == rest.size() - 1 &&
                      FindWrapPos(s, w, indent + 2) >= static_cast<int>(s.size());
    if (fits || (cr == std::string_view::npos && complete)) break;
    int cut;
    if (cr < consumed) {
      const int afterCR = ColumnOfIndex(indent, rest, static_cast<int>(cr)) + 1;
      if (afterCR < static_cast<int>(s.size())) s.resize(afterCR);
      cut = std::min(FindWrapPos(s, w, indent + 1), afterCR);
    } else {
      cut = FindWrapPos(s, w, indent + 1);
    }
    int g = IndexOfColumn(indent, rest, cut);
    // Keep at least one character on the row, or wrapping never ends.
    g = std::max<int>(g, static_cast<int>(sjis::CharLen(rest, 0)));
    if (g >= static_cast<int>(rest.size())) break;
    cuts.push_back(static_cast<int>(offset) + g);
    cutCols.push_back(cut);
    offset += g;
  }
  return cuts;
}

// ---- The steps

// What re-wrapping does at row r, decided from the row and the next alone.
TWrapStep TCustomAFEdit::DecideStep(const TWrapRows& rows, int r) {
  TWrapStep step;
  const int w = WrapWidth();
  const std::string_view text = rows.Text(r);
  const int indent = rows.Indent(r);
  std::size_t consumed = 0;
  std::string& s = wrapDisplay_;
  DisplayPrefix(indent, text, w + WrapMargin() + 1, consumed, s);
  const bool complete = consumed == text.size();
  const std::size_t firstCR = text.find('\r');
  if (complete && firstCR != std::string::npos && firstCR == text.size() - 1 &&
      FindWrapPos(s, w, indent + 2) >= static_cast<int>(s.size())) {
    step.AppendEmpty = rows.IsLast(r);  // the last row never ends with CR
    return step;
  }
  if (text.empty()) {
    if (!rows.IsLast(r)) step.Kind = TWrapStep::TKind::DeleteEmpty;
    return step;
  }
  if (firstCR != std::string::npos || !complete) {
    step.Kind = TWrapStep::TKind::Cut;
    step.OwnLine = rows.IsLast(r) || EndsWithCR(text);
    const bool severalLines = firstCR != std::string::npos && firstCR + 1 < text.size();
    step.Cuts = severalLines ? CutLines(text, indent, rows.IsLast(r), step.CutCols)
                             : FindCuts(text, indent, step.CutCols);
    return step;
  }
  // A soft-wrapped (or last) row no wider than the width and its margin:
  // take text up from the next row, or give some to it.
  const int len = static_cast<int>(s.size());
  if (rows.IsLast(r)) {
    if (len < w) return step;  // with nothing below, a row that fits is complete
    step.AppendEmpty = true;
  }
  step.Kind = TWrapStep::TKind::FitNext;
  step.Length = len;
  const std::string_view next = step.AppendEmpty ? std::string_view() : rows.Text(r + 1);
  std::string& t = s;  // the row's display string followed by the next row's
  t += DisplayPrefix(0, next, w + WrapMargin() + 1 - len, consumed, wrapNext_);
  if (consumed == next.size() && static_cast<int>(t.size()) < w) {
    step.Join = true;
    return step;
  }
  const int k = FindWrapPos(t, w, indent + 1);
  int g = k <= len ? IndexOfColumn(indent, text, k)
                   : static_cast<int>(text.size()) + IndexOfColumn(0, next, k - len);
  g = std::max<int>(g, static_cast<int>(sjis::CharLen(text, 0)));
  step.CutCol = k;
  step.Keep = g;
  step.Join = step.Filled = !next.empty() && g >= static_cast<int>(text.size() + next.size());
  return step;
}

// After a continuation row came up whole (Filled), the row is looked at
// again with the next one, so that a line end that hangs at the width is
// not left alone on a row; that look takes up nothing else.
TCustomAFEdit::TReflowNext TCustomAFEdit::ReflowStep(TWrapRows& rows, int r, bool lineEndOnly) {
  const TWrapStep step = DecideStep(rows, r);
  if (lineEndOnly && !(step.Kind == TWrapStep::TKind::FitNext && step.Join && rows.Text(r + 1) == "\r"))
    return Stop(r + 1);
  switch (step.Kind) {
    case TWrapStep::TKind::Complete:
      if (step.AppendEmpty) rows.AppendEmpty(r);
      return Stop(r + 1);
    case TWrapStep::TKind::DeleteEmpty:
      rows.DeleteEmpty(r);
      return Stop(r);
    case TWrapStep::TKind::Cut:
      if (step.Cuts.empty()) return Continue(r + 1);
      rows.Cut(r, step);
      return Continue(r + static_cast<int>(step.Cuts.size()));
    case TWrapStep::TKind::FitNext:
      rows.FitNext(r, step);
      if (!step.Join) return Continue(r + 1);
      if (r == rows.Count() - 1) return Stop(r + 1);
      return TReflowNext{r, false, step.Filled};
  }
  return Stop(r + 1);
}

int TCustomAFEdit::ReflowFrom(TWrapRows& rows, int row) {
  TReflowNext next{row, false, false};
  while (!next.Done && next.Row < rows.Count()) next = ReflowStep(rows, next.Row, next.LineEndOnly);
  return next.Row;
}

// ---- The control's own rows

// Every change goes through the row operations (undo records and events);
// attributes, blocks, the row selection and the caret follow the bytes.
class TCustomAFEdit::TControlRows : public TWrapRows {
 public:
  explicit TControlRows(TCustomAFEdit& edit) : e_(edit) {}

  int Count() const override { return e_.RowCount(); }
  std::string_view Text(int row) const override { return e_.rows_.Text(row); }
  int Indent(int row) const override { return e_.rows_.Attr(row).Indent; }
  bool IsLast(int row) const override { return row == e_.RowCount() - 1; }

  void AppendEmpty(int row) override { e_.AddRow(std::string(), e_.rows_.Attr(row)); }

  void DeleteEmpty(int row) override {
    e_.DeleteRow(row);
    e_.sel_.RowSelShrink(row);
    e_.MarkRowsToEndRedraw(row);
  }

  void Cut(int row, const TWrapStep& step) override {
    e_.ApplyCuts(row, std::string(e_.rows_.Text(row)), step.Cuts, step.CutCols, step.OwnLine);
  }

  void FitNext(int r, const TWrapStep& step) override {
    if (step.AppendEmpty) AppendEmpty(r);
    const int d = r + 1;
    TPoint& caret = e_.CaretPos;
    if (caret.Y == d) caret = TPoint{caret.X - Indent(d) + step.Length, r};
    if (step.Join) {
      e_.JoinNext(r);
      return;
    }
    if (caret.Y == r && caret.X >= step.CutCol) caret = TPoint{caret.X + Indent(d) - step.CutCol, d};
    const int len = static_cast<int>(Text(r).size());
    if (step.Keep > len) {
      e_.PullHeadUp(r, step.Keep - len);
    } else if (step.Keep < len) {
      e_.PushTailDown(r, step.Keep);
    }
    e_.rows_.Attr(r).Redraw = e_.rows_.Attr(d).Redraw = true;
    e_.RaiseMaxRowLen(d);
  }

 private:
  TCustomAFEdit& e_;
};

void TCustomAFEdit::ReflowRow(int row) {
  TControlRows rows(*this);
  ReflowFrom(rows, row);
}

int TCustomAFEdit::ApplyCuts(int r, const std::string& text, const std::vector<int>& cuts,
                             const std::vector<int>& cutCols, bool ownLine) {
  const TLineAttr attr = rows_.Attr(r);
  const int pieces = static_cast<int>(cuts.size());
  // Whole pieces between two cuts, and the remainder when it needs a row.
  const int newRows = pieces - 1 + (ownLine ? 1 : 0);
  auto pieceText = [&](int k) {  // piece k >= 1 starts at cuts[k - 1]
    const int end = k < pieces ? cuts[k] : static_cast<int>(text.size());
    return text.substr(cuts[k - 1], end - cuts[k - 1]);
  };
  const bool caretOnRow = CaretPos.Y == r;
  if (CaretPos.Y > r) CaretPos.Y += newRows;
  for (int k = 1; k <= newRows; ++k) {
    PutNewRow(r + k, pieceText(k), attr, false);
    blocks_.BytesCarriedDown(r + k - 1, cuts[k - 1] - (k > 1 ? cuts[k - 2] : 0), 0);
    sel_.RowSelGrow(r);
  }
  RecordRowsInserted(r + 1, newRows);
  const int remainderRow = r + pieces;
  if (!ownLine) {
    const std::string rest = pieceText(pieces);
    const int localCut = cuts[pieces - 1] - (pieces > 1 ? cuts[pieces - 2] : 0);
    if (TColAttrList* to = rows_.ColAttrsOrNull(remainderRow)) {
      to->DeactivateAll();
      to->InsertInactive(0, static_cast<int>(rest.size()));
      if (TColAttrList* from = rows_.ColAttrsOrNull(r))
        for (int i = 0; i < static_cast<int>(rest.size()); ++i)
          if (cuts[pieces - 1] + i < from->Count()) to->Items(i) = from->Items(cuts[pieces - 1] + i);
    }
    blocks_.BytesCarriedDown(remainderRow - 1, localCut, static_cast<int>(rest.size()));
    SetRow(remainderRow, Joined(rest, rows_.Text(remainderRow)), false);
  }
  if (TColAttrList* own = rows_.ColAttrsOrNull(r)) own->Delete(cuts[0], own->Count());
  SetRow(r, text.substr(0, cuts[0]), false);
  if (caretOnRow) {
    for (int k = 0; k < pieces && CaretPos.X >= cutCols[k]; ++k) {
      const int nextIndent = rows_.Attr(r + k + 1).Indent;
      CaretPos = TPoint{CaretPos.X + nextIndent - cutCols[k], r + k + 1};
    }
  }
  MarkRowsToEndRedraw(r);
  for (int k = 0; k <= pieces; ++k) RaiseMaxRowLen(r + k);
  return remainderRow;
}

// Row r + 1 is appended to row r and deleted.
void TCustomAFEdit::JoinNext(int r) {
  const int d = r + 1;
  const std::string next(rows_.Text(d));
  const int len = static_cast<int>(rows_.Text(r).size());
  MoveColAttrsUp(r, static_cast<int>(next.size()));
  blocks_.BytesPulledUp(r, static_cast<int>(next.size()), len, true);
  SetRow(r, Joined(rows_.Text(r), next), false);
  DeleteRow(d);
  sel_.RowSelShrink(d);
  MarkRowsToEndRedraw(r);
  RaiseMaxRowLen(r);
}

// The first `count` bytes of row r + 1 move to the end of row r.
void TCustomAFEdit::PullHeadUp(int r, int count) {
  const int d = r + 1;
  const std::string next(rows_.Text(d));
  count = std::min<int>(count, static_cast<int>(next.size()));
  const int len = static_cast<int>(rows_.Text(r).size());
  MoveColAttrsUp(r, count);
  blocks_.BytesPulledUp(r, count, len, false);
  SetRow(r, Joined(rows_.Text(r), std::string_view(next).substr(0, count)), false);
  SetRow(d, next.substr(count), false);
}

// The bytes of row r from `at` on move to the front of row r + 1.
void TCustomAFEdit::PushTailDown(int r, int at) {
  const int d = r + 1;
  const std::string text(rows_.Text(r));
  const int count = static_cast<int>(text.size()) - at;
  TColAttrList* from = rows_.ColAttrsOrNull(r);
  if (TColAttrList* to = rows_.ColAttrsOrNull(d)) {
    to->DeactivateAll();
    to->InsertInactive(0, count);
    if (from)
      for (int i = 0; i < count && at + i < from->Count(); ++i) to->Items(i) = from->Items(at + i);
  }
  if (from) from->Delete(at, count);
  blocks_.BytesCarriedDown(r, at, count);
  SetRow(d, Joined(std::string_view(text).substr(at), rows_.Text(d)), false);
  SetRow(r, text.substr(0, at), false);
}

// Column attributes of the first `count` bytes of row r + 1 follow them to
// the end of row r.
void TCustomAFEdit::MoveColAttrsUp(int r, int count) {
  TColAttrList* from = rows_.ColAttrsOrNull(r + 1);
  TColAttrList* to = rows_.ColAttrsOrNull(r);
  if (to) {
    const int len = static_cast<int>(rows_.Text(r).size());
    to->DeactivateAll();
    for (int i = 0; i < count; ++i) to->Items(len + i) = from && i < from->Count() ? from->Items(i) : TColAttr{};
  }
  if (from) from->Delete(0, count);
}
