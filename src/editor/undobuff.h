// The undo history: records of row changes numbered by user operation
// (group), with the position at which the text was last saved.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/attrlists.h"
#include "editor/types.h"

enum class TUndoKind : std::uint8_t {
  WidthChange = 0,
  RowInserted = 1,
  RowDeleted = 2,
  RowReplaced = 3,
  // A re-wrap of the whole document that recorded no row changes: the row
  // lengths and records before and after, so that older records, which hold
  // row indices, still find their rows.
  Relayout = 4,
  // Rows moved as wholes (line sorting): Order holds, for each row from
  // Index on, the row it came from.
  RowsMoved = 5,
  // Rows inserted one after another by one cut of a row (Count rows from
  // Index): one record, not one per row. For redo their texts and records
  // are kept in TextAfter and LayoutAfter when the record is undone.
  RowsInserted = 6,
};

// Row breaks and records of the whole document at one moment, compact:
// row lengths as variable-length numbers, records as runs of equal ones.
struct TLayout {
  std::vector<std::uint8_t> RowLengths;
  std::vector<std::pair<int, TLineAttr>> AttrRuns;  // (row count, record)
  int Rows = 0;
  TPoint Caret;
};

struct TUndoBuffItem {
  int Group = 0;
  int Index = 0;
  int Delta = 0;
  int Count = 0;  // RowsInserted: how many rows
  TPoint Caret;
  TUndoKind Kind = TUndoKind::RowReplaced;
  std::string TextBefore;
  std::string TextAfter;  // row records: taken from the row when the record is undone
  TLineAttr AttrBefore;
  TLineAttr AttrAfter;
  std::shared_ptr<const TLayout> LayoutBefore;
  std::shared_ptr<const TLayout> LayoutAfter;
  std::shared_ptr<const std::vector<int>> Order;
};

class TUndoBuff {
 public:
  TUndoBuff() : slots_(kInitialSlots) {}

  // Records one change. Does nothing while UndoSuspended is set.
  void Add(TUndoBuffItem item);
  const TUndoBuffItem* LastRecord() const { return Pos > 0 ? &slots_[Pos - 1] : nullptr; }
  const TUndoBuffItem* NextRecord() const { return Pos < Top ? &slots_[Pos] : nullptr; }
  TUndoBuffItem* LastRecord() { return Pos > 0 ? &slots_[Pos - 1] : nullptr; }
  TUndoBuffItem* NextRecord() { return Pos < Top ? &slots_[Pos] : nullptr; }
  void StepBack() { --Pos; }
  void StepForward() { ++Pos; }
  void ClearAll();

  // True when a record that changed the text lies between the saved
  // position and the current one; width and layout records change no text.
  bool Edited() const;
  void SetEdited(bool edited) { SavedPos = edited ? kNeverSaved : Pos; }
  void MarkSaved() { SavedPos = Pos; }
  bool HasRecords() const { return Pos > 0 || Top > Pos; }
  // Abandons the redo records; Edited stays true if the saved state was among them.
  void DropRedo();
  // Forgets everything; an unsaved change stays unsaved.
  void ClearKeepingEdited();
  int SlotCount() const { return static_cast<int>(slots_.size()); }
  // Puts a record in at the current position, keeping the redo records:
  // applied, it is the newest to undo; otherwise the next to redo. A full
  // limited buffer first gives up its redo records, then its oldest groups.
  void InsertAtPos(TUndoBuffItem item, bool applied);
  // A lower limit than the history holds drops the redo records and then
  // the oldest groups until the rest fits; -1 is no limit.
  void SetLimit(int limit);

  int LastGroup = 0;
  int GroupRun = 0;
  bool CanUndo = false;
  int Pos = 0;
  int SavedPos = 0;
  int Top = 0;
  int Limit = -1;

 private:
  static constexpr int kInitialSlots = 100;
  // A saved state that no sequence of undo and redo can reach again.
  static constexpr int kNeverSaved = -1;
  void DropOldestGroup();

  std::deque<TUndoBuffItem> slots_;
};
