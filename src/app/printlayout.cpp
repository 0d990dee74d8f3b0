#include "app/printlayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEditorDpi = 96;

// How many times larger than on screen the document is printed.
double Magnification(int printSize, const TPrintPage& page, const TPrintSource& source) {
  if (printSize >= ps200 && printSize <= ps400) return printSize + 1;
  if (printSize != psFitPage) return 1;
  const double toDevice = page.Dpi / kEditorDpi;
  const double wanted = (source.LeftMgn + source.WidestRow) * toDevice;
  const double fitWidth = wanted > 0 ? page.Width / wanted : 1;
  // A short row must not grow past the page height.
  const double fitHeight = page.Height / (std::max(1, source.RowHeight) * toDevice);
  return std::min(fitWidth, fitHeight);
}

}  // namespace

TPrintGeometry PrintGeometry(int printSize, const TPrintPage& page, const TPrintSource& source) {
  TPrintGeometry g;
  g.Scale = Magnification(printSize, page, source) * page.Dpi / kEditorDpi;
  g.FontPixels = source.CharHeight * g.Scale;
  g.LineHeight = std::max(1, source.RowHeight) * g.Scale;
  g.Left = std::min(source.LeftMgn * g.Scale, std::max(0.0, page.Width - g.FontPixels));
  g.TextWidth = std::max(page.Width - g.Left, g.FontPixels);
  g.LinesPerPage = std::max(1, static_cast<int>(std::floor(page.Height / g.LineHeight)));
  return g;
}

std::vector<int> LineStarts(std::span<const double> advances, double width) {
  std::vector<int> starts{0};
  double used = 0;
  for (std::size_t i = 0; i < advances.size(); ++i) {
    if (used > 0 && used + advances[i] > width) {
      starts.push_back(static_cast<int>(i));
      used = 0;
    }
    used += advances[i];
  }
  return starts;
}
