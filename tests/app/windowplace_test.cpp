// Where new document windows open: cascading, wrapping, and staying inside
// the work area whatever the sizes.
#include <gtest/gtest.h>

#include <vector>

#include "app/windowplace.h"

namespace {

// An 800×600 main window whose work area starts 95 pixels down.
TPlaceRequest Request(std::optional<QPoint> previous, QSize main = QSize(800, 600)) {
  return TPlaceRequest{main, 95, QSize(main.width() - 16, main.height() - 140), previous, 22, QSize(120, 40)};
}

std::vector<QRect> OpenInTurn(int count, QSize main = QSize(800, 600)) {
  std::vector<QRect> placed;
  for (int i = 0; i < count; ++i) {
    std::optional<QPoint> previous;
    if (!placed.empty()) previous = placed.back().topLeft();
    placed.push_back(PlaceDocumentWindow(Request(previous, main)));
  }
  return placed;
}

TEST(WindowPlace, CascadesOneTitleBarAtATimeAndWrapsBeforeLeavingTheArea) {
  const std::vector<QRect> placed = OpenInTurn(12);
  // 100 narrower than the main window while that fits, else 200; the
  // bottom stays 100 above the main window's.
  EXPECT_EQ(placed[0], QRect(0, 0, 700, 405));
  EXPECT_EQ(placed[3], QRect(66, 66, 700, 339));
  EXPECT_EQ(placed[4], QRect(88, 88, 600, 317));
  EXPECT_EQ(placed[8], QRect(176, 176, 600, 229));
  // One more step would end at x 798, past the area's 784.
  EXPECT_EQ(placed[9], placed[0]);
  EXPECT_EQ(placed[10], placed[1]);
  const QRect area(QPoint(0, 0), Request(std::nullopt).Area);
  for (const QRect& r : placed) EXPECT_TRUE(area.contains(r)) << r.x() << "," << r.y();
}

TEST(WindowPlace, ShortMainWindowWrapsBeforeWindowsGetTooShort) {
  // First window 205 high; at 110 down it would be 95, under half of that.
  const std::vector<QRect> placed = OpenInTurn(7, QSize(800, 400));
  EXPECT_EQ(placed[4].topLeft(), QPoint(88, 88));
  EXPECT_EQ(placed[4].height(), 117);
  EXPECT_EQ(placed[5].topLeft(), QPoint(0, 0));
}

TEST(WindowPlace, PreviousWindowMovedAwayStartsAgainAtTheTopLeft) {
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(-50, 10))).topLeft(), QPoint(0, 0));
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(500, 0))).topLeft(), QPoint(0, 0));
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(10, 300))).topLeft(), QPoint(0, 0));
  EXPECT_EQ(PlaceDocumentWindow(Request(QPoint(10, 20))).topLeft(), QPoint(32, 42));
}

TEST(WindowPlace, TinyOrOddMainWindowsStillGiveAWindowInsideTheArea) {
  for (const QSize main : {QSize(150, 150), QSize(21, 21), QSize(199, 700), QSize(3000, 120)}) {
    TPlaceRequest r = Request(std::nullopt, main);
    r.Area = QSize(std::max(main.width() - 16, 1), std::max(main.height() - 140, 1));
    for (const std::optional<QPoint> previous : {std::optional<QPoint>(), std::optional<QPoint>(QPoint(0, 0))}) {
      r.Previous = previous;
      const QRect placed = PlaceDocumentWindow(r);
      EXPECT_FALSE(placed.isEmpty());
      EXPECT_TRUE(QRect(QPoint(0, 0), r.Area).contains(placed))
          << main.width() << "x" << main.height() << " -> " << placed.width() << "x" << placed.height();
    }
  }
}

}  // namespace
