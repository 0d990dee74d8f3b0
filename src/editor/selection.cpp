// The control's side of the selections: bounds of the row selection and
// the selection events.
#include <algorithm>

#include "editor/afedit.h"

void TCustomAFEdit::UpdateRowSelBounds() {
  sel_.UpdateRowSelBounds([this](int r) { return r < RowCount() ? int{rows_.Attr(r).Indent} : -1; },
                          [this](int r) { return r < RowCount() ? int{rows_.Attr(r).WrapPos} : 100000; });
}

void TCustomAFEdit::CheckSelState() {
  switch (sel_.CheckSelState()) {
    case TSelArea::kSelBecameSelected:
      if (OnSelect) OnSelect();
      break;
    case TSelArea::kSelBecameEmpty:
      if (OnDisSelect) OnDisSelect();
      break;
    default:
      break;
  }
}

// Edits that record nothing for the selection (a re-wrap, an undo) may
// leave its points past the rows; they are pulled back before use.
TSelArea TCustomAFEdit::ClampedSelection() const {
  TSelArea sel = sel_;
  sel.AnchorPos = ClampPos(sel.AnchorPos);
  sel.EndPos = ClampPos(sel.EndPos);
  if (sel.HasRowSel()) {
    sel.RowSelFrom = std::min(sel.RowSelFrom, RowCount() - 1);
    sel.RowSelTo = std::clamp(sel.RowSelTo, 0, RowCount() - 1);
  }
  return sel;
}

void TCustomAFEdit::ClampSelection() { sel_ = ClampedSelection(); }
