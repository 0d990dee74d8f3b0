// A host for the editor control without a window: fixed font metrics, an
// in-memory clipboard, scripted key state, and a record of what the control
// asked of the caret, the scroll bars and the canvas.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/host.h"

// Remembers every drawing call, in order.
class RecordingCanvas : public TCanvas {
 public:
  struct Call {
    enum Kind { Fill, Text, Line, Bitmap } kind = Fill;
    TRect rect;        // Fill: the rectangle; Text, Bitmap: the clip
    int x = 0, y = 0;  // Text: origin; Line: first point
    int x2 = 0, y2 = 0;
    std::string text;  // Text: the bytes
    TColor color = 0;  // Fill: brush; Text: font colour; Line: pen
    TColor bkColor = 0;
    TFontStyles style = 0;
    std::vector<int> advances;  // Text: one per byte
    bool invert = false;
    TRect dest;     // Bitmap
    TBitmap image;  // Bitmap
  };
  std::vector<Call> calls;
  int charHeight = 16;  // MeasureCharHeight; cells are then 8 pixels wide
  double pixelRatio = 1.0;
  bool record = true;  // benchmarks paint without keeping the calls

  void FillRect(const TRect& r, TColor color) override;
  void TextOutCells(int x, int y, std::string_view bytes, std::span<const int> advances,
                    const TRect& clip, const TFont& font, TColor bkColor) override;
  void Line(int x1, int y1, int x2, int y2, TColor color, bool invert) override;
  // Half the character height per byte, one more in bold.
  int CharWidth(std::string_view ch, const TFont& font) override;
  void DrawBitmap(const TRect& dest, const TBitmap& bmp, const TRect& clip) override;
  double PixelRatio() const override { return pixelRatio; }

  // Texts drawn with their origin on pixel row y, in drawing order.
  std::vector<std::string> TextsAt(int y) const;
  // The calls of one kind, in drawing order.
  std::vector<Call> Calls(Call::Kind kind) const;
};

class FakeEditHost : public TEditHost {
 public:
  static constexpr int kCharHeight = 16;  // canvas.charHeight unless a test changes it

  RecordingCanvas canvas;
  std::optional<std::string> clipboard;
  std::set<int> keysDown;  // VK_* codes reported as held
  bool focused = true;
  bool composing = false;
  TPoint mouse;
  TCursorShape cursor = TCursorShape::Default;
  bool captured = false;

  // The system caret: created hidden, hides nest, shows never go below zero.
  struct CaretState {
    bool exists = false;
    int hides = 0;
    bool visible = false;
    int width = 0, height = 0;
    int x = 0, y = 0;
    int creations = 0;
  } caret;
  TScrollInfo scroll[2];
  bool scrollShown[2] = {false, false};
  int scrollAreaCalls = 0;
  std::optional<TCompositionPlace> composition;  // the last place given
  int compositionCancels = 0;
  std::vector<std::string> reconverted;
  TImeStatus imeStatus;
  TColor windowColor = 0xFFFFFF;  // what clWindow stands for
  // Bitmaps by name; a name not here gets a white square of the size the
  // name implies with an L-shaped maroon arrow through (10, 4) and (4, 10).
  std::map<std::string, TBitmap, std::less<>> bitmaps;
  std::vector<std::string> bitmapLoads;

  // The document window: its width follows ResizeParentForWidth requests
  // unless refused (a maximised window); onParentResize lets a test play the
  // window's resize handler.
  bool hasParent = false;
  bool refuseResize = false;
  std::function<void(int controlWidth)> onParentResize;
  int waits = 0;
  // Runs at every Wait: lets a test move the pointer or release a button
  // while the control waits.
  std::function<void()> onWait;

  TCanvas& Canvas() override { return canvas; }
  int MeasureCharHeight(const TFont& font) override;
  TColor SystemColor(TColor color) override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override { caret.x = x, caret.y = y; }
  void ShowCaret() override;
  void HideCaret() override;
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
  void SetCompositionWindow(const TCompositionPlace& place, const TFont&, TColor) override { composition = place; }
  void CancelComposition() override { ++compositionCancels; }
  void Reconvert(const std::string& sjis) override { reconverted.push_back(sjis); }
  TImeStatus ImeStatus() override { return imeStatus; }
  TBitmap LoadBitmap(std::string_view name) override;
  void SetCursor(TCursorShape shape) override { cursor = shape; }
  void SetCapture(bool capture) override { captured = capture; }
  TPoint MousePos() override { return mouse; }
  bool HasParent() override { return hasParent; }
  void ResizeParentForWidth(int controlWidth) override;
  void Wait(int) override;

 private:
  static int Index(TScrollBarKind bar) { return bar == TScrollBarKind::Vertical ? 1 : 0; }
};
