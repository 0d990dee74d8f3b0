// Soft wrapping: where a row is cut (Japanese line-break rules, hanging,
// pulling back, English words) and the re-wrapping of rows after a change.
#include <algorithm>
#include <cstring>

#include "editor/afedit.h"
#include "editor/switches.h"
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
  std::vector<TByteKind> kinds;
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

// ---- Re-wrapping

void TCustomAFEdit::ReflowRow(int row) { ReflowFrom(row); }

int TCustomAFEdit::ReflowFrom(int row) {
  TReflowNext next{row, false};
  while (!next.Done && next.Row < RowCount()) next = ReflowStep(next.Row);
  return next.Row;
}

TCustomAFEdit::TReflowNext TCustomAFEdit::ReflowStep(int r) {
  const int w = WrapWidth();
  const std::string_view text = rows_.Text(r);
  const int indent = rows_.Attr(r).Indent;
  const bool isLast = r == RowCount() - 1;
  std::size_t consumed = 0;
  const std::string s = DisplayPrefix(indent, text, w + WrapMargin() + 1, consumed);
  const bool complete = consumed == text.size();
  const std::size_t firstCR = text.find('\r');

  // The row ends its logical line and fits.
  if (complete && firstCR != std::string::npos && firstCR == text.size() - 1 &&
      FindWrapPos(s, w, indent + 2) >= static_cast<int>(s.size())) {
    if (isLast) AddRow(std::string(), rows_.Attr(r));
    return Stop(r + 1);
  }
  if (text.empty()) {
    if (isLast) return Stop(r + 1);  // an empty last row is complete as it is
    DeleteRow(r);
    sel_.RowSelShrink(r);
    MarkRowsToEndRedraw(r);
    return Stop(r);
  }
  if (firstCR != std::string::npos || !complete) return CutRow(r);
  return FitWithNext(r, s);
}

// The row has a line end inside it, or is too long for the width: cut it
// into as many rows as needed. The pieces become new rows; what remains
// goes where the rest of a cut row goes (a new row, or the front of the
// continuation row), and re-wrapping continues there.
TCustomAFEdit::TReflowNext TCustomAFEdit::CutRow(int r) {
  const std::string text(rows_.Text(r));
  const bool ownLine = r == RowCount() - 1 || rows_.HasCR(r);
  std::vector<int> cutCols;
  const std::vector<int> cuts = FindCuts(text, rows_.Attr(r).Indent, cutCols);
  if (cuts.empty()) return Continue(r + 1);
  return Continue(ApplyCuts(r, text, cuts, cutCols, ownLine));
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
  for (;;) {
    const std::string_view rest = text.substr(offset);
    while (nextCR != std::string_view::npos && nextCR < offset) nextCR = text.find('\r', nextCR + 1);
    const std::size_t cr = nextCR == std::string_view::npos ? std::string_view::npos : nextCR - offset;
    // Nothing past the line end is looked at: unwrapped, the limit is tens of
    // thousands of columns, and a text of many short lines would be expanded
    // that far for each of them.
    const std::string_view line = cr == std::string_view::npos ? rest : rest.substr(0, cr + 1);
    std::size_t consumed = 0;
    std::string s = DisplayPrefix(indent, line, w + WrapMargin() + 1, consumed);
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

// A soft-wrapped (or last) row that is no wider than the wrap width plus
// its margin: take text up from the next row, or give some to it.
TCustomAFEdit::TReflowNext TCustomAFEdit::FitWithNext(int r, const std::string& s) {
  const int w = WrapWidth();
  const int indent = rows_.Attr(r).Indent;
  const int len = static_cast<int>(s.size());
  if (r == RowCount() - 1) {
    // With nothing below, a row that fits is complete.
    if (len < w) return Stop(r + 1);
    AddRow(std::string(), rows_.Attr(r));
  }
  const int d = r + 1;
  std::size_t consumed = 0;
  const std::string t = s + DisplayPrefix(0, rows_.Text(d), w + WrapMargin() + 1 - len, consumed);
  if (CaretPos.Y == d) CaretPos = TPoint{CaretPos.X - rows_.Attr(d).Indent + len, r};
  if (consumed == rows_.Text(d).size() && static_cast<int>(t.size()) < w) {
    JoinNext(r);
    return r < RowCount() - 1 ? Continue(r) : Stop(r + 1);
  }
  const int k = FindWrapPos(t, w, indent + 1);
  if (CaretPos.Y == r && CaretPos.X >= k)
    CaretPos = TPoint{CaretPos.X + rows_.Attr(d).Indent - k, d};
  const std::string_view text = rows_.Text(r);
  int g = k <= len ? IndexOfColumn(indent, text, k)
                   : static_cast<int>(text.size()) + IndexOfColumn(0, rows_.Text(d), k - len);
  g = std::max<int>(g, static_cast<int>(sjis::CharLen(text, 0)));
  if (g > static_cast<int>(text.size())) {
    PullHeadUp(r, g - static_cast<int>(text.size()));
  } else if (g < static_cast<int>(text.size())) {
    PushTailDown(r, g);
  }
  rows_.Attr(r).Redraw = rows_.Attr(d).Redraw = true;
  RaiseMaxRowLen(d);
  return Continue(d);
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

// ---- The whole document

// Re-wraps every row without recording the row changes. Older undo records
// hold row indices, so the layouts before and after are recorded instead.
// While an undo or redo replays, the recorded layouts are restored instead
// of re-wrapping.
void TCustomAFEdit::ReformatAll() {
  if (EditSwitches::UndoReplaying) {
    Paint();
    return;
  }
  const long long caretOffset = CaretByteOffset();
  const int caretDistance = CaretPos.Y - TopRow;
  const bool callerSuspended = EditSwitches::UndoSuspended;
  const bool undoable = undo_.LastRecord() != nullptr;
  TLayout before;
  if (undoable && !callerSuspended) before = CaptureLayout();
  EditSwitches::UndoSuspended = true;
  const bool wasUpdating = updating_;
  updating_ = true;
  const long long changesBefore = rowChangeCount_;
  for (int r = 0; r < RowCount();) r = ReflowFrom(r);
  updating_ = wasUpdating;
  PlaceCaretAtByteOffset(caretOffset);
  TopRow = std::max(0, CaretPos.Y - caretDistance);
  EditSwitches::UndoSuspended = callerSuspended;
  if (rowChangeCount_ != changesBefore) {
    if (undoable && !callerSuspended) {
      RecordRelayout(std::move(before));
    } else if (undoable) {
      undo_.ClearKeepingEdited();
    } else {
      undo_.DropRedo();
    }
  }
  Paint();
}
