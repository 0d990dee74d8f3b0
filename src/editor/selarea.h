// The two selections of the control: a stream selection between two display
// positions and a selection of whole rows.
#pragma once

#include <functional>

#include "editor/types.h"

class TSelArea {
 public:
  bool Selected = false;
  TPoint EndPos;
  int RowSelTo = -1;
  TPoint AnchorPos;
  int RowSelFrom = -1;
  int MaxIndent = -1;
  int MinWrapPos = 100000;

  TPoint SelStart() const { return PosBefore(EndPos, AnchorPos) ? EndPos : AnchorPos; }
  TPoint SelEnd() const { return PosBefore(EndPos, AnchorPos) ? AnchorPos : EndPos; }
  bool HasSel() const { return !(AnchorPos == EndPos); }
  bool HasRowSel() const { return RowSelFrom >= 0; }
  int RowSelTop() const { return RowSelFrom < RowSelTo ? RowSelFrom : RowSelTo; }
  int RowSelBottom() const { return RowSelFrom < RowSelTo ? RowSelTo : RowSelFrom; }
  bool RowInSel(int row) const { return HasRowSel() && row >= RowSelTop() && row <= RowSelBottom(); }
  bool PosInSel(int x, int y) const;

  void CollapseSel() { AnchorPos = EndPos; }
  void ClearRowSel() { RowSelFrom = RowSelTo = -1; }
  void RowSelGrow(int row);
  void RowSelShrink(int row);
  // rowIndent/rowWrapPos read a row's Indent and WrapPos.
  void UpdateRowSelBounds(const std::function<int(int)>& rowIndent,
                          const std::function<int(int)>& rowWrapPos);

  enum { kSelUnchanged = 0, kSelBecameSelected = 1, kSelBecameEmpty = 2 };
  int CheckSelState();
};
