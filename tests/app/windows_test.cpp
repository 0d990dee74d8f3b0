// Document windows in the main window's work area: where they open, and
// maximised ones filling the area whatever happens to the main window.
#include <gtest/gtest.h>

#include <QMdiArea>

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

TEST_F(DocumentWindows, NewWindowsCascadeByATitleBarInsideTheArea) {
  MainSize(800, 600);
  const QRect first = OpenOne()->geometry();
  const QRect second = OpenOne()->geometry();
  const QRect third = OpenOne()->geometry();
  EXPECT_EQ(first.topLeft(), QPoint(0, 0));
  const QPoint step = second.topLeft() - first.topLeft();
  EXPECT_EQ(step.x(), step.y());
  EXPECT_GT(step.x(), 10);
  EXPECT_EQ(third.topLeft(), second.topLeft() + step);
  for (const QRect& r : {first, second, third}) EXPECT_TRUE(AreaRect().contains(r));

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
  EXPECT_GT(second->pos().x(), first->PlacedAt.x());
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
