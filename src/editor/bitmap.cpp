#include "editor/bitmap.h"

#include <functional>

namespace {

// Fills every pixel reachable from the seed through pixels that `inside`
// accepts. Visited pixels are marked separately, so a brush equal to the
// colour being replaced cannot loop.
void Fill(TBitmap& bmp, int x, int y, TPixel brush, const std::function<bool(TPixel)>& inside) {
  if (!bmp.Contains(x, y) || !inside(bmp.At(x, y))) return;
  std::vector<bool> seen(bmp.Pixels.size(), false);
  std::vector<std::pair<int, int>> todo{{x, y}};
  seen[static_cast<std::size_t>(y) * bmp.Width + x] = true;
  while (!todo.empty()) {
    const auto [px, py] = todo.back();
    todo.pop_back();
    bmp.At(px, py) = brush;
    const std::pair<int, int> next[] = {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
    for (const auto& [nx, ny] : next) {
      if (!bmp.Contains(nx, ny)) continue;
      const std::size_t i = static_cast<std::size_t>(ny) * bmp.Width + nx;
      if (seen[i] || !inside(bmp.Pixels[i])) continue;
      seen[i] = true;
      todo.emplace_back(nx, ny);
    }
  }
}

}  // namespace

void FloodFillSurface(TBitmap& bmp, int x, int y, TPixel surface, TPixel brush) {
  Fill(bmp, x, y, brush, [surface](TPixel p) { return p == surface; });
}

void FloodFillBorder(TBitmap& bmp, int x, int y, TPixel brush, TPixel border) {
  Fill(bmp, x, y, brush, [border](TPixel p) { return p != border; });
}

TBitmap Stretch(const TBitmap& src, int width, int height) {
  if (src.Width <= 0 || src.Height <= 0 || width <= 0 || height <= 0) return TBitmap();
  TBitmap out(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out.At(x, y) = src.At(x * src.Width / width, y * src.Height / height);
  return out;
}
