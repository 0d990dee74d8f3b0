#include "app/outsidework.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/qtdialogs.h"
#include "docfixture.h"

namespace {

TEST(OutsideWork, WaitsForEveryHoldAndRunsFromTheEventLoopInOrder) {
  QObject context;
  QStringList ran;
  {
    const TOutsideWork::THold command;
    {
      const TOutsideWork::THold box;
      TOutsideWork::Post(&context, [&] { ran << "first"; });
      QCoreApplication::processEvents();  // the box's own loop
      EXPECT_TRUE(ran.isEmpty());
    }
    TOutsideWork::Post(&context, [&] { ran << "second"; });
    QCoreApplication::processEvents();  // a loop further on in the command
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_FALSE(TOutsideWork::Idle());
  }
  EXPECT_TRUE(ran.isEmpty()) << "never within the code that lets go";
  QCoreApplication::processEvents();
  EXPECT_EQ(ran, (QStringList{"first", "second"}));
  EXPECT_TRUE(TOutsideWork::Idle());
}

TEST(OutsideWork, WorkArrivingWhilePostedWorkShowsABoxWaitsForIt) {
  QObject context;
  QStringList ran;
  TOutsideWork::Post(&context, [&] {
    ran << "box up";
    TOutsideWork::Post(&context, [&] { ran << "arrived"; });
    QCoreApplication::processEvents();
    ran << "box down";
  });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(ran, (QStringList{"box up", "box down", "arrived"}));
}

TEST(OutsideWork, WorkForAnObjectThatIsGoneIsDropped) {
  auto context = std::make_unique<QObject>();
  bool ran = false;
  TOutsideWork::Post(context.get(), [&] { ran = true; });
  context.reset();
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}

// A real message box: its nested loop holds back what arrives meanwhile,
// also when no command opened it.
TEST(OutsideWork, AMessageBoxOnScreenHoldsWorkBack) {
  QWidget parent;
  QtDialogs dialogs(&parent);
  QObject context;
  bool ranWhileOpen = false;
  bool ran = false;
  QTimer::singleShot(0, [&] {
    TOutsideWork::Post(&context, [&] { ran = true; });
    QCoreApplication::processEvents();
    ranWhileOpen = ran;
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  dialogs.ShowMessage("box");
  EXPECT_FALSE(ranWhileOpen);
  QCoreApplication::processEvents();
  EXPECT_TRUE(ran);
}

// The command chosen from an open menu acts on the document it was opened
// over; a document arriving meanwhile waits until the menu is closed.
TEST(OutsideWork, AnOpenPopUpMenuHoldsWorkBack) {
  QWidget window;
  window.show();
  QMenu menu(&window);
  menu.addAction("item");
  menu.popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
  QObject context;
  bool ran = false;
  TOutsideWork::Post(&context, [&] { ran = true; });
  QTest::qWait(250);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(TOutsideWork::Idle());
  menu.close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 2000));
}

using ArrivalsDuringABox = DocFixture;

TEST_F(ArrivalsDuringABox, ADropWaitsUntilTheCommandIsDone) {
  const QString dropped = Write("dropped.txt", "d");
  const QString utf8 = Write("u.txt", "\xC3\xA9");  // no Shift-JIS form: a box says so
  int documentsWhileOpen = -1;
  dialogs->whileShown = [&] {
    if (dialogs->messages.empty()) return;  // the open dialog comes first
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);
    QCoreApplication::processEvents();
    documentsWhileOpen = Documents();
  };
  Open(utf8, "UnicodeUTF8ShiftJIS1Click");
  dialogs->whileShown = nullptr;
  EXPECT_EQ(documentsWhileOpen, 1);
  QCoreApplication::processEvents();
  ASSERT_EQ(Documents(), 2);
  EXPECT_EQ(form->Children()[0]->windowTitle(), utf8);
  EXPECT_EQ(Edit().Text(), "d");
  EXPECT_EQ(Active()->windowTitle(), dropped);
}

}  // namespace
