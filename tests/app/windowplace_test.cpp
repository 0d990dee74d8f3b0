// Where new document windows open: cascading, wrapping, and staying inside
// the work area whatever the sizes.
#include <gtest/gtest.h>

#include <vector>

#include "app/windowplace.h"

namespace {

// A main window whose work area starts 95 pixels down, 16 narrower and 140 lower.
TPlaceRequest Request(std::optional<QPoint> previous, QSize main = QSize(800, 600)) {
  const QSize area(std::max(main.width() - 16, 1), std::max(main.height() - 140, 1));
  return TPlaceRequest{main, 95, area, previous, 22, QSize(120, 40)};
}

std::vector<QRect> OpenInTurn(int count, QSize main) {
  std::vector<QRect> placed;
  for (int i = 0; i < count; ++i) {
    std::optional<QPoint> previous;
    if (!placed.empty()) previous = placed.back().topLeft();
    placed.push_back(PlaceDocumentWindow(Request(previous, main)));
  }
  return placed;
}

TEST(WindowPlace, CascadesOneTitleBarAtATimeAndWrapsBeforeLeavingTheArea) {
  const std::vector<QRect> placed = OpenInTurn(11, QSize(800, 600));
  // 100 narrower than the main window while that fits, else 200; the
  // bottom stays 100 above the main window's.
  EXPECT_EQ(placed[0], QRect(0, 0, 700, 405));
  EXPECT_EQ(placed[3], QRect(66, 66, 700, 339));
  EXPECT_EQ(placed[4], QRect(88, 88, 600, 317));
  EXPECT_EQ(placed[8], QRect(176, 176, 600, 229));
  // One more step would end at x 798, past the area's 784.
  EXPECT_EQ(placed[9], placed[0]);
  EXPECT_EQ(placed[10], placed[1]);

  // In a short main window the wrap comes first where a window would be
  // less than half as tall as the first (205): at 110 down it would be 95.
  const std::vector<QRect> shorter = OpenInTurn(6, QSize(800, 400));
  EXPECT_EQ(shorter[4], QRect(88, 88, 600, 117));
  EXPECT_EQ(shorter[5].topLeft(), QPoint(0, 0));
}

TEST(WindowPlace, AlwaysInsideTheAreaWhateverTheSizesAndThePreviousSpot) {
  const std::optional<QPoint> previous[] = {std::nullopt,       QPoint(0, 0),    QPoint(-50, 10),
                                            QPoint(500, 0),     QPoint(10, 300), QPoint(3000, 3000)};
  for (const QSize main : {QSize(800, 600), QSize(150, 150), QSize(21, 21), QSize(199, 700), QSize(3000, 120)}) {
    for (const std::optional<QPoint>& p : previous) {
      const TPlaceRequest r = Request(p, main);
      const QRect placed = PlaceDocumentWindow(r);
      EXPECT_FALSE(placed.isEmpty());
      EXPECT_TRUE(QRect(QPoint(0, 0), r.Area).contains(placed))
          << main.width() << "x" << main.height() << " after " << (p ? p->x() : -1) << "," << (p ? p->y() : -1);
    }
  }
  // A previous window moved where the next step does not fit: the top left.
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(500, 0))).topLeft(), QPoint(0, 0));
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(10, 20))).topLeft(), QPoint(32, 42));
}

}  // namespace
