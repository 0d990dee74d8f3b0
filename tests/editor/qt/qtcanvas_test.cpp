// Characters of any font stay inside their cells.
#include <gtest/gtest.h>

#include "editor/qt/qtcanvas.h"

namespace {

// The leftmost and rightmost column with ink in the image.
std::pair<int, int> InkedColumns(const QImage& image) {
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 160) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  return {left, right};
}

TEST(QtCanvas, GlyphsWiderThanTheirCellsAreNarrowedToThem) {
  const int cells[] = {6, 6, 6, 6};
  for (const char* face : {"DejaVu Sans", "DejaVu Sans Mono", "IPAGothic"}) {
    TQtCanvas canvas(nullptr);
    canvas.Resize(QSize(60, 20), 1.0, Qt::white);
    TFont font;
    font.Name = face;
    font.Height = -12;
    font.Color = clBlack;
    // Wide Latin letters, then one full-width character over two cells.
    canvas.TextOutCells(20, 0, "WM\x82\xa0", cells, TRect{0, 0, 60, 20}, font, clWhite);
    canvas.End();
    const auto [left, right] = InkedColumns(canvas.Image());
    EXPECT_GE(left, 20) << face;
    EXPECT_LT(right, 20 + 4 * 6) << face;
    EXPECT_GT(right - left, 12) << face;  // drawn, not lost
  }
}

}  // namespace
