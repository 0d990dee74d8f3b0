#include "editor/selarea.h"

#include <algorithm>

bool TSelArea::PosInSel(int x, int y) const {
  const TPoint s = SelStart(), e = SelEnd();
  if (s.Y == e.Y) return y == s.Y && x >= s.X && x < e.X;
  return (y > s.Y && y < e.Y) || (y == s.Y && x >= s.X) || (y == e.Y && x < e.X);
}

void TSelArea::RowSelGrow(int row) {
  if (!RowInSel(row)) return;
  (RowSelFrom < RowSelTo ? RowSelTo : RowSelFrom) += 1;
}

void TSelArea::RowSelShrink(int row) {
  if (!RowInSel(row)) return;
  (RowSelFrom < RowSelTo ? RowSelTo : RowSelFrom) -= 1;
}

void TSelArea::UpdateRowSelBounds(const std::function<int(int)>& rowIndent,
                                  const std::function<int(int)>& rowWrapPos) {
  MaxIndent = -1;
  MinWrapPos = 100000;
  if (!HasRowSel()) return;
  for (int r = RowSelTop(); r <= RowSelBottom(); ++r) {
    MaxIndent = std::max(MaxIndent, rowIndent(r));
    MinWrapPos = std::min(MinWrapPos, rowWrapPos(r));
  }
}

int TSelArea::CheckSelState() {
  const bool now = HasRowSel() || HasSel();
  if (now == Selected) return kSelUnchanged;
  Selected = now;
  return now ? kSelBecameSelected : kSelBecameEmpty;
}
