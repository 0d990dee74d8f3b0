// A host for the editor control without a window: fixed font metrics, an
// in-memory clipboard, scripted key state, and a record of what the control
// asked of the caret, the scroll bars and the canvas.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/host.h"

// Remembers every drawing call, in order.
class RecordingCanvas : public TCanvas {
 public:
  struct Call {
    enum Kind { Fill, Text, Line } kind = Fill;
    TRect rect;        // Fill: the rectangle; Text: the clip
    int x = 0, y = 0;  // Text: origin; Line: first point
    int x2 = 0, y2 = 0;
    std::string text;  // Text: the bytes
    TColor color = 0;  // Fill: brush; Text: font colour; Line: pen
    TColor bkColor = 0;
    TFontStyles style = 0;
    int cellWidth = 0;
    bool invert = false;
  };
  std::vector<Call> calls;
  bool record = true;  // benchmarks paint without keeping the calls

  void FillRect(const TRect& r, TColor color) override;
  void TextOutCells(int x, int y, std::string_view bytes, int cellWidth, const TRect& clip,
                    const TFont& font, TColor bkColor) override;
  void Line(int x1, int y1, int x2, int y2, TColor color, bool invert) override;
  int CharWidth(std::string_view ch, const TFont& font) override;

  // Texts drawn with their origin on pixel row y, in drawing order.
  std::vector<std::string> TextsAt(int y) const;
};

class FakeEditHost : public TEditHost {
 public:
  static constexpr int kCharHeight = 16;  // cells are 8 pixels wide

  RecordingCanvas canvas;
  std::optional<std::string> clipboard;
  std::set<int> keysDown;  // VK_* codes reported as held
  bool focused = true;
  bool composing = false;
  TPoint mouse;
  TCursorShape cursor = TCursorShape::Default;
  bool captured = false;

  struct CaretState {
    bool visible = false;
    int width = 0, height = 0;
    int x = 0, y = 0;
    int creations = 0;
  } caret;
  TScrollInfo scroll[2];
  bool scrollShown[2] = {false, false};
  int scrollAreaCalls = 0;
  TPoint composition{-1, -1};
  int compositionCancels = 0;
  std::vector<std::string> reconverted;

  // The document window: its width follows ResizeParentForWidth requests
  // unless refused (a maximised window); onParentResize lets a test play the
  // window's resize handler.
  bool hasParent = false;
  bool refuseResize = false;
  std::function<void(int controlWidth)> onParentResize;
  int waits = 0;

  TCanvas& Canvas() override { return canvas; }
  int MeasureCharHeight(const TFont& font) override;
  TColor SystemColor(TColor color) override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override { caret.visible = false; }
  void SetCaretPos(int x, int y) override { caret.x = x, caret.y = y; }
  void ShowCaret() override { caret.visible = true; }
  void HideCaret() override { caret.visible = false; }
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) override { scroll[Index(bar)] = info; }
  TScrollInfo GetScrollInfo(TScrollBarKind bar) override { return scroll[Index(bar)]; }
  void ShowScrollBar(TScrollBarKind bar, bool show) override { scrollShown[Index(bar)] = show; }
  void EnableScrollBars(bool) override {}
  void ScrollArea(int, const TRect&) override { ++scrollAreaCalls; }
  std::optional<std::string> GetClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& sjis) override { clipboard = sjis; }
  bool IsKeyDown(int vk) override { return keysDown.count(vk) > 0; }
  bool HasFocus() override { return focused; }
  void SetFocus() override { focused = true; }
  bool IsComposing() override { return composing; }
  void SetCompositionWindow(int x, int y, const TFont&) override { composition = TPoint{x, y}; }
  void CancelComposition() override { ++compositionCancels; }
  void Reconvert(const std::string& sjis) override { reconverted.push_back(sjis); }
  void SetCursor(TCursorShape shape) override { cursor = shape; }
  void SetCapture(bool capture) override { captured = capture; }
  TPoint MousePos() override { return mouse; }
  bool HasParent() override { return hasParent; }
  void ResizeParentForWidth(int controlWidth) override;
  void Wait(int) override { ++waits; }

 private:
  static int Index(TScrollBarKind bar) { return bar == TScrollBarKind::Vertical ? 1 : 0; }
};
