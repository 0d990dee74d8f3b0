// The document window: re-wrapping with its width, menus at the caret,
// activation, and the colouring as the editor paints.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "docfixture.h"

namespace {

class ChildWindow : public DocFixture {
 protected:
  TMDIChild* OpenLong(const char* command = "FileOpenItemClick") {
    return Open(Write(QString("long%1.txt").arg(++files), QByteArray(300, 'w') + "\r\nend"), command);
  }
  void Narrower(TMDIChild* w, int by) {
    w->resize(w->width() - by, w->height());
    QCoreApplication::processEvents();
  }
  int files = 0;
};

TEST_F(ChildWindow, RightEdgeWrappingFollowsTheWidthAsAnUndoableStep) {
  TMDIChild* w = OpenLong();
  TAFEdit& e = *w->AFEdit;
  ASSERT_EQ(e.RowCount(), 2);
  Action("N98Click")->trigger();
  EXPECT_EQ(e.DefWrapPos(), e.VisibleCols() - 3);
  const int rowsBefore = e.RowCount();
  EXPECT_GT(rowsBefore, 2);
  EXPECT_FALSE(e.Edited());

  const int wrapBefore = e.DefWrapPos();
  Narrower(w, 160);
  EXPECT_EQ(e.DefWrapPos(), e.VisibleCols() - 3);
  EXPECT_LT(e.DefWrapPos(), wrapBefore);
  EXPECT_GT(e.RowCount(), rowsBefore);
  EXPECT_TRUE(e.UndoBuffer().CanUndo);  // the width change
  EXPECT_TRUE(Enabled("editundoExecute"));
  EXPECT_FALSE(e.Edited());  // a re-layout is no change to the text
  EXPECT_FALSE(w->ResizePending);
  EXPECT_EQ(e.Text(), std::string(300, 'w') + "\r\nend");

  // Undo gives the document window its width back, and the wrap with it.
  const int narrowWidth = w->width();
  const std::vector<std::string> narrowRows = [&] {
    std::vector<std::string> rows;
    for (int r = 0; r < e.RowCount(); ++r) rows.emplace_back(e.GetRow(r));
    return rows;
  }();
  e.Undo();
  EXPECT_EQ(w->width(), narrowWidth + 160);
  EXPECT_EQ(e.DefWrapPos(), wrapBefore);
  EXPECT_EQ(e.RowCount(), rowsBefore);
  e.Redo();
  EXPECT_EQ(w->width(), narrowWidth);
  EXPECT_EQ(e.RowCount(), static_cast<int>(narrowRows.size()));
  EXPECT_FALSE(e.Edited());

  // Off again: the plain window is unwrapped, and keeps the configured column.
  Action("N98Click")->trigger();
  EXPECT_EQ(e.RowCount(), 2);
  EXPECT_EQ(e.DefWrapPos(), 60);
}

TEST_F(ChildWindow, AutoFormatWindowsKeepTheirColumnWhateverTheWidth) {
  OpenLong();
  Action("N98Click")->trigger();
  TMDIChild* w = OpenLong("N91Click");
  TAFEdit& e = *w->AFEdit;
  ASSERT_EQ(w->Tag, 1);
  EXPECT_EQ(e.DefWrapPos(), 60);
  const int rows = e.RowCount();
  Narrower(w, 160);
  EXPECT_EQ(e.DefWrapPos(), 60);
  EXPECT_EQ(e.RowCount(), rows);
  EXPECT_FALSE(e.UndoBuffer().CanUndo);
  EXPECT_FALSE(e.Edited());
}

TEST_F(ChildWindow, AResizeToTheSameSizeIsNoResize) {
  TMDIChild* w = OpenLong();
  w->SavedEdited = true;  // would be written back by a resize
  w->resize(w->size());
  QCoreApplication::processEvents();
  EXPECT_TRUE(w->SavedEdited);
  EXPECT_FALSE(w->ResizePending);
  EXPECT_FALSE(w->AFEdit->Edited());
}

TEST_F(ChildWindow, ExactlyCtrlAndALetterOpensItsMenuAtTheCaret) {
  Open(Write("a.html", "<p>\r\nabc"));
  QMenu* body = form->Commands().Menu("bodymenu");
  Edit().MoveCaretTo(TPoint{2, 1});
  QTest::keyClick(&Edit(), Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(body->isVisible());
  QTest::keyClick(&Edit(), Qt::Key_B, Qt::ControlModifier);
  ASSERT_TRUE(body->isVisible());
  EXPECT_EQ(body->pos(), Active()->CaretPopupPoint());
  body->hide();

  QTest::keyClick(&Edit(), Qt::Key_U, Qt::ControlModifier);
  QMenu* popup = form->Commands().Menu("PopMenu");
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
}

TEST_F(ChildWindow, ThePopupPointFollowsTheCaret) {
  Open(Write("a.txt", "abcdef\r\nxyz"));
  TAFEdit& e = Edit();
  e.MoveCaretTo(TPoint{0, 0});
  const QPoint first = Active()->CaretPopupPoint();
  e.MoveCaretTo(TPoint{3, 1});
  const QPoint later = Active()->CaretPopupPoint();
  EXPECT_EQ(later - first, QPoint(3 * e.CellWidth(), e.RowHeight()));
  // Just below the caret's row, inside the text area.
  const QPoint local = e.viewport()->mapFromGlobal(first);
  EXPECT_EQ(local, QPoint(e.TextLeft(), e.TextTop() + e.RowHeight()));
}

TEST_F(ChildWindow, ViewAndEditorOptionsReachEveryOpenEditor) {
  TMDIChild* a = Open(Write("a.txt", "a"));
  TMDIChild* b = Open(Write("b.txt", "b"));
  Action("N32Click")->trigger();  // row numbers off
  for (TMDIChild* w : {a, b}) EXPECT_FALSE(w->AFEdit->ViewOpt().Has(TViewOption::voRowNum));
  Action("N17Click")->trigger();  // free caret on
  for (TMDIChild* w : {a, b}) EXPECT_TRUE(w->AFEdit->HasOption(TAFEditOption::aoFreeCaret));
}

// Strongly red pixels in the text of one row, as the editor painted it.
int RedPixels(TAFEdit& e, int row) {
  e.RepaintNow();
  const QImage image = e.BackBuffer().convertToFormat(QImage::Format_RGB32);
  int count = 0;
  const int top = e.TextTop() + (row - e.TopRow) * e.RowHeight();
  for (int y = top; y < top + e.RowHeight() && y < image.height(); ++y) {
    for (int x = e.TextLeft(); x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++count;
    }
  }
  return count;
}

class HtmlPaintTest : public DocFixture {
 protected:
  void SetUp() override {
    WriteIni("[color]\r\nhtml=$000000FF\r\n[emb]\r\nhtml=1\r\n");
    DocFixture::SetUp();
  }
};

TEST_F(HtmlPaintTest, TagsAreDrawnInTheTagColourUntilSwitchedOff) {
  Open(Write("p.html", "x <b>bold</b>\r\nno tags here"));
  TAFEdit& e = Edit();
  EXPECT_GT(RedPixels(e, 0), 20);
  EXPECT_EQ(RedPixels(e, 1), 0);
  Action("embtagClick")->trigger();
  EXPECT_EQ(RedPixels(e, 0), 0);
}

// Rows already coloured take a newly picked tag colour without being edited.
TEST_F(HtmlPaintTest, APickedTagColourIsDrawnAtOnceInEveryDocument) {
  Open(Write("p.html", "x <b>bold</b>"));
  Open(Write("q.html", "<i>it</i>"));
  dialogs->colorAnswers.push_back(clBlue);
  Action("htmlcolClick")->trigger();
  for (TMDIChild* w : form->Children()) EXPECT_EQ(RedPixels(*w->AFEdit, 0), 0);
  dialogs->colorAnswers.push_back(clRed);
  Action("htmlcolClick")->trigger();
  for (TMDIChild* w : form->Children()) EXPECT_GT(RedPixels(*w->AFEdit, 0), 10);
}

}  // namespace
