// Where a new document window opens in the main window's work area: the
// first at the top left, each later one a title bar lower and to the right
// of the previous one, back at the top left when it would no longer fit.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct TPlaceRequest {
  QSize Main;    // the main window's client size
  int AreaTop;   // where the work area starts below the menus and tool bars
  QSize Area;    // the work area's visible size
  std::optional<QPoint> Previous;  // the spot of the last window opened, if one is still open
  int Step;      // one title bar
  QSize Minimum;  // the smallest a document window can be
};

// The new window's geometry in the work area; always inside it.
QRect PlaceDocumentWindow(const TPlaceRequest& r);
