#include "fakehost.h"

void RecordingCanvas::FillRect(const TRect& r, TColor color) {
  if (!record) return;
  Call c;
  c.rect = r;
  c.color = color;
  calls.push_back(c);
}

void RecordingCanvas::TextOutCells(int x, int y, std::string_view bytes, int cellWidth,
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
  c.cellWidth = cellWidth;
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
  const int half = FakeEditHost::kCharHeight / 2;
  return static_cast<int>(ch.size()) * half + ((font.Style & fsBold) ? 1 : 0);
}

std::vector<std::string> RecordingCanvas::TextsAt(int y) const {
  std::vector<std::string> out;
  for (const Call& c : calls)
    if (c.kind == Call::Text && c.y == y) out.push_back(c.text);
  return out;
}

int FakeEditHost::MeasureCharHeight(const TFont&) { return kCharHeight; }

// Windows' default scheme: white window, black text, grey buttons, blue
// highlight.
TColor FakeEditHost::SystemColor(TColor color) {
  switch (color) {
    case clWindow: return 0xFFFFFF;
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
  caret.visible = false;
  ++caret.creations;
}

void FakeEditHost::ResizeParentForWidth(int controlWidth) {
  if (!refuseResize && onParentResize) onParentResize(controlWidth);
}
