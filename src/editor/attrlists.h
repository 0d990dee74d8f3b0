// Attribute records kept beside the text: one record per row, optional
// per-byte colours of a row, and colour blocks spanning rows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "editor/types.h"

// Per-row record. The row's column attributes are owned by the row itself
// (see TRowList), so records copy freely.
struct TLineAttr {
  TColor Color = 0;
  TColor BkColor = 0;
  std::int16_t Indent = 0;
  std::int16_t Tag1 = 0;
  std::int16_t Tag2 = 0;
  std::int16_t WrapPos = 0;
  TFontStyles Style = 0;
  bool Redraw = false;
  friend bool operator==(const TLineAttr&, const TLineAttr&) = default;
};

struct TColAttr {
  TColor Color = 0;
  TFontStyles Style = 0;
  bool Active = false;
  friend bool operator==(const TColAttr&, const TColAttr&) = default;
};

// Attributes of the bytes of one row, indexed by byte index. Items(I) grows
// the list with inactive entries, so any index is safe to ask for.
class TColAttrList {
 public:
  explicit TColAttrList(int count = 0) : items_(count > 0 ? count : 0) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TColAttr& Items(int i);
  bool IsActive(int i) const { return i >= 0 && i < Count() && items_[i].Active; }

  void InsertInactive(int at, int count);
  void Delete(int at, int count);  // no more than the list holds
  void DeactivateAll();
  // Moves the first `count` entries of `from` to the end of this list, at
  // positions textLength.. (the bytes were appended to this row's text).
  void AppendFrom(TColAttrList& from, int count, int textLength);
  // Moves the last `count` entries of this list (the bytes from `at` on) to
  // the front of `to`.
  void MoveTailTo(int at, TColAttrList& to);
  void Clear() { items_.clear(); }

 private:
  std::vector<TColAttr> items_;
};

struct TBlkAttr {
  TPoint StartPos;  // X = byte index, Y = row
  TPoint EndPos;    // just after the block
  TColor Color = 0;
  TFontStyles Style = 0;
  bool Contains(TPoint p) const;
};

// Colour blocks over the text. The control never adds any; it keeps their
// positions in step with row insertions, deletions, edits and wrapping.
class TBlkAttrList {
 public:
  // Called with (first row, last row) of a block that Delete removes.
  std::function<void(int, int)> OnDelete;

  int Count() const { return static_cast<int>(items_.size()); }
  TBlkAttr& Items(int i);
  void Add(const TBlkAttr& b) { items_.push_back(b); }
  void Delete(int i);
  void Clear() { items_.clear(); }
  const TBlkAttr* Lookup(TPoint p) const;

  // Nearest block boundary on `row` strictly after byte `after`, or -1.
  int NextBoundary(int row, int after) const;

  void RowInserted(int index);
  void RowDeleted(int index);
  void RowReplaced(int index);  // blocks starting or ending on it go
  void BytesInserted(int row, int at, int count);
  void BytesDeleted(int row, int at, int count);
  // Wrapping: the bytes of `row` from `at` on went to the front of row + 1.
  void BytesCarriedDown(int row, int at, int count);
  // Wrapping: the first `count` bytes of row + 1 went to the end of `row`,
  // which held `rowLength` bytes; `wholeRow` when row + 1 is then deleted.
  void BytesPulledUp(int row, int count, int rowLength, bool wholeRow);

 private:
  std::vector<TBlkAttr> items_;
};
