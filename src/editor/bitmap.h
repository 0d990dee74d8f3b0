// A bitmap in memory, the flood fills and the stretch the CR marks are made
// with. Pixels are 0x00RRGGBB (the in-memory order of 32-bit images), not
// the 0x00BBGGRR of TColor: use PixelOf / ColorOf between the two.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/types.h"

using TPixel = std::uint32_t;

constexpr TPixel PixelOf(TColor rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
constexpr TColor ColorOf(TPixel p) { return PixelOf(p); }  // the swap is its own inverse

struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<TPixel> Pixels;  // row-major, top row first

  TBitmap() = default;
  TBitmap(int width, int height, TPixel fill)
      : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
  TPixel At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  TPixel& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  friend bool operator==(const TBitmap&, const TBitmap&) = default;
};

// Paints `brush` over the 4-connected area of colour `surface` around the
// seed; nothing when the seed has another colour or lies outside.
void FloodFillSurface(TBitmap& bmp, int x, int y, TPixel surface, TPixel brush);

// Paints `brush` over the 4-connected area around the seed that is bounded
// by pixels of colour `border`. A seed on the border paints nothing.
void FloodFillBorder(TBitmap& bmp, int x, int y, TPixel brush, TPixel border);

// The whole of `src` scaled to width x height, nearest pixel; empty when
// either is empty.
TBitmap Stretch(const TBitmap& src, int width, int height);
