// Document windows in the main window's work area: where they open, and
// maximised ones filling the area whatever happens to the main window.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QTest>

#include "docfixture.h"

namespace {

class DocumentWindows : public DocFixture {
 protected:
  TMDIChild* OpenOne() {
    return Open(Write(QString("doc%1.txt").arg(++files), QByteArray(300, 'w') + "\r\nend"));
  }
  void MainSize(int w, int h) {
    form->resize(w, h);
    QCoreApplication::processEvents();
  }
  QRect AreaRect() const { return form->MdiArea()->viewport()->rect(); }
  int files = 0;
};

TEST_F(DocumentWindows, NewWindowsCascadeInsideTheAreaAndWrap) {
  MainSize(800, 600);
  std::vector<QRect> placed;
  for (int i = 0; i < 14; ++i) placed.push_back(OpenOne()->geometry());
  EXPECT_EQ(placed[0].topLeft(), QPoint(0, 0));
  int wraps = 0;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_TRUE(AreaRect().contains(placed[i])) << i;
    if (i == 0) continue;
    const QPoint step = placed[i].topLeft() - placed[i - 1].topLeft();
    if (placed[i].topLeft() == QPoint(0, 0)) {
      ++wraps;
    } else {
      EXPECT_EQ(step.x(), step.y()) << i;
      EXPECT_GT(step.x(), 10) << i;  // a title bar
    }
  }
  EXPECT_GE(wraps, 1);

  // All closed: the next one starts at the top left again.
  for (TMDIChild* w : form->Children()) w->close();
  EXPECT_EQ(OpenOne()->pos(), QPoint(0, 0));
}

TEST_F(DocumentWindows, MaximisedWindowsFillTheAreaAsTheMainWindowChanges) {
  MainSize(800, 600);
  TMDIChild* first = OpenOne();
  first->showMaximized();
  MainSize(1300, 700);
  EXPECT_EQ(first->geometry(), AreaRect());

  // A window opened meanwhile is maximised too, and cascades when restored.
  TMDIChild* second = OpenOne();
  EXPECT_TRUE(second->isMaximized());
  EXPECT_EQ(second->geometry(), AreaRect());
  second->showNormal();
  const QPoint step = second->pos() - first->PlacedAt;
  EXPECT_EQ(step.x(), step.y());
  EXPECT_GT(step.x(), 10);
  second->showMaximized();

  // With right-edge wrapping a resize is an undoable step; undoing the
  // widening must not shrink a maximised window inside the area.
  Action("N98Click")->trigger();
  MainSize(900, 650);
  MainSize(1300, 700);
  TAFEdit& e = *second->AFEdit;
  ASSERT_TRUE(e.UndoBuffer().CanUndo);
  const int wrap = e.DefWrapPos();
  e.Undo();
  QCoreApplication::processEvents();
  EXPECT_TRUE(second->isMaximized());
  EXPECT_EQ(second->geometry(), AreaRect());
  EXPECT_EQ(e.DefWrapPos(), wrap);
}

}  // namespace
