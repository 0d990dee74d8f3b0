// Scroll bars, the scroll messages with their acceleration, focus and size.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/switches.h"

void TCustomAFEdit::UpdateScrollBars() {
  if (!metricsKnown_) return;
  const bool showV = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  const bool showH = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  const int rows = VisibleRows(), cols = VisibleCols();
  if (RowCount() >= rows || TopRow > 0 || CaretPos.Y >= rows) {
    vScroll_ = TScrollInfo{0, std::max({RowCount() - 1, TopRow + rows - 1, CaretPos.Y}), rows, TopRow,
                           TopRow};
    if (showV) host_.SetScrollInfo(TScrollBarKind::Vertical, vScroll_);
    if (showV != vBarShown_) host_.ShowScrollBar(TScrollBarKind::Vertical, showV);
    vBarShown_ = showV;
  } else if (vBarShown_) {
    host_.ShowScrollBar(TScrollBarKind::Vertical, false);
    vBarShown_ = false;
  }
  if (cols < std::max(defWrapPos_, MaxRowLen) || LeftCol > 0) {
    hScroll_ = TScrollInfo{0, std::max({defWrapPos_, MaxRowLen, CaretPos.X}), cols, LeftCol, LeftCol};
    if (showH) host_.SetScrollInfo(TScrollBarKind::Horizontal, hScroll_);
    if (showH != hBarShown_) host_.ShowScrollBar(TScrollBarKind::Horizontal, showH);
    hBarShown_ = showH;
  } else if (hBarShown_) {
    host_.ShowScrollBar(TScrollBarKind::Horizontal, false);
    hBarShown_ = false;
  }
  scrollBarTopRow_ = TopRow;
  scrollBarLeftCol_ = LeftCol;
}

void TCustomAFEdit::WMVScroll(int code, int pos) {
  if (sel_.HasSel() || sel_.HasRowSel()) {
    host_.HideCaret();
    ++hiddenCaretCount_;
  }
  int& accel = EditSwitches::ScrollAccel;
  accel = std::max(1, std::min(accelRate_, accel + 1));
  const bool shift = host_.IsKeyDown(VK_SHIFT);
  const TScrollInfo info = vBarShown_ ? host_.GetScrollInfo(TScrollBarKind::Vertical) : vScroll_;
  const int rows = VisibleRows();
  switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
      host_.HideCaret();
      if (code == SB_LINEUP) {
        for (int i = 0; i < accel; ++i) {
          if (TopRow - accel < 1) accel = 1;
          if (TopRow > 0) {
            --TopRow;
            if (!shift && CaretPos.Y > TopRow + rows - 2) --CaretPos.Y;
          }
        }
      } else if (TopRow <= RowCount() - rows) {
        TopRow += accel;
        if (!shift && CaretPos.Y < TopRow) CaretPos.Y += accel;
      }
      Paint();
      vScroll_.Pos = TopRow;
      if (vBarShown_) host_.SetScrollInfo(TScrollBarKind::Vertical, vScroll_);
      UpdateCaret();
      UpdateScrollBars();
      host_.ShowCaret();
      break;
    case SB_PAGEUP:
      for (int i = 0; i < accel; ++i) {
        TopRow = std::max(TopRow - rows, 0);
        if (!shift) CaretPos.Y = std::max(CaretPos.Y - rows, 0);
      }
      if (TopRow != scrollBarTopRow_) Paint();
      break;
    case SB_PAGEDOWN:
      for (int i = 0; i < accel; ++i) {
        TopRow = std::max(0, std::min(TopRow + rows, info.Max - rows));
        if (!shift) CaretPos.Y = std::min(CaretPos.Y + rows, RowCount() - 1);
      }
      if (TopRow != scrollBarTopRow_) Paint();
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (!host_.HasFocus() && code == SB_THUMBPOSITION) {
        UpdateScrollBars();
        break;
      }
      if (code == SB_THUMBTRACK) host_.HideCaret();
      ScrollToRow(pos, shift);
      if (code == SB_THUMBTRACK && host_.HasFocus()) {
        UpdateCaret();
        host_.ShowCaret();
      }
      break;
    case SB_ENDSCROLL:
      accel = 0;
      break;
    default:
      break;
  }
}

// The view's top row follows a thumb; unless Shift is held the caret is
// pulled into the view.
void TCustomAFEdit::ScrollToRow(int row, bool keepCaret) {
  const int before = TopRow;
  TopRow = std::max(0, row);
  if (!keepCaret) {
    if (CaretPos.Y < TopRow) {
      CaretPos.Y = TopRow;
    } else if (CaretPos.Y > TopRow + VisibleRows() - 2) {
      CaretPos.Y = TopRow + VisibleRows() - 2;
    }
    CaretPos.Y = std::max(0, std::min(CaretPos.Y, RowCount() - 1));
  }
  if (TopRow != before || TopRow != scrollBarTopRow_) Paint();
}

void TCustomAFEdit::WMHScroll(int code, int pos) {
  SetFocus();
  const TScrollInfo info = hBarShown_ ? host_.GetScrollInfo(TScrollBarKind::Horizontal) : hScroll_;
  const int cols = VisibleCols();
  switch (code) {
    case SB_LINELEFT:
      if (LeftCol < 1) return;
      ScrollColumns(LeftCol - 1);
      break;
    case SB_LINERIGHT:
      MaxRowLen = std::max(MaxRowLen, defWrapPos_ + 2);
      if (MaxRowLen - cols < LeftCol) return;
      ScrollColumns(LeftCol + 1);
      break;
    case SB_PAGELEFT:
      LeftCol = LeftCol < cols ? 0 : LeftCol - (cols - 2);
      Paint();
      return;
    case SB_PAGERIGHT:
      LeftCol = LeftCol + 2 * cols > info.Max ? info.Max - cols + 1 : LeftCol + cols - 2;
      LeftCol = std::max(0, LeftCol);
      Paint();
      return;
    case SB_THUMBPOSITION:
      LeftCol = std::max(0, pos);
      Paint();
      return;
    case SB_THUMBTRACK:
      ScrollColumns(std::max(0, pos));
      break;
    default:
      return;
  }
  UpdateCaret();
  host_.ShowCaret();
}

// Moves the view to `leftCol` by shifting the pixels already drawn and
// painting only the strip that came into view.
void TCustomAFEdit::ScrollColumns(int leftCol) {
  const int shift = leftCol - LeftCol;
  if (shift == 0) return;
  LeftCol = leftCol;
  host_.ScrollArea(-shift * cellWidth_, textArea_);
  const int cols = VisibleCols();
  const int firstCol = shift > 0 ? std::max(0, cols - std::max(4, shift)) : 0;
  const int lastCol = shift > 0 ? cols + 1 : std::min(cols + 1, std::max(2, -shift));
  const TRect strip{TextLeft() + firstCol * cellWidth_, TextTop(),
                    std::min(ClientWidth(), TextLeft() + lastCol * cellWidth_), ClientHeight()};
  for (int r = TopRow; r <= TopRow + VisibleRows(); ++r) {
    paintRect_ = strip;
    PaintRow(r);
  }
  PaintColIndicator();
}

void TCustomAFEdit::SetTopRow(int row) {
  TopRow = std::max(0, std::min(row, RowCount() - VisibleRows() / 2));
  Paint();
}

void TCustomAFEdit::WMSize(int clientWidth, int clientHeight) {
  textArea_.Right = clientWidth;
  textArea_.Bottom = clientHeight;
}

void TCustomAFEdit::WMSetFocus() {
  host_.CreateCaret(2, charHeight_);
  host_.ShowCaret();
  caretShapeKnown_ = false;
  UpdateCaret();
  UpdateScrollBars();
}

void TCustomAFEdit::WMKillFocus() { host_.DestroyCaret(); }

void TCustomAFEdit::SetFocus() { host_.SetFocus(); }
