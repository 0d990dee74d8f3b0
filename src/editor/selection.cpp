// The control's side of the selections: bounds of the row selection and
// the selection events.
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
