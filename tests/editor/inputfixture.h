// An editor fixture that drives the control as a user would: keys with
// modifiers held on the fake keyboard, typed characters, and the mouse in
// client pixels of a given cell.
#pragma once

#include <initializer_list>
#include <string_view>

#include "editfixture.h"

class InputFixture : public EditFixture {
 protected:
  // Presses (and releases) `vk` with the given modifiers held.
  void Key(int vk, std::initializer_list<int> held = {}, bool repeat = false) {
    for (int m : held) host.keysDown.insert(m);
    edit.WMKeyDown(vk, repeat ? kKeyDataRepeat : 0);
    for (int m : held) host.keysDown.erase(m);
  }
  void Type(std::string_view chars) {
    for (char c : chars) edit.WMChar(c);
  }
  TPoint Caret() const { return edit.CaretPos; }

  // Pixel inside the cell (col, row) of the current view, `dx` from its left edge.
  int X(int col, int dx = 1) const { return edit.TextLeft() + (col - edit.LeftCol) * edit.CellWidth() + dx; }
  int Y(int row) const { return edit.TextTop() + (row - edit.TopRow) * edit.RowHeight() + 1; }

  // The mouse as the window system reports it: the cursor shape comes from
  // the move before the press; the button is held until Release.
  void Press(int x, int y, TShiftState shift = 0) {
    host.mouse = TPoint{x, y};
    edit.WMMouseMove(x, y, shift);
    host.keysDown.insert(VK_LBUTTON);
    edit.WMLButtonDown(x, y, shift | ssLeft);
  }
  void DragTo(int x, int y, TShiftState shift = 0) {
    host.mouse = TPoint{x, y};
    edit.WMMouseMove(x, y, shift | ssLeft);
  }
  void Release(TShiftState shift = 0) {
    host.keysDown.erase(VK_LBUTTON);
    edit.WMLButtonUp(host.mouse.X, host.mouse.Y, shift);
  }
  void Click(int x, int y, TShiftState shift = 0) {
    Press(x, y, shift);
    Release(shift);
  }
  void DoubleClick(int x, int y) {
    Click(x, y);
    edit.WMLButtonDblClk(x, y, ssLeft);
    Release();
  }
  // A document of `n` rows "row0", "row1", ...
  void LoadRows(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "row" + std::to_string(i) + "\r\n";
    Load(text);
  }
};
