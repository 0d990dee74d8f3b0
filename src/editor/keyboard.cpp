// Key-down and key-up: the key map, Shift-selection, the Ctrl shortcuts and
// auto-repeat acceleration. Typed characters are in charkeys.cpp, word
// movement in words.cpp.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/bytekind.h"

namespace {

// Page Up, Page Down, End, Home and the arrows start a Shift-selection.
bool IsNavigationKey(int vk) { return vk >= VK_PRIOR && vk <= VK_DOWN; }

// Shift itself, Space, digits, letters and the punctuation keys end one.
bool IsTypingKey(int vk) {
  return vk == VK_SHIFT || vk == VK_SPACE || (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
         (vk >= VK_OEM_1 && vk <= 192) || (vk >= 219 && vk <= 228);
}

// Shift and Ctrl as they are now, Alt as the key message says.
TShiftState LiveShiftState(TEditHost& host, unsigned keyData) {
  TShiftState s = 0;
  if (host.IsKeyDown(VK_SHIFT)) s |= ssShift;
  if (host.IsKeyDown(VK_CONTROL)) s |= ssCtrl;
  if (keyData & kKeyDataAltDown) s |= ssAlt;
  return s;
}

// An auto-repeated key runs this many times per message at most.
constexpr int kMaxKeyRepeats = 4;
// The longest selection handed back to the input method.
constexpr std::size_t kMaxReconvertBytes = 254;

}  // namespace

void TCustomAFEdit::WMKeyDown(int vk, unsigned keyData) {
  const TShiftState shift = LiveShiftState(host_, keyData);
  int key = vk;
  if (OnKeyDown) OnKeyDown(key, shift);
  const int repeats = std::min(accelRate_, (keyData & kKeyDataRepeat) ? kMaxKeyRepeats : 0);
  Composing = host_.IsComposing();
  UpdateShiftSelecting(key, (shift & ssShift) && !Composing);
  if ((shift & ssCtrl) && !Composing && RunCtrlShortcut(key)) return;
  if (RunKey(key, shift)) KeyDownTail(key, repeats);
}

// Shift with a navigation key starts a new selection at the caret: an
// earlier selection (one made with the mouse, say) is never extended.
void TCustomAFEdit::UpdateShiftSelecting(int key, bool shiftDown) {
  if (!shiftDown) {
    ShiftSelecting = false;
    return;
  }
  if (!ShiftSelecting && IsNavigationKey(key)) {
    MarkRowsRedraw(sel_.SelStart().Y, sel_.SelEnd().Y);
    sel_.AnchorPos = sel_.EndPos = ClampPos(CaretPos);
    RepaintDirty();
  }
  ShiftSelecting = true;
  MarkRowsRedraw(CaretPos.Y, CaretPos.Y);
}

bool TCustomAFEdit::RunCtrlShortcut(int key) {
  if (key != 'C' && key != 'V' && key != 'X') return false;
  host_.SetCursor(TCursorShape::Busy);
  if (key == 'C') {
    WMCopy();
  } else if (key == 'V') {
    WMPaste();
  } else {
    WMCut();
  }
  host_.SetCursor(cursor_);
  return true;
}

bool TCustomAFEdit::RunKey(int key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  switch (key) {
    case VK_BACK:
    case VK_PROCESSKEY:
      return KeyBackspace(ctrl);
    case VK_CLEAR:
      InsertMode = !InsertMode;
      return true;
    case VK_PRIOR:
      KeyPageUp();
      return true;
    case VK_NEXT:
      KeyPageDown();
      return true;
    case VK_END:
      return KeyEnd(ctrl);
    case VK_HOME:
      KeyHome(ctrl);
      return true;
    case VK_LEFT:
      ctrl ? WordLeft() : CaretLeft();
      CaretMoved();
      return true;
    case VK_UP:
      KeyArrowUp();
      return true;
    case VK_RIGHT:
      ctrl ? WordRight() : CaretRight();
      CaretMoved();
      return true;
    case VK_DOWN:
      KeyArrowDown();
      return true;
    case VK_INSERT:
      KeyInsert(shift);
      return true;
    case VK_DELETE:
      return KeyDelete(shift & ssShift);
    default:
      if (IsTypingKey(key)) ShiftSelecting = false;
      return true;
  }
}

// Every key ends here: the scroll acceleration drops, an auto-repeated key
// runs again while it is still held, and the selection events fire.
void TCustomAFEdit::KeyDownTail(int key, int repeats) {
  WMVScroll(SB_ENDSCROLL, 0);
  for (; repeats > 1 && host_.IsKeyDown(key); --repeats) WMKeyDown(key, 0);
  CheckSelState();
}

// Backspace itself arrives as a character; as a key it only outdents: with
// Ctrl, before the first byte of a row, when rows are formatted.
bool TCustomAFEdit::KeyBackspace(bool ctrl) {
  if (readOnly_) return false;
  const bool onRow = CaretPos.Y >= 0 && CaretPos.Y < RowCount();
  if (ctrl && HasOption(TAFEditOption::aoAutoFormat) && !(CaretPos == TPoint{0, 0}) && onRow &&
      ColToIndex(CaretPos.Y, CaretPos.X) == 0)
    OutdentCaretRow();
  return true;
}

void TCustomAFEdit::OutdentCaretRow() {
  const int row = CaretPos.Y;
  ++UndoGroup;
  TLineAttr attr = rows_.Attr(row);
  attr.Indent = static_cast<std::int16_t>(std::max(0, attr.Indent - tabSize_));
  SetRowAttr(row, attr);
  CaretPos.X = attr.Indent;
  RepaintDirty();
  CaretMoved();
}

void TCustomAFEdit::KeyPageUp() {
  if (TopRow < 1 && CaretPos.Y < 1) return;
  TopRow = std::max(0, TopRow - VisibleRows());
  CaretPos.Y = std::max(0, CaretPos.Y - VisibleRows());
  Paint();
  CaretMoved();
}

void TCustomAFEdit::KeyPageDown() {
  if (RowCount() - TopRow < 1 || CaretPos.Y >= RowCount() - 1) return;
  CaretPos.Y += VisibleRows();
  TopRow += VisibleRows();
  if (!HasOption(TAFEditOption::aoFreeCaret)) {
    CaretPos.Y = std::min(CaretPos.Y, RowCount() - 1);
    TopRow = std::max(0, std::min(TopRow, RowCount() - VisibleRows()));
  }
  Paint();
  CaretMoved();
}

// End stops in front of the CR; Ctrl+End goes behind the last character.
bool TCustomAFEdit::KeyEnd(bool ctrl) {
  if (ctrl) {
    CaretPos = TPoint{DisplayLength(RowCount() - 1), RowCount() - 1};
  } else {
    if (CaretPos.Y > RowCount() - 1) return false;
    CaretPos.X = RowEndCol(CaretPos.Y);
  }
  CaretMoved();
  return true;
}

// The caret movement is followed up also when the view went back to the
// first column, so that Ctrl+Home scrolls to the top and Shift+Home selects.
void TCustomAFEdit::KeyHome(bool ctrl) {
  if (ctrl) {
    CaretPos = TPoint{std::max<int>(0, rows_.Attr(0).Indent), 0};
  } else {
    CaretPos.X = CaretPos.Y < RowCount() ? std::max<int>(0, rows_.Attr(CaretPos.Y).Indent) : 0;
  }
  if (LeftCol != 0) {
    LeftCol = 0;
    Paint();
  }
  CaretMoved();
}

void TCustomAFEdit::KeyArrowUp() {
  if (TopRow == CaretPos.Y && TopRow > 0) {
    WMVScroll(SB_LINEUP, 0);
    --CaretPos.Y;
    CaretMoved();
    UpdateCaret();
  } else if (CaretPos.Y > 0) {
    --CaretPos.Y;
    CaretMoved();
  }
}

void TCustomAFEdit::KeyArrowDown() {
  const bool freeCaret = HasOption(TAFEditOption::aoFreeCaret);
  if (CaretPos.Y >= TopRow + VisibleRows() - 2 && (CaretPos.Y < RowCount() - 2 || freeCaret)) {
    WMVScroll(SB_LINEDOWN, 0);
    ++CaretPos.Y;
    CaretMoved();
  } else if (CaretPos.Y < RowCount() - 1 || freeCaret) {
    ++CaretPos.Y;
    CaretMoved();
  }
}

void TCustomAFEdit::KeyInsert(TShiftState shift) {
  if (shift & ssShift) {
    // The Shift of Shift+Insert selects nothing: the pasted text must not
    // become a selection from an old anchor to the caret.
    ShiftSelecting = false;
    WMPaste();
  } else if (shift & ssCtrl) {
    WMCopy();
  } else {
    InsertMode = !InsertMode;
  }
  UpdateCaret();
  if (OnStatusChange) OnStatusChange();
}

// Deletes the selection (with Shift copying it first: a cut), else the
// character under the caret.
bool TCustomAFEdit::KeyDelete(bool cut) {
  if (readOnly_) return false;
  if (!sel_.HasSel() && !sel_.HasRowSel()) return DeleteCharAtCaret();
  ++UndoGroup;
  if (cut) CopyToClipboard();
  DeleteSelection();
  // The collapsed selection is left at its old end, not at the caret, so a
  // Shift held on must start a new selection rather than extend that one.
  ShiftSelecting = false;
  UpdateCaret();
  RepaintDirty();
  return true;
}

// The CR cell counts as a character: deleting it joins the next line. The
// character deleted is the one after the caret as it is drawn.
bool TCustomAFEdit::DeleteCharAtCaret() {
  CaretPos = InsertionPoint();
  const int row = CaretPos.Y;
  if (row < 0 || row >= RowCount() || CaretPos.X >= DisplayLength(row)) return false;
  const std::string_view text = rows_.Text(row);
  int i = ColToIndex(row, CaretPos.X);
  if (ByteKindAt(text, i) == TByteKind::Trail) --i;  // never split a character
  const int count = ByteKindAt(text, i) == TByteKind::Lead ? 2 : 1;
  ++UndoGroup;
  ShiftAttrsDeleted(row, i, count);
  std::string changed(text.substr(0, i));
  changed += text.substr(i + count);
  ReplaceRow(row, std::move(changed));
  rows_.Attr(row).Redraw = true;
  ReflowRow(row);
  UpdateCaret();
  RepaintDirty();
  return true;
}

void TCustomAFEdit::WMKeyUp(int vk) {
  int key = vk;
  if (OnKeyUp) OnKeyUp(key, LiveShiftState(host_, 0));
  if (key == VK_SHIFT) {
    ShiftSelecting = false;
  } else if (key == VK_CONVERT && !Composing) {
    ReconvertSelection();
  }
}

// The selection stays, so the input method's result replaces it.
void TCustomAFEdit::ReconvertSelection() {
  const std::string text = SelText();
  if (text.empty() || text.size() > kMaxReconvertBytes) return;
  BeginUpdate();
  CaretPos = sel_.HasSel() ? sel_.SelStart() : TPoint{0, sel_.RowSelTop()};
  UpdateCaret();
  EndUpdate();
  host_.Reconvert(text);
}

bool TCustomAFEdit::WantsSpecialKey(int vk) const {
  return vk == VK_TAB || (vk >= VK_LEFT && vk <= VK_DOWN);
}
