#include "app/windowplace.h"

#include <algorithm>

namespace {

// The size the main window gives a document window at `spot`: 100 pixels
// narrower than itself when that fits, else 200; its bottom 100 pixels
// above the main window's, whatever the top.
QSize SizeAt(const TPlaceRequest& r, QPoint spot) {
  const int width = spot.x() + r.Main.width() - 100 < r.Area.width() - 4 ? r.Main.width() - 100
                                                                          : r.Main.width() - 200;
  return QSize(width, r.Main.height() - r.AreaTop - spot.y() - 100);
}

bool Inside(const QRect& window, const QSize& area) {
  return window.right() < area.width() && window.bottom() < area.height();
}

}  // namespace

QRect PlaceDocumentWindow(const TPlaceRequest& r) {
  const QPoint topLeft(0, 0);
  const QSize first = SizeAt(r, topLeft);
  QPoint spot = topLeft;
  if (r.Previous) {
    const QPoint next = *r.Previous + QPoint(r.Step, r.Step);
    const QRect there(next, SizeAt(r, next));
    // Each step down costs the window a step of height; half the first
    // window's height is as short as a cascaded one gets.
    if (next.x() >= 0 && next.y() >= 0 && Inside(there, r.Area) && there.height() >= first.height() / 2)
      spot = next;
  }
  const QSize wanted = SizeAt(r, spot);
  const int width = std::min(std::max(wanted.width(), r.Minimum.width()), r.Area.width() - spot.x());
  const int height = std::min(std::max(wanted.height(), r.Minimum.height()), r.Area.height() - spot.y());
  return QRect(spot, QSize(std::max(width, 1), std::max(height, 1)));
}
