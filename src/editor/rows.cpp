// Row access, positions and the row operations through which every change
// of the text passes (each one records undo information and fires events).
#include <algorithm>

#include "editor/afedit.h"
#include "editor/switches.h"

// ---- Text out of the rows

std::string TCustomAFEdit::GetTextRange(TPoint from, TPoint to, bool layout) const {
  if (to == TPoint{0, 0} || RowCount() == 0) return std::string();
  to.Y = std::clamp(to.Y, 0, RowCount() - 1);
  from.Y = std::clamp(from.Y, 0, to.Y);
  if (to.X < 0) to.X = static_cast<int>(rows_.Text(to.Y).size());
  if (to.X == 0 && to.Y > 0) {
    --to.Y;
    to.X = static_cast<int>(rows_.Text(to.Y).size());
  }
  to.X = std::min<int>(to.X, static_cast<int>(rows_.Text(to.Y).size()));
  from.X = std::max(0, from.X);

  // Room for the rows with CR LF line ends at once: growing by doubling
  // copied a large selection several times over.
  std::string out;
  out.reserve(RowBytes(from.Y, to.Y) + (to.Y - from.Y + 1) + 2);
  for (int y = from.Y; y <= to.Y; ++y) {
    std::string_view text = rows_.Text(y);
    if (EndsWithCR(text)) text.remove_suffix(1);
    if (layout) {
      const int first = y == from.Y ? IndexToCol(from).X : 0;
      const int last = y == to.Y ? IndexToCol(to).X : 1 << 30;
      std::string shown = std::string(std::max<int>(0, rows_.Attr(y).Indent), ' ') +
                          ExpandTabs(text, true);
      shown = shown.substr(0, std::min<std::size_t>(shown.size(), last));
      if (y > from.Y) out += "\r\n";
      out += std::string(first, ' ') + (first < static_cast<int>(shown.size()) ? shown.substr(first) : "");
      continue;
    }
    const int begin = y == from.Y ? std::min<int>(from.X, text.size()) : 0;
    const int end = y == to.Y ? std::min<int>(to.X, text.size()) : static_cast<int>(text.size());
    if (y > from.Y && rows_.HasCR(y - 1)) out += "\r\n";
    if (end > begin) out.append(text.substr(begin, end - begin));
  }
  out += "\r\n";
  const bool endsAfterCR = to.X > 0 && rows_.Text(to.Y)[to.X - 1] == '\r';
  if (!layout && to.X > 0 && !endsAfterCR) {
    std::size_t n = out.size();
    while (n > 0 && static_cast<unsigned char>(out[n - 1]) <= ' ') --n;
    out.resize(n);
  }
  return out;
}

std::string TCustomAFEdit::SelText() const {
  const TSelArea sel = ClampedSelection();
  if (sel.HasSel()) {
    const TPoint s = sel.SelStart(), e = sel.SelEnd();
    return GetTextRange(TPoint{ColToIndex(s.Y, s.X), s.Y}, TPoint{ColToIndex(e.Y, e.X), e.Y}, false);
  }
  if (sel.HasRowSel()) {
    const int bottom = sel.RowSelBottom();
    // The empty last row alone holds no text, and no line end either.
    if (sel.RowSelTop() == bottom && rows_.Text(bottom).empty()) return std::string();
    return GetTextRange(TPoint{0, sel.RowSelTop()},
                        TPoint{static_cast<int>(rows_.Text(bottom).size()), bottom}, false);
  }
  return std::string();
}

std::size_t TCustomAFEdit::SelRowBytes() const {
  const TSelArea sel = ClampedSelection();
  if (sel.HasSel()) return RowBytes(sel.SelStart().Y, sel.SelEnd().Y);
  if (sel.HasRowSel()) return RowBytes(sel.RowSelTop(), sel.RowSelBottom());
  return 0;
}

std::size_t TCustomAFEdit::RowBytes(int first, int last) const {
  std::size_t bytes = 0;
  for (int y = first; y <= last; ++y) bytes += rows_.Text(y).size();
  return bytes;
}

std::string TCustomAFEdit::Text() const {
  std::size_t size = 0;
  for (int r = 0; r < RowCount(); ++r) size += rows_.Text(r).size() + 1;
  std::string out;
  out.reserve(size);
  for (int r = 0; r < RowCount(); ++r) {
    out += rows_.Text(r);
    if (rows_.HasCR(r)) out += '\n';
  }
  return out;
}

// ---- Row operations

void TCustomAFEdit::FireUndoChange() {
  if (!EditSwitches::UndoSuspended && OnUndoChange) OnUndoChange(undo_.CanUndo, false);
}

void TCustomAFEdit::RaiseMaxRowLen(int row) {
  const int len = static_cast<int>(rows_.Text(row).size());
  if (len + 1 > MaxRowLen) MaxRowLen = len + 2;
}

bool TCustomAFEdit::Recording() const { return !EditSwitches::UndoSuspended; }

// The part of adding and inserting a row that both share: the event that
// may change the text, the undo record, and the row itself.
void TCustomAFEdit::StoreNewRow(int index, std::string s, const TLineAttr& attr, bool record) {
  if (OnLineInsert) OnLineInsert(index, s);
  if (record && Recording()) undo_.Add(Record(TUndoKind::RowInserted, index, {}, {}, {}, attr));
  TLineAttr copy = attr;
  copy.Redraw = true;
  rows_.Insert(index, s, copy);
}

// Appends without touching the scroll bars or blocks.
void TCustomAFEdit::AddRow(std::string s, const TLineAttr& attr) {
  StoreNewRow(RowCount(), std::move(s), attr);
  FireUndoChange();
}

void TCustomAFEdit::AppendRow(std::string s) {
  ++UndoGroup;
  if (RowCount() == 0) {
    AddRow(std::move(s), MakeAttr(true, 0, defWrapPos_));
  } else {
    AddRow(std::move(s), rows_.Attr(RowCount() - 1));
  }
  UpdateScrollBars();
}

void TCustomAFEdit::InsertRow(int index, std::string s, const TLineAttr& attr) {
  PutNewRow(index, std::move(s), attr, true);
  FireUndoChange();
}

void TCustomAFEdit::PutNewRow(int index, std::string s, const TLineAttr& attr, bool record) {
  StoreNewRow(index, std::move(s), attr, record);
  RaiseMaxRowLen(index);
  blocks_.RowInserted(index);
  if (!updating_) UpdateScrollBars();
}

void TCustomAFEdit::RecordRowsInserted(int first, int count) {
  if (count <= 0 || !Recording()) return;
  TUndoBuffItem rec = Record(TUndoKind::RowsInserted, first, {}, {}, {}, {});
  rec.Count = count;
  undo_.Add(std::move(rec));
  FireUndoChange();
}

void TCustomAFEdit::DeleteRow(int index) {
  if (OnLineDelete) OnLineDelete(index);
  if (Recording())
    undo_.Add(Record(TUndoKind::RowDeleted, index, rows_.Text(index), {}, rows_.Attr(index), {}));
  rows_.Delete(index);
  blocks_.RowDeleted(index);
  if (index < CaretPos.Y) --CaretPos.Y;
  UpdateScrollBars();
  FireUndoChange();
}

void TCustomAFEdit::RemoveRow(int index) {
  ++UndoGroup;
  DeleteRow(index);
}

void TCustomAFEdit::SetRow(int index, std::string s, bool newGroup) {
  bool canModify = true;
  if (OnBeforeChange) OnBeforeChange(index, s, canModify);
  if (!canModify) return;
  const TLineAttr kept = rows_.Attr(index);
  if (newGroup && Recording()) ++UndoGroup;
  if (Recording()) {
    undo_.Add(Record(TUndoKind::RowReplaced, index, rows_.Text(index), {}, kept, kept));
  }
  rows_.SetText(index, s);
  rows_.Attr(index).Redraw = true;
  if (OnChange) {
    const std::string changedFrom(rows_.Text(index));
    OnChange();
    if (Recording())
      undo_.Add(Record(TUndoKind::RowReplaced, index, changedFrom, {}, kept, rows_.Attr(index)));
  }
  FireUndoChange();
}

void TCustomAFEdit::SetRowAttr(int index, const TLineAttr& attr) {
  if (Recording()) {
    undo_.Add(Record(TUndoKind::RowReplaced, index, rows_.Text(index), {}, rows_.Attr(index), attr));
  }
  rows_.Attr(index) = attr;
  rows_.Attr(index).Redraw = true;
  FireUndoChange();
}

void TCustomAFEdit::InsertRowText(int index, std::string s) {
  ++UndoGroup;
  TLineAttr attr = index < 1 ? MakeAttr(true, 0, defWrapPos_) : rows_.Attr(index - 1);
  attr.Redraw = true;
  InsertRow(index, std::move(s), attr);
  ++CaretPos.Y;
}

void TCustomAFEdit::SortRows(int first, int last, bool recordUndo, const TRowCompare& compare) {
  if (recordUndo) ++UndoGroup;
  if (last >= 0 && last < RowCount() && rows_.Text(last).empty()) --last;
  auto exchange = [&](int i, int j) {
    if (recordUndo) {
      undo_.Add(Record(TUndoKind::RowReplaced, i, rows_.Text(i), {}, rows_.Attr(i), rows_.Attr(j)));
      undo_.Add(Record(TUndoKind::RowReplaced, j, rows_.Text(j), {}, rows_.Attr(j), rows_.Attr(i)));
    }
    rows_.Swap(i, j);
  };
  // Quicksort with the middle element as pivot; the smaller part is sorted
  // by recursion and the larger by the loop, so the depth stays logarithmic.
  std::function<void(int, int)> sort = [&](int l, int r) {
    while (l < r) {
      int i = l, j = r, p = (l + r) / 2;
      do {
        while (compare(*this, i, p) < 0) ++i;
        while (compare(*this, j, p) > 0) --j;
        if (i <= j) {
          if (i != j) exchange(i, j);
          if (p == i) {
            p = j;
          } else if (p == j) {
            p = i;
          }
          ++i;
          --j;
        }
      } while (i <= j);
      if (j - l < r - i) {
        sort(l, j);
        l = i;
      } else {
        sort(i, r);
        r = j;
      }
    }
  };
  if (first >= 0 && last < RowCount()) sort(first, last);
  MarkRowsRedraw(std::max(0, first), last);
  if (OnUndoChange) OnUndoChange(undo_.CanUndo, false);
}

// ---- Rows built anew

std::vector<long long> TCustomAFEdit::RowOffsets() const {
  std::vector<long long> offsets;
  offsets.reserve(RowCount() + 1);
  long long at = 0;
  for (int r = 0; r < RowCount(); ++r) {
    offsets.push_back(at);
    at += static_cast<long long>(rows_.Text(r).size());
  }
  offsets.push_back(at);
  return offsets;
}

// The same text was cut into other rows: blocks and the row selection move
// to the rows their bytes are in now. Each vector holds the offset of every
// row's first byte, then the end of the text.
void TCustomAFEdit::KeepPlacesInText(const std::vector<long long>& oldOffsets,
                                     const std::vector<long long>& newOffsets) {
  const int oldRows = static_cast<int>(oldOffsets.size()) - 1;
  // The new row holding the byte at `offset`.
  auto rowAt = [&](long long offset) {
    const auto it = std::upper_bound(newOffsets.begin(), newOffsets.end() - 1, offset);
    return std::max(0, static_cast<int>(it - newOffsets.begin()) - 1);
  };
  auto remap = [&](TPoint& p) {
    if (p.Y < 0 || p.Y >= oldRows) return;
    const long long offset = oldOffsets[p.Y] + p.X;
    p.Y = rowAt(offset);
    p.X = static_cast<int>(offset - newOffsets[p.Y]);
  };
  for (int i = 0; i < blocks_.Count(); ++i) {
    remap(blocks_.Items(i).StartPos);
    remap(blocks_.Items(i).EndPos);
  }
  if (!sel_.HasRowSel()) return;
  // The top row from its first byte, the bottom row to its last.
  const bool downwards = sel_.RowSelFrom <= sel_.RowSelTo;
  const int top = std::clamp(sel_.RowSelTop(), 0, oldRows - 1);
  const int bottom = std::clamp(sel_.RowSelBottom(), 0, oldRows - 1);
  const int newTop = rowAt(oldOffsets[top]);
  const int newBottom = rowAt(std::max(oldOffsets[bottom], oldOffsets[bottom + 1] - 1));
  sel_.RowSelFrom = downwards ? newTop : newBottom;
  sel_.RowSelTo = downwards ? newBottom : newTop;
  UpdateRowSelBounds();
}

// Only rows on screen can be painted; the others are drawn afresh anyway
// when they come into view, since a scrolled view is painted whole. A
// selection over millions of rows marks no more than a screenful.
void TCustomAFEdit::MarkRowsRedraw(int from, int to) {
  from = std::max({0, from, TopRow});
  to = std::min({to, RowCount() - 1, TopRow + VisibleRows() + 1});
  for (int r = from; r <= to; ++r) rows_.Attr(r).Redraw = true;
}

void TCustomAFEdit::MarkRowsToEndRedraw(int from) { MarkRowsRedraw(from, RowCount() - 1); }
