// What the editor control needs from the window system, and nothing more.
// The Qt widget implements it; tests use FakeEditHost.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/bitmap.h"
#include "editor/types.h"

// A font as the control describes it; the host maps the face to an
// installed one. Height in pixels, negative meaning character height.
struct TFont {
  std::string Name = "ＭＳ ゴシック";  // UTF-8
  int Height = -12;
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// The drawing surface: the widget's back buffer. All positions in pixels of
// the control's client area. Text is Shift-JIS, one cell per byte.
class TCanvas {
 public:
  virtual ~TCanvas() = default;
  virtual void FillRect(const TRect& r, TColor color) = 0;
  // Draws `bytes` from (x, y), byte i advancing advances[i] pixels (a
  // two-byte character is centred over its two cells, a byte below 0x20 is
  // blank), on an opaque background `bkColor` filling `clip`, and clipped
  // to it. `advances` holds at least one entry per byte.
  virtual void TextOutCells(int x, int y, std::string_view bytes, std::span<const int> advances,
                            const TRect& clip, const TFont& font, TColor bkColor) = 0;
  // A one-pixel line without its end point; `invert` xors the pixels so
  // drawing it twice restores them.
  virtual void Line(int x1, int y1, int x2, int y2, TColor color, bool invert) = 0;
  // Width of one Shift-JIS character in `font`.
  virtual int CharWidth(std::string_view ch, const TFont& font) = 0;
  // Draws the whole bitmap scaled into `dest`, clipped to `clip`.
  virtual void DrawBitmap(const TRect& dest, const TBitmap& bmp, const TRect& clip) = 0;
  // Device pixels per canvas pixel, so that bitmaps can be made sharp.
  virtual double PixelRatio() const = 0;
};

// What the input method reports: open or closed, and its conversion mode
// as the IME_CMODE_* bits.
struct TImeStatus {
  bool Open = false;
  unsigned Mode = 0;
};

// Where the input method's composition is shown: its first character at
// Origin (the caret), further lines of it from LineLeft, no character past
// LineRight, and the whole box inside View. Cell and row sizes are the
// control's, so that the composition sits in the text's grid.
struct TCompositionPlace {
  TPoint Origin;
  int LineLeft = 0;
  int LineRight = 0;
  TRect View;
  int CellWidth = 1;
  int RowHeight = 1;
  int CharHeight = 1;
  friend bool operator==(const TCompositionPlace&, const TCompositionPlace&) = default;
};

enum class TScrollBarKind { Horizontal, Vertical };

struct TScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

enum class TCursorShape { Default, IBeam, SizeWE, RowSelect, Busy };

class TEditHost {
 public:
  virtual ~TEditHost() = default;

  virtual TCanvas& Canvas() = 0;
  // Text height of the full-width character あ in `font`.
  virtual int MeasureCharHeight(const TFont& font) = 0;
  // The system colour behind a clSystemColor + index value, as 0x00BBGGRR.
  virtual TColor SystemColor(TColor color) = 0;

  // The caret behaves as the system caret does: a new caret starts hidden,
  // hides nest (each HideCaret needs its own ShowCaret before the caret is
  // seen again), and a ShowCaret with no hide pending does nothing. The
  // control relies on this to keep the caret hidden while dragging.
  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;

  virtual void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) = 0;
  virtual TScrollInfo GetScrollInfo(TScrollBarKind bar) = 0;
  virtual void ShowScrollBar(TScrollBarKind bar, bool show) = 0;
  virtual void EnableScrollBars(bool enable) = 0;
  // Moves the pixels inside `area` by dx horizontally.
  virtual void ScrollArea(int dx, const TRect& area) = 0;

  virtual std::optional<std::string> GetClipboardText() = 0;  // Shift-JIS, CR line ends; none without text
  virtual void SetClipboardText(const std::string& sjis) = 0;

  // Live key state (Shift, Ctrl, the key of an auto-repeat, VK_LBUTTON).
  virtual bool IsKeyDown(int vk) = 0;
  virtual bool HasFocus() = 0;
  virtual void SetFocus() = 0;
  // Input method: true between the start and the end of a composition.
  virtual bool IsComposing() = 0;
  // Keeps the composition at the caret, in the control's font (whose
  // colour is the text colour) on its background colour.
  virtual void SetCompositionWindow(const TCompositionPlace& place, const TFont& font, TColor background) = 0;
  virtual void CancelComposition() = 0;
  // Hands the selected text back to the input method for conversion again;
  // does nothing where the input method cannot.
  virtual void Reconvert(const std::string& sjis) = 0;
  virtual TImeStatus ImeStatus() = 0;

  // The bitmaps the program carries ("CR", "CRL", "CRS"); an empty bitmap
  // when there is none of that name.
  virtual TBitmap LoadBitmap(std::string_view name) = 0;

  virtual void SetCursor(TCursorShape shape) = 0;
  virtual void SetCapture(bool capture) = 0;
  // Pointer position in client pixels, read live during automatic scrolling.
  virtual TPoint MousePos() = 0;

  // The document window around the control, for undoing width changes:
  // resize it (keeping its height and position) so that the control becomes
  // `controlWidth` pixels wide. The control learns its new size from WMSize.
  virtual bool HasParent() = 0;
  virtual void ResizeParentForWidth(int controlWidth) = 0;
  // Lets the window system run (paint, resize) for about `ms` milliseconds.
  // Keyboard and mouse input stays queued until the control's handler
  // returns: automatic scrolling waits inside a mouse-move handler.
  virtual void Wait(int ms) = 0;
};
