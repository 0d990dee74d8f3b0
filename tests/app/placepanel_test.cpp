// Where am I: the status bar's place panel and the modified mark in the
// document window's title.
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "app/placepanel.h"
#include "docfixture.h"

namespace {

class WhereAmI : public DocFixture {
 protected:
  void SetUp() override {
    DocFixture::SetUp();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  QString Place() {
    QCoreApplication::processEvents();  // refreshes after a command come as outside work
    return form->PlacePanel()->text();
  }
  void Caret(int x, int y) {
    Edit().setFocus();
    Edit().MoveCaretTo(TPoint{x, y});
  }
};

TEST(PlaceText, NamesTheFilesEncodingBeforeTheOneTheSaveWrites) {
  TFileOrigin origin;
  EXPECT_EQ(PlaceText({12, 5}, origin), "12 行 5 桁　SJIS CRLF");
  origin.Encoding = TEncoding::Euc;
  origin.LineEnd = TLineEnd::Lf;
  EXPECT_EQ(PlaceText({3, 70000}, origin), "3 行 70000 桁　EUC→SJIS LF");
  origin.Encoding = TEncoding::Utf8;
  origin.LineEnd = TLineEnd::Cr;
  EXPECT_EQ(PlaceText({1, 1}, origin), "1 行 1 桁　UTF-8→SJIS CR");
}

TEST_F(WhereAmI, ThePanelFollowsTheCaretTheActiveDocumentAndSaves) {
  const QString sjis = Write("a.txt", "ab\r\n\x82\xA0\x82\xA2z");  // ab / あいz
  const QString utf8 = Write("u.txt", "x\r\ny\r\n");
  TMDIChild* first = Open(sjis);
  Caret(4, 1);  // after あい
  EXPECT_EQ(Place(), "2 行 3 桁　SJIS CRLF");
  TMDIChild* second = Open(utf8, "UnicodeUTF8ShiftJIS1Click");
  EXPECT_EQ(Place(), "1 行 1 桁　UTF-8→SJIS CRLF");
  form->MdiArea()->setActiveSubWindow(first);
  EXPECT_EQ(Place(), "2 行 3 桁　SJIS CRLF");
  // After "上書き保存" the file is Shift-JIS.
  form->MdiArea()->setActiveSubWindow(second);
  Type("w");
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Place(), "1 行 2 桁　SJIS CRLF");
  second->close();
  first->close();
  EXPECT_EQ(Place(), "");
}

TEST_F(WhereAmI, TheTitleMarksAModifiedDocumentWhileTheCaptionStaysThePath) {
  const QString path = Write("a[*]b.txt", "text");
  TMDIChild* w = Open(path);
  const QMdiSubWindow* qt = w;
  EXPECT_EQ(w->windowTitle(), path);
  // A "[*]" of the path is doubled, which Qt shows as it stands.
  EXPECT_EQ(qt->windowTitle(), Path("a[*][*]b.txt[*]"));
  EXPECT_FALSE(w->isWindowModified());
  Type("x");
  EXPECT_TRUE(w->isWindowModified());
  QMenu* windows = form->Commands().Menu("WindowMenu");
  emit windows->aboutToShow();
  EXPECT_EQ(windows->actions().constLast()->text(), "&1 " + path);
  Edit().Undo();
  EXPECT_FALSE(w->isWindowModified());
  Type("y");
  Action("filesaveExecute")->trigger();
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_EQ(Bytes(path), "ytext");
  EXPECT_EQ(w->windowTitle(), path);
}

}  // namespace
