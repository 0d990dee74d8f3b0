#include "editor/undobuff.h"

#include <algorithm>

#include "editor/switches.h"

void TUndoBuff::Add(TUndoBuffItem item) {
  if (EditSwitches::UndoSuspended) return;
  // A run of inserted rows counts as one record per row against the limit.
  const int weight = item.Kind == TUndoKind::RowsInserted ? std::max(1, item.Count) : 1;
  const int runBefore = item.Group == LastGroup ? GroupRun : -1;
  GroupRun = runBefore + weight;
  CanUndo = true;
  if (Limit >= 0) {
    if (GroupRun >= SlotCount()) {
      // This group does not fit: nothing before it can be undone either.
      CanUndo = false;
      if (runBefore < SlotCount()) ClearAll();
      LastGroup = item.Group;
      return;
    }
    slots_.resize(Limit);
    if (Limit == 0) {
      CanUndo = false;
      return;
    }
    if (Pos >= SlotCount() - 1) DropOldestGroup();
  } else if (Pos >= SlotCount() - 1) {
    slots_.emplace_back();
  }
  // The saved state lay among the redo records that this change abandons.
  if (SavedPos > Pos) SavedPos = kNeverSaved;
  LastGroup = item.Group;
  slots_[Pos] = std::move(item);
  ++Pos;
  Top = Pos;
}

bool TUndoBuff::Edited() const {
  if (SavedPos == kNeverSaved) return true;
  const int from = std::min(Pos, SavedPos), to = std::max(Pos, SavedPos);
  for (int i = from; i < to; ++i) {
    const TUndoKind kind = slots_[i].Kind;
    if (kind != TUndoKind::WidthChange && kind != TUndoKind::Relayout) return true;
  }
  return false;
}

void TUndoBuff::DropOldestGroup() {
  const int oldest = slots_.front().Group;
  while (Pos > 0 && slots_.front().Group == oldest) {
    slots_.pop_front();
    slots_.emplace_back();
    --Pos;
    --Top;
    // Keep Edited true for a save point that was dropped with the group.
    if (SavedPos != kNeverSaved) SavedPos = SavedPos > 0 ? SavedPos - 1 : kNeverSaved;
  }
}

void TUndoBuff::InsertAtPos(TUndoBuffItem item, bool applied) {
  if (Limit >= 0 && Top >= Limit - 1) {
    DropRedo();
    while (Pos > 0 && Top >= Limit - 1) DropOldestGroup();
    if (Top >= Limit - 1 || (!applied && Top == Pos)) return;
  }
  slots_.insert(slots_.begin() + Pos, std::move(item));
  if (Limit >= 0) slots_.resize(Limit);  // the slot given up was empty
  if (SavedPos != kNeverSaved && SavedPos > Pos) ++SavedPos;
  ++Top;
  if (applied) ++Pos;
}

// A buffer of N slots holds at most N - 1 records (Add keeps one free).
void TUndoBuff::SetLimit(int limit) {
  Limit = limit;
  if (limit < 0) return;
  if (limit == 0) {
    ClearKeepingEdited();
  } else {
    if (Top > limit - 1) DropRedo();
    while (Pos > limit - 1) DropOldestGroup();
  }
  slots_.resize(limit);
  CanUndo = CanUndo && Pos > 0;
}

void TUndoBuff::ClearAll() {
  for (TUndoBuffItem& slot : slots_) slot = TUndoBuffItem{};
  Pos = SavedPos = Top = 0;
  CanUndo = false;
}

void TUndoBuff::DropRedo() {
  if (SavedPos > Pos) SavedPos = kNeverSaved;
  Top = Pos;
}

void TUndoBuff::ClearKeepingEdited() {
  const bool edited = Edited();
  ClearAll();
  if (edited) SavedPos = kNeverSaved;
}
