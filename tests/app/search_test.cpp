// The find and replace dialogs driven through their widgets, replace all
// with its messages and its single undo, and the sort commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/finddialog.h"
#include "app/sjistext.h"
#include "docfixture.h"

namespace {

class SearchCommands : public DocFixture {
 protected:
  TFindDialog& Dialog(const char* name) const { return *form->findChild<TFindDialog*>(QLatin1String(name)); }
  TFindDialog& FindDialog() const { return Dialog("FindDialog1"); }
  TFindDialog& ReplaceDialog() const { return Dialog("ReplaceDialog1"); }
  template <typename W>
  W& Part(TFindDialog& d, const char* name) const {
    W* w = d.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return *w;
  }
  void Type(TFindDialog& d, const char* box, const QString& text) const {
    auto& edit = Part<QLineEdit>(d, box);
    edit.selectAll();
    edit.insert(text);  // as typed: QTest types ASCII only
  }
  void Press(TFindDialog& d, const char* button) const { Part<QPushButton>(d, button).click(); }
  void Enter(TFindDialog& d) const { QTest::keyClick(&Part<QLineEdit>(d, "SearchText"), Qt::Key_Return); }
  TMDIChild* OpenText(const QString& text) { return Open(Write("doc.txt", QByteArray::fromStdString(ToSjis(text)))); }
  QString Text() const { return FromSjis(Edit().Text()); }
  QString Selected() const { return FromSjis(Edit().SelText()); }
  void Select(TPoint anchor, TPoint end) const {
    Edit().Sel().AnchorPos = anchor;
    Edit().Sel().EndPos = end;
    Edit().MoveCaretTo(end);
  }
};

TEST_F(SearchCommands, FindStandsBesideTheDocumentTakesTheSelectionAndEnterFindsNext) {
  QString text;
  for (int i = 0; i < 60; ++i) text += i % 20 == 5 ? QStringLiteral("行に検索語がある\r\n") : QStringLiteral("ただの行\r\n");
  TMDIChild* w = OpenText(text);
  Select(TPoint{4, 5}, TPoint{10, 5});
  ASSERT_EQ(Selected(), QStringLiteral("検索語"));
  Action("Find1Click")->trigger();
  TFindDialog& d = FindDialog();
  ASSERT_TRUE(d.isVisible());
  EXPECT_EQ(d.pos(), QPoint(w->x() + form->x() + 120, form->y()));
  EXPECT_EQ(d.SearchText(), QStringLiteral("検索語"));

  Enter(d);
  EXPECT_EQ(Edit().Sel().SelStart(), (TPoint{4, 25}));
  EXPECT_EQ(Edit().TopRow, 25);  // the match's row goes to the top
  Enter(d);
  EXPECT_EQ(Edit().Sel().SelStart(), (TPoint{4, 45}));
  Enter(d);
  EXPECT_EQ(dialogs->messages, (std::vector<QString>{QStringLiteral("見つかりません(-_-;)")}));
  EXPECT_EQ(Edit().Sel().SelStart(), (TPoint{4, 45}));  // the selection stays

  Part<QRadioButton>(d, "Up").click();
  Enter(d);
  Enter(d);
  EXPECT_EQ(Edit().Sel().SelStart(), (TPoint{4, 5}));
}

TEST_F(SearchCommands, AMatchOverAWrappedRowComesToTheTopFromItsFirstRow) {
  QString text;
  for (int i = 0; i < 40; ++i) text += QStringLiteral("行\r\n");
  OpenText(text + QStringLiteral("あいうえおかきくけこ\r\n") + text);
  TAFEditOptions o = Edit().Options();
  o.Include(TAFEditOption::aoAutoFormat);
  Edit().SetOptions(o);
  Edit().SetDefWrapPos(6);  // あいう / えおか / ...
  Edit().ReformatAll();
  Action("Find1Click")->trigger();
  TFindDialog& d = FindDialog();
  Type(d, "SearchText", QStringLiteral("うえ"));
  Enter(d);
  EXPECT_EQ(Selected(), QStringLiteral("うえ"));
  EXPECT_EQ(Edit().CaretPos.Y, 41);
  EXPECT_EQ(Edit().TopRow, 40);
}

// A message box owned by the main window leaves the main window active; the
// next Enter must find again, not replace the found text with a line break.
TEST_F(SearchCommands, AfterAMessageEnterGoesToTheDialogAgain) {
  OpenText(QStringLiteral("abc\r\nabc"));
  dialogs->whileShown = [this] { form->activateWindow(); };
  for (const char* command : {"Find1Click", "Replace1Click"}) {
    Action(command)->trigger();
    TFindDialog& d = Dialog(command == std::string("Find1Click") ? "FindDialog1" : "ReplaceDialog1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    Type(d, "SearchText", QStringLiteral("abc"));
    Edit().MoveCaretTo(TPoint{3, 1});
    Enter(d);  // nothing after the caret
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &d) << command;
    d.close();
  }
  EXPECT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(Text(), QStringLiteral("abc\r\nabc"));
}

TEST_F(SearchCommands, EscapeClosesAndTheDialogKeepsWhatWasEntered) {
  OpenText(QStringLiteral("abc"));
  Action("Find1Click")->trigger();
  TFindDialog& d = FindDialog();
  Type(d, "SearchText", QStringLiteral("xyz"));
  Part<QCheckBox>(d, "MatchCase").click();
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
  Action("Find1Click")->trigger();
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.SearchText(), QStringLiteral("xyz"));
  EXPECT_TRUE(d.MatchCase());
}

TEST_F(SearchCommands, ATextNoDocumentCanHoldIsNotFound) {
  OpenText(QStringLiteral("a?b"));
  Action("Find1Click")->trigger();
  TFindDialog& d = FindDialog();
  Type(d, "SearchText", QStringLiteral("\u2603"));  // no Shift-JIS form: converted, it would be "?"
  Enter(d);
  EXPECT_EQ(dialogs->messages, (std::vector<QString>{QStringLiteral("見つかりません(-_-;)")}));
  EXPECT_FALSE(Edit().Sel().HasSel());
}

TEST_F(SearchCommands, ReplaceTakesASelectionThatDiffersOnlyInCaseThenFindsTheNext) {
  OpenText(QStringLiteral("ABC abc ABC"));
  Select(TPoint{0, 0}, TPoint{3, 0});
  Action("Replace1Click")->trigger();
  TFindDialog& d = ReplaceDialog();
  Type(d, "SearchText", QStringLiteral("abc"));
  Type(d, "ReplaceText", QStringLiteral("日本"));
  Press(d, "ReplaceButton");
  EXPECT_EQ(Text(), QStringLiteral("日本 abc ABC"));
  EXPECT_EQ(Selected(), QStringLiteral("abc"));
  Part<QCheckBox>(d, "MatchCase").click();
  Press(d, "ReplaceButton");  // letter case counts now: "ABC" is no match
  EXPECT_EQ(Text(), QStringLiteral("日本 日本 ABC"));
  Select(TPoint{10, 0}, TPoint{13, 0});
  Press(d, "ReplaceButton");
  EXPECT_EQ(Text(), QStringLiteral("日本 日本 ABC"));
  EXPECT_EQ(dialogs->messages, std::vector<QString>(2, QStringLiteral("見つかりません(-_-;)")));
}

TEST_F(SearchCommands, ReplaceAllEndsInBothDirectionsAndOneUndoTakesItBack) {
  const QString text = QStringLiteral("あいあいあ\r\nいあ");
  OpenText(text);
  Action("Replace1Click")->trigger();
  TFindDialog& d = ReplaceDialog();
  Type(d, "SearchText", QStringLiteral("あ"));
  Type(d, "ReplaceText", QStringLiteral("ああ"));
  Press(d, "ReplaceAllButton");
  EXPECT_EQ(Text(), QStringLiteral("ああいああいああ\r\nいああ"));
  Action("editundoExecute")->trigger();
  EXPECT_EQ(Text(), text);

  Edit().MoveCaretTo(TPoint{4, 1});
  Part<QRadioButton>(d, "Up").click();
  Press(d, "ReplaceAllButton");
  EXPECT_EQ(Text(), QStringLiteral("ああいああいああ\r\nいああ"));
  Action("editundoExecute")->trigger();
  EXPECT_EQ(Text(), text);
  EXPECT_FALSE(Edit().Edited());

  Type(d, "SearchText", QStringLiteral("う"));
  Press(d, "ReplaceAllButton");
  EXPECT_EQ(dialogs->messages, (std::vector<QString>{QStringLiteral("全て置換完了しました(^｡^)"),
                                                     QStringLiteral("全て置換完了しました(^｡^)"),
                                                     QStringLiteral("これ以上見つかりません(-_-;)")}));
}

TEST_F(SearchCommands, ADialogLeftOpenDoesNothingOnceTheDocumentIsClosed) {
  TMDIChild* w = OpenText(QStringLiteral("abc"));
  Action("Replace1Click")->trigger();
  TFindDialog& d = ReplaceDialog();
  Type(d, "SearchText", QStringLiteral("b"));
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(Documents(), 0);
  Press(d, "FindNextButton");
  Press(d, "ReplaceButton");
  Press(d, "ReplaceAllButton");
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(SearchCommands, SortingOrdersLinesAndUndoesInOneStep) {
  const QString text = QStringLiteral("banana\r\nApple\r\nキー付き\r\napple");
  OpenText(text);
  Action("N84Click")->trigger();
  EXPECT_EQ(Text(), QStringLiteral("apple\r\nApple\r\nbanana\r\nキー付き"));
  Action("editundoExecute")->trigger();
  EXPECT_EQ(Text(), text);
  Action("N85Click")->trigger();
  EXPECT_EQ(Text(), QStringLiteral("キー付き\r\nApple\r\napple\r\nbanana"));
  Action("editundoExecute")->trigger();

  dialogs->inputAnswers.push_back(QStringLiteral("ＡＰＰ"));
  Action("N86Click")->trigger();
  EXPECT_EQ(dialogs->inputRequests.back().title, QStringLiteral("文字列の入力"));
  EXPECT_EQ(dialogs->inputRequests.back().prompt, QStringLiteral("入力した文字列を含む行が上部にソートされます"));
  EXPECT_EQ(dialogs->inputRequests.back().value, QString());
  EXPECT_EQ(Text(), text);  // full-width letters are other characters

  dialogs->inputAnswers.push_back(QStringLiteral("キー"));
  Action("N86Click")->trigger();
  EXPECT_EQ(dialogs->inputRequests.back().value, QStringLiteral("ＡＰＰ"));
  EXPECT_EQ(Text(), QStringLiteral("キー付き\r\nbanana\r\nApple\r\napple"));

  dialogs->inputAnswers.push_back(std::nullopt);
  Action("N86Click")->trigger();  // cancelled: nothing sorted, the string kept
  EXPECT_EQ(dialogs->inputRequests.back().value, QStringLiteral("キー"));
  EXPECT_EQ(Text(), QStringLiteral("キー付き\r\nbanana\r\nApple\r\napple"));
}

}  // namespace
