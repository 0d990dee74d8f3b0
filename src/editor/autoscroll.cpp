// Automatic scrolling while a drag goes past the text area: it runs inside
// the mouse-move handler for as long as the pointer stands still there.
#include "editor/afedit.h"

namespace {

// Pause after each step, so that the window shows the step before the next.
constexpr int kAutoScrollPaceMs = 30;

}  // namespace

// The row selection reaches AccelRate rows beyond the visible edge; the
// further the pointer is from the text, the larger each step.
void TCustomAFEdit::AutoScrollRows(int x, int y, bool down) {
  const int reach = accelRate_ * rowHeight_;
  RunAutoScroll(true, y, [&] {
    if (down) {
      if (sel_.RowSelBottom() >= RowCount() - 1 && TopRow + VisibleRows() >= RowCount() - 1) return false;
      sel_.RowSelTo = CellAt(x, ClientHeight() + reach).Y;
      TopRow = CellAt(x, y).Y - VisibleRows() + 1;
    } else {
      if (sel_.RowSelTop() <= 0 && TopRow <= 0) return false;
      sel_.RowSelTo = CellAt(x, -reach).Y;
      TopRow = CellAt(x, y).Y;
    }
    return true;
  });
}

// Scrolls in one direction (below, above, right or left of the text area,
// tested in that order); returns where the caret goes.
TPoint TCustomAFEdit::AutoScrollText(int x, int y, TPoint p) {
  if (p.Y - TopRow > VisibleRows()) {
    RunAutoScroll(true, y, [&] {
      if (TopRow + VisibleRows() >= RowCount() - 1 && sel_.SelEnd().Y >= RowCount() - 1) return false;
      sel_.EndPos = CellAt(x, ClientHeight() + rowHeight_);
      TopRow = CellAt(x, y).Y - VisibleRows() + 1;
      return true;
    });
    return sel_.SelEnd();
  }
  if (p.Y - TopRow < 0) {
    RunAutoScroll(true, y, [&] {
      if (sel_.SelStart().Y < 1 && TopRow < 1) return false;
      sel_.EndPos = CellAt(x, -rowHeight_);
      TopRow = CellAt(x, y).Y;
      return true;
    });
    return sel_.SelStart();
  }
  if (p.X - LeftCol > VisibleCols()) {
    RunAutoScroll(false, x, [&] {
      if (sel_.EndPos.X >= MaxRowLen) return false;
      sel_.EndPos = CellAt(ClientWidth() + cellWidth_, y);
      LeftCol = CellAt(x, y).X - VisibleCols();
      return true;
    });
  } else if (p.X - LeftCol < 1) {
    RunAutoScroll(false, x, [&] {
      if (sel_.EndPos.X <= 0) return false;
      sel_.EndPos = CellAt(-cellWidth_, y);
      LeftCol = CellAt(x, y).X;
      return true;
    });
  }
  return p;
}

// Repeats `step` (false once the text limit is reached) while the pointer
// stays at `at` along the scrolling direction and the button is held. A
// step that cannot move the view (the pointer just inside the edge) ends it.
void TCustomAFEdit::RunAutoScroll(bool vertical, int at, const std::function<bool()>& step) {
  for (;;) {
    const int topRow = TopRow, leftCol = LeftCol;
    if (!step()) return;
    Paint();
    if (TopRow == topRow && LeftCol == leftCol) return;
    host_.Wait(kAutoScrollPaceMs);
    const TPoint now = host_.MousePos();
    if ((vertical ? now.Y : now.X) != at || !host_.IsKeyDown(VK_LBUTTON)) return;
  }
}
