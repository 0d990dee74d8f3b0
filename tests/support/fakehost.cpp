#include "fakehost.h"

void RecordingCanvas::FillRect(const TRect& r, TColor color) {
  if (!record) return;
  Call c;
  c.kind = Call::Fill;
  c.rect = r;
  c.color = color;
  calls.push_back(c);
}

void RecordingCanvas::TextOutCells(int x, int y, std::string_view bytes, std::span<const int> advances,
                                   const TRect& clip, const TFont& font, TColor bkColor) {
  if (!record) return;
  Call c;
  c.kind = Call::Text;
  c.rect = clip;
  c.x = x;
  c.y = y;
  c.text = std::string(bytes);
  c.color = font.Color;
  c.style = font.Style;
  c.bkColor = bkColor;
  c.advances.assign(advances.begin(), advances.begin() + bytes.size());
  calls.push_back(c);
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2, TColor color, bool invert) {
  if (!record) return;
  Call c;
  c.kind = Call::Line;
  c.x = x1;
  c.y = y1;
  c.x2 = x2;
  c.y2 = y2;
  c.color = color;
  c.invert = invert;
  calls.push_back(c);
}

int RecordingCanvas::CharWidth(std::string_view ch, const TFont& font) {
  const int half = charHeight / 2;
  return static_cast<int>(ch.size()) * half + ((font.Style & fsBold) ? 1 : 0);
}

void RecordingCanvas::DrawBitmap(const TRect& dest, const TBitmap& bmp, const TRect& clip) {
  if (!record) return;
  Call c;
  c.kind = Call::Bitmap;
  c.rect = clip;
  c.dest = dest;
  c.image = bmp;
  calls.push_back(c);
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Calls(Call::Kind kind) const {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingCanvas::TextsAt(int y) const {
  std::vector<std::string> out;
  for (const Call& c : calls)
    if (c.kind == Call::Text && c.y == y) out.push_back(c.text);
  return out;
}

int FakeEditHost::MeasureCharHeight(const TFont&) { return canvas.charHeight; }

// Windows' default scheme: white window, black text, grey buttons, blue
// highlight.
TColor FakeEditHost::SystemColor(TColor color) {
  switch (color) {
    case clWindow: return windowColor;
    case clWindowText: return 0x000000;
    case clBtnFace: return 0xC0C0C0;
    case clHighlight: return 0x6A240A;
    case clHighlightText: return 0xFFFFFF;
    default: return IsSystemColor(color) ? 0 : color;
  }
}

void FakeEditHost::CreateCaret(int width, int height) {
  caret.width = width;
  caret.height = height;
  caret.exists = true;
  caret.hides = 1;
  caret.visible = false;
  ++caret.creations;
}

void FakeEditHost::DestroyCaret() {
  caret.exists = false;
  caret.visible = false;
}

void FakeEditHost::ShowCaret() {
  if (caret.exists && caret.hides > 0) --caret.hides;
  caret.visible = caret.exists && caret.hides == 0;
}

void FakeEditHost::HideCaret() {
  if (caret.exists) ++caret.hides;
  caret.visible = false;
}

void FakeEditHost::Wait(int) {
  ++waits;
  if (onWait) onWait();
}

void FakeEditHost::ResizeParentForWidth(int controlWidth) {
  if (!refuseResize && onParentResize) onParentResize(controlWidth);
}

TBitmap FakeEditHost::LoadBitmap(std::string_view name) {
  bitmapLoads.emplace_back(name);
  if (auto it = bitmaps.find(name); it != bitmaps.end()) return it->second;
  const int size = name == "CRS" ? 11 : name == "CR" ? 16 : name == "CRL" ? 32 : 0;
  TBitmap bmp(size, size, PixelOf(clWhite));
  for (int k = 2; k < 11 && size > 0; ++k) {
    bmp.At(10, k) = PixelOf(clMaroon);  // stem
    bmp.At(k, 10) = PixelOf(clMaroon);  // foot
  }
  return bmp;
}
