#include "app/editcommands.h"

#include "editor/afedit.h"

void SelectCaretRow(TCustomAFEdit& edit) {
  const int r = edit.CaretPos.Y;
  if (r < 0) return;
  edit.BeginUpdate();
  TSelArea& sel = edit.Sel();
  sel.CollapseSel();
  sel.ClearRowSel();
  sel.RowSelFrom = r;
  sel.RowSelTo = r;
  edit.UpdateRowSelBounds();
  edit.EndUpdate();
  // What the Shift press and release around the selection did: no Shift
  // selection goes on, and the control reports the selection it now has.
  edit.ShiftSelecting = false;
  edit.CheckSelState();
  const int last = edit.RowCount() - 1;
  edit.MoveCaretTo(TPoint{0, r == 0 || r == last ? r : r + 1});
}
