#include "app/editcommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QProgressDialog>

#include "app/busy.h"
#include "docfixture.h"
#include "editfixture.h"

namespace {

class SelectRowTest : public EditFixture {
 protected:
  void SetUp() override {
    Load("one\r\ntwo\r\nthree\r\nfour");
    edit.OnSelect = [this] { ++selects; };
  }
  int selects = 0;
};

TEST_F(SelectRowTest, RepeatingItSelectsTheFollowingRows) {
  edit.MoveCaretTo(TPoint{2, 1});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelTop(), 1);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 1);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 2}));
  EXPECT_EQ(selects, 1);
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelTop(), 2);
  EXPECT_EQ(edit.Sel().RowSelBottom(), 2);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 3}));
}

TEST_F(SelectRowTest, TheFirstAndTheLastRowKeepTheCaret) {
  edit.MoveCaretTo(TPoint{1, 0});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 0);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 0}));
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 0);

  edit.MoveCaretTo(TPoint{3, 3});
  SelectCaretRow(edit);
  EXPECT_EQ(edit.Sel().RowSelFrom, 3);
  EXPECT_EQ(edit.CaretPos, (TPoint{0, 3}));
}

TEST_F(SelectRowTest, AStreamSelectionGivesWayToTheRow) {
  edit.Sel().AnchorPos = TPoint{0, 0};
  edit.Sel().EndPos = TPoint{2, 2};
  edit.MoveCaretTo(TPoint{2, 2});
  SelectCaretRow(edit);
  EXPECT_FALSE(edit.Sel().HasSel());
  EXPECT_EQ(edit.Sel().RowSelFrom, 2);
  EXPECT_EQ(edit.SelText(), "three\r\n");
}

// The labels of the busy dialogs shown while it lives.
class BusyDialogs : public QObject {
 public:
  BusyDialogs() { qApp->installEventFilter(this); }
  ~BusyDialogs() override { qApp->removeEventFilter(this); }
  QStringList shown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* dialog = qobject_cast<QProgressDialog*>(watched); dialog && event->type() == QEvent::Show)
      shown << dialog->labelText();
    return false;
  }
};

// The threshold set for one test.
class BusyThreshold {
 public:
  explicit BusyThreshold(long long bytes) : saved_(TBusyIndicator::threshold) { TBusyIndicator::threshold = bytes; }
  ~BusyThreshold() { TBusyIndicator::threshold = saved_; }

 private:
  long long saved_;
};

using ClipboardCommands = DocFixture;

TEST_F(ClipboardCommands, LargeWorkShowsTheBusyDialogSmallWorkDoesNot) {
  Open(Write("a.txt", "alpha beta gamma\r\ndelta epsilon"));
  const auto copyPasteCut = [this] {
    Action("EditSelectAll1Execute")->trigger();
    Action("editcopyExecute")->trigger();
    Action("pasteExecute")->trigger();
    Action("EditSelectAll1Execute")->trigger();
    Action("editcutExecute")->trigger();
  };
  {
    const BusyThreshold small(4);
    BusyDialogs busy;
    copyPasteCut();
    EXPECT_EQ(busy.shown, (QStringList{"コピー中...", "貼り付け中...", "切り取り中..."}));
  }
  EXPECT_EQ(Edit().Text(), "");
  EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta gamma\ndelta epsilon");
  Action("editundoExecute")->trigger();
  BusyDialogs busy;
  copyPasteCut();
  EXPECT_TRUE(busy.shown.isEmpty());
}

}  // namespace
