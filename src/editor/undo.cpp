// Replaying the undo history, width-change records, and the layout records
// that keep older records valid across a re-wrap of the whole document.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/switches.h"

namespace {

// The bounded wait for the document window to take a recorded width.
constexpr int kWidthPollMs = 50;
constexpr int kWidthPollLimit = 20;

void PutLength(std::vector<std::uint8_t>& out, std::size_t n) {
  while (n >= 0x80) {
    out.push_back(static_cast<std::uint8_t>(n | 0x80));
    n >>= 7;
  }
  out.push_back(static_cast<std::uint8_t>(n));
}

std::size_t GetLength(const std::vector<std::uint8_t>& in, std::size_t& at) {
  std::size_t n = 0;
  for (int shift = 0; at < in.size(); shift += 7) {
    const std::uint8_t b = in[at++];
    n |= static_cast<std::size_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) break;
  }
  return n;
}

bool SameRecord(TLineAttr a, TLineAttr b) {
  a.Redraw = b.Redraw = false;
  return a == b;
}

// The rows of a layout in order: each one's length and record.
class TLayoutReader {
 public:
  explicit TLayoutReader(const TLayout& layout) : layout_(layout), run_(layout.AttrRuns.begin()) {
    if (run_ != layout_.AttrRuns.end()) runLeft_ = run_->first;
  }
  std::size_t NextLength() { return GetLength(layout_.RowLengths, at_); }
  // `fallback` when the runs are used up.
  TLineAttr NextAttr(const TLineAttr& fallback) {
    while (run_ != layout_.AttrRuns.end() && runLeft_ == 0)
      if (++run_ != layout_.AttrRuns.end()) runLeft_ = run_->first;
    --runLeft_;
    return run_ != layout_.AttrRuns.end() ? run_->second : fallback;
  }

 private:
  const TLayout& layout_;
  std::size_t at_ = 0;
  std::vector<std::pair<int, TLineAttr>>::const_iterator run_;
  int runLeft_ = 0;
};

}  // namespace

// ---- Undo and redo

TUndoBuffItem TCustomAFEdit::Record(TUndoKind kind, int index, std::string_view textBefore,
                                    std::string_view textAfter, const TLineAttr& attrBefore,
                                    const TLineAttr& attrAfter) const {
  TUndoBuffItem rec;
  rec.Group = UndoGroup;
  rec.Index = index;
  rec.Caret = CaretPos;
  rec.Kind = kind;
  rec.TextBefore = textBefore;
  rec.TextAfter = textAfter;
  rec.AttrBefore = attrBefore;
  rec.AttrAfter = attrAfter;
  return rec;
}

// Replays the records of the newest group (undo) or of the next one
// (redo); false when there was none. `relaid` tells whether a layout of
// all rows was among them.
bool TCustomAFEdit::ReplayGroup(bool undo, bool& relaid) {
  relaid = false;
  const TUndoBuffItem* first = undo ? undo_.LastRecord() : undo_.NextRecord();
  if (!first) return false;
  const int group = first->Group;
  for (;;) {
    TUndoBuffItem* rec = undo ? undo_.LastRecord() : undo_.NextRecord();
    if (!rec || rec->Group != group) break;
    undo ? undo_.StepBack() : undo_.StepForward();
    relaid = relaid || rec->Kind == TUndoKind::Relayout;
    if (rec->Kind == TUndoKind::WidthChange) {
      const TUndoBuffItem copy = *rec;  // the replay lets the window run
      ReplayRecord(copy, undo);
    } else {
      if (undo) TakeRedoText(*rec);
      ReplayRecord(*rec, undo);
    }
  }
  return true;
}

// Records replay on the rows as they were when recorded, so a replay that
// went past a re-wrap of all rows leaves them wrapped for the settings of
// that time. They are wrapped again for the settings in force, as loading
// would wrap the text; the layouts before and after go into the history on
// both sides of the current position, where the records of either side
// then find the rows they were made on.
void TCustomAFEdit::RewrapAfterReplay() {
  const long long caretOffset = CaretByteOffset();
  auto replayed = std::make_shared<TLayout>(CaptureLayout());
  if (!RewrapAllRows(true)) return;
  PlaceCaretAtByteOffset(caretOffset);
  auto rewrapped = std::make_shared<TLayout>(CaptureLayout());
  auto relayout = [&](int group, std::shared_ptr<const TLayout> before, std::shared_ptr<const TLayout> after) {
    TUndoBuffItem rec = Record(TUndoKind::Relayout, 0, {}, {}, {}, {});
    rec.Group = group;
    rec.Caret = before->Caret;
    rec.LayoutBefore = std::move(before);
    rec.LayoutAfter = std::move(after);
    return rec;
  };
  if (const TUndoBuffItem* last = undo_.LastRecord())
    undo_.InsertAtPos(relayout(last->Group, replayed, rewrapped), true);
  if (const TUndoBuffItem* next = undo_.NextRecord())
    undo_.InsertAtPos(relayout(next->Group, rewrapped, replayed), false);
}

void TCustomAFEdit::Undo() {
  EditSwitches::UndoReplaying = true;
  bool relaid = false;
  const bool replayed = ReplayGroup(true, relaid);
  if (relaid) RewrapAfterReplay();
  if (replayed && OnUndoChange) OnUndoChange(undo_.LastRecord() != nullptr, true);
  if (CaretPos.Y < TopRow) {
    TopRow = std::max(CaretPos.Y - 1, 0);
  } else if (TopRow + VisibleRows() < CaretPos.Y + 2) {
    TopRow = CaretPos.Y - VisibleRows() + 2;
  }
  UpdateScrollBars();
  Paint();
  EditSwitches::UndoReplaying = false;
}

void TCustomAFEdit::Redo() {
  EditSwitches::UndoReplaying = true;
  bool relaid = false;
  const bool replayed = ReplayGroup(false, relaid);
  if (relaid) RewrapAfterReplay();
  UpdateScrollBars();
  Paint();
  if (OnUndoChange) {
    // With nothing redone the flags still describe the buffer as it is.
    OnUndoChange(replayed || undo_.LastRecord() != nullptr, undo_.NextRecord() != nullptr);
  }
  EditSwitches::UndoReplaying = false;
}

void TCustomAFEdit::ReplayRecord(const TUndoBuffItem& rec, bool undo) {
  const bool insert = (rec.Kind == TUndoKind::RowInserted) != undo;
  switch (rec.Kind) {
    case TUndoKind::WidthChange:
      ReplayWidth(rec.Delta, undo);
      break;
    case TUndoKind::RowInserted:
    case TUndoKind::RowDeleted:
      if (insert) {
        ReplayInsert(rec.Index, undo ? rec.TextBefore : rec.TextAfter, undo ? rec.AttrBefore : rec.AttrAfter);
      } else {
        ReplayDelete(rec.Index);
      }
      break;
    case TUndoKind::RowsInserted:
      if (undo) {
        for (int i = rec.Index + rec.Count - 1; i >= rec.Index; --i) ReplayDelete(i);
      } else if (rec.LayoutAfter) {
        TLayoutReader rows(*rec.LayoutAfter);
        std::size_t at = 0;
        for (int i = 0; i < rec.Count; ++i) {
          const std::size_t length = rows.NextLength();
          ReplayInsert(rec.Index + i, rec.TextAfter.substr(at, length), rows.NextAttr(rec.AttrAfter));
          at += length;
        }
      }
      break;
    case TUndoKind::RowReplaced:
      rows_.SetText(rec.Index, undo ? rec.TextBefore : rec.TextAfter);
      rows_.ClearColAttrs(rec.Index);
      rows_.Attr(rec.Index) = undo ? rec.AttrBefore : rec.AttrAfter;
      rows_.Attr(rec.Index).Redraw = true;
      blocks_.RowReplaced(rec.Index);
      RaiseMaxRowLen(rec.Index);
      break;
    case TUndoKind::RowsMoved:
      rows_.Permute(rec.Index, *rec.Order, undo);
      MarkRowsRedraw(rec.Index, rec.Index + static_cast<int>(rec.Order->size()) - 1);
      break;
    case TUndoKind::Relayout: {
      const TLayout& layout = undo ? *rec.LayoutBefore : *rec.LayoutAfter;
      RestoreLayout(layout);
      CaretPos = layout.Caret;
      return;
    }
  }
  CaretPos = rec.Caret;
}

void TCustomAFEdit::ReplayInsert(int index, std::string text, const TLineAttr& attr) {
  if (OnLineInsert) OnLineInsert(index, text);
  rows_.Insert(index, std::move(text), attr);
  rows_.Attr(index).Redraw = true;
  blocks_.RowInserted(index);
  RaiseMaxRowLen(index);
}

void TCustomAFEdit::ReplayDelete(int index) {
  if (OnLineDelete) OnLineDelete(index);
  rows_.Delete(index);
  blocks_.RowDeleted(index);
}

// A record keeps what undo needs. What redo puts back is the text as undo
// finds it: the records made after this one have been undone by then, so
// the rows stand as this change left them. Taking it only now spares every
// change a second copy of its text (for a long paste, one of 100 MB).
void TCustomAFEdit::TakeRedoText(TUndoBuffItem& rec) const {
  if (rec.Kind == TUndoKind::RowReplaced || rec.Kind == TUndoKind::RowInserted) {
    rec.TextAfter = rows_.Text(rec.Index);
    return;
  }
  if (rec.Kind != TUndoKind::RowsInserted) return;
  std::size_t bytes = 0;
  for (int i = 0; i < rec.Count; ++i) bytes += rows_.Text(rec.Index + i).size();
  rec.TextAfter.clear();
  rec.TextAfter.reserve(bytes);
  for (int i = 0; i < rec.Count; ++i) rec.TextAfter.append(rows_.Text(rec.Index + i));
  rec.LayoutAfter = std::make_shared<TLayout>(CaptureRows(rec.Index, rec.Count));
}

// The document window is resized back (undo) or forward (redo); its resize
// handler re-wraps the rows. The wait ends even when the width is refused.
void TCustomAFEdit::ReplayWidth(int delta, bool undo) {
  if (delta == 0 || !host_.HasParent()) return;
  const int target = ClientWidth() + (undo ? -delta : delta);
  host_.ResizeParentForWidth(target);
  for (int i = 0; i < kWidthPollLimit && ClientWidth() != target; ++i) host_.Wait(kWidthPollMs);
  EditSwitches::UndoSuspended = false;
}

void TCustomAFEdit::RecordWidthChange(int delta) {
  if (EditSwitches::WidthRecordingOff || EditSwitches::UndoReplaying) return;
  ++UndoGroup;
  {
    TUndoBuffItem rec = Record(TUndoKind::WidthChange, 0, rows_.Text(0), rows_.Text(0), rows_.Attr(0), rows_.Attr(0));
    rec.Delta = delta;
    undo_.Add(std::move(rec));
  }
}

void TCustomAFEdit::SetUndoMax(int limit) {
  const int records = undo_.Top;
  undo_.SetLimit(limit);
  if (undo_.Top != records && OnUndoChange)
    OnUndoChange(undo_.LastRecord() != nullptr, undo_.NextRecord() != nullptr);
}

void TCustomAFEdit::NotifyUndoChange() {
  if (EditSwitches::WidthRecordingOff || EditSwitches::UndoReplaying) return;
  if (OnUndoChange) OnUndoChange(undo_.CanUndo, false);
}

// ---- Layout records

TLayout TCustomAFEdit::CaptureLayout() const {
  TLayout layout = CaptureRows(0, RowCount());
  layout.Caret = CaretPos;
  return layout;
}

TLayout TCustomAFEdit::CaptureRows(int first, int count) const {
  TLayout layout;
  layout.Rows = count;
  layout.RowLengths.reserve(count);
  for (int r = first; r < first + count; ++r) {
    PutLength(layout.RowLengths, rows_.Text(r).size());
    const TLineAttr& a = rows_.Attr(r);
    if (!layout.AttrRuns.empty() && SameRecord(layout.AttrRuns.back().second, a)) {
      ++layout.AttrRuns.back().first;
    } else {
      layout.AttrRuns.emplace_back(1, a);
    }
  }
  layout.RowLengths.shrink_to_fit();
  return layout;
}

// Cuts the current text into the rows of `layout`; the text is the same as
// when the layout was captured, since the records after it were replayed.
void TCustomAFEdit::RestoreLayout(const TLayout& layout) {
  const std::vector<long long> oldOffsets = RowOffsets();
  TRowList restored;
  std::vector<long long> newOffsets(1, 0);
  int src = 0;
  std::size_t srcAt = 0;
  TLayoutReader rows(layout);
  std::string text;
  for (int r = 0; r < layout.Rows; ++r) {
    std::size_t need = rows.NextLength();
    text.clear();
    while (need > 0 && src < RowCount()) {
      const std::string_view from = rows_.Text(src);
      const std::size_t take = std::min(need, from.size() - srcAt);
      text.append(from, srcAt, take);
      need -= take;
      srcAt += take;
      if (srcAt == from.size()) ++src, srcAt = 0;
    }
    TLineAttr attr = rows.NextAttr(MakeAttr(true, 0, defWrapPos_));
    attr.Redraw = true;
    newOffsets.push_back(newOffsets.back() + static_cast<long long>(text.size()));
    restored.AppendPacked(text, attr);
  }
  rows_ = std::move(restored);
  KeepPlacesInText(oldOffsets, newOffsets);
  for (int r = 0; r < RowCount(); ++r) RaiseMaxRowLen(r);
}

// The re-wrap joins the group of the newest record: it is undone with the
// change before it, never as a step of its own that changes no text.
void TCustomAFEdit::RecordRelayout(TLayout before) {
  auto after = std::make_shared<TLayout>(CaptureLayout());
  TUndoBuffItem rec = Record(TUndoKind::Relayout, 0, {}, {}, {}, {});
  rec.Group = undo_.LastRecord()->Group;
  rec.Caret = before.Caret;
  rec.LayoutBefore = std::make_shared<TLayout>(std::move(before));
  rec.LayoutAfter = std::move(after);
  undo_.Add(std::move(rec));
}

// ---- Caret as a byte offset into the text

long long TCustomAFEdit::CaretByteOffset() const {
  long long offset = 0;
  const int caretRow = std::min(CaretPos.Y, RowCount());
  for (int r = 0; r < caretRow; ++r) offset += rows_.Text(r).size();
  if (CaretPos.Y < RowCount()) {
    const int len = static_cast<int>(rows_.Text(CaretPos.Y).size());
    offset += std::clamp(ColToIndex(CaretPos.Y, CaretPos.X), 0, len);
  }
  return offset;
}

// A position just after a CR belongs to the start of the next row; one at
// the end of a soft-wrapped row stays at that end.
void TCustomAFEdit::PlaceCaretAtByteOffset(long long offset) {
  long long before = 0;
  for (int r = 0; r < RowCount(); ++r) {
    const long long len = rows_.Text(r).size();
    const bool isLast = r == RowCount() - 1;
    if (offset < before + len || (offset == before + len && (!rows_.HasCR(r) || isLast))) {
      CaretPos = IndexToCol(TPoint{static_cast<int>(offset - before), r});
      return;
    }
    before += len;
  }
  CaretPos = IndexToCol(TPoint{static_cast<int>(rows_.Text(RowCount() - 1).size()), RowCount() - 1});
}
