// The conversion and insertion commands as the user runs them: on a
// document's selection, through their input boxes and messages, and back
// with one undo.
#include <gtest/gtest.h>

#include <deque>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "app/datetimetext.h"
#include "app/numbermessage.h"
#include "app/sjistext.h"
#include "app/wordregister.h"
#include "docfixture.h"

namespace {

class ConvCommands : public DocFixture {
 protected:
  // A document holding `text` (UTF-8), with the columns from..to of row 0
  // selected.
  void OpenSelected(const QString& text, int from, int to) {
    Open(Write("a.txt", ToSjisBytes(text)));
    SelectColumns(from, to);
  }
  void SelectColumns(int from, int to, int row = 0) {
    Edit().Sel().AnchorPos = TPoint{from, row};
    Edit().Sel().EndPos = TPoint{to, row};
    Edit().CaretPos = TPoint{to, row};
    Edit().CheckSelState();
  }
  static QByteArray ToSjisBytes(const QString& text) { return QByteArray::fromStdString(ToSjis(text)); }
  QString Text() const { return FromSjis(Edit().Text()); }
  void Run(const char* id) { Action(id)->trigger(); }
};

TEST_F(ConvCommands, ToolBarAndPopUpItemsConvertTheSelectionAndUndoRestoresIt) {
  OpenSelected("ＡＢＣabcあいう ｶﾅ①", 0, 9);
  const std::string before = Edit().Text();
  Run("N116Click");
  EXPECT_EQ(Text(), "ＡＢＣABCあいう ｶﾅ①");
  Run("editundoExecute");
  EXPECT_EQ(Edit().Text(), before);

  SelectColumns(0, 9);
  Run("ei_hanClick");
  EXPECT_EQ(Text(), "ABCabcあいう ｶﾅ①");
  Run("editundoExecute");
  SelectColumns(13, 18);
  Run("sptokanmaClick");
  EXPECT_EQ(Text(), "ＡＢＣabcあいう,ｶﾅ①");
  EXPECT_FALSE(Enabled("N116Click"));  // the selection is gone, and its commands with it
}

TEST_F(ConvCommands, QuotesEncloseTheSelectionOrGoInAtTheCaret) {
  OpenSelected("引用\r\n", 0, 4);
  Edit().Sel().EndPos = Edit().CaretPos = TPoint{0, 1};  // the line with its end
  Run("knijuClick");
  EXPECT_EQ(Text(), "『引用』\r\n");
  Edit().CaretPos = TPoint{0, 1};
  Run("khtmlClick");
  EXPECT_EQ(Text(), "『引用』\r\n<>");
  EXPECT_EQ(Edit().CaretPos, (TPoint{2, 1}));
}

TEST_F(ConvCommands, AReadOnlyDocumentIsLeftAsItIs) {
  OpenSelected("abc", 0, 3);
  Edit().SetReadOnly(true);
  for (const char* id : {"N116Click", "kkagiClick", "dateitemClick", "convdayClick", "renbanClick", "prereplsClick"}) {
    Run(id);
  }
  EXPECT_EQ(Text(), "abc");
  EXPECT_TRUE(dialogs->inputRequests.empty());
}

TEST_F(ConvCommands, ANumberOutOfRangeIsNamedAndTheTextStays) {
  OpenSelected("99999999999", 0, 11);
  Run("poptentosixClick");
  EXPECT_EQ(Text(), "99999999999");
  EXPECT_EQ(dialogs->messages, std::vector<QString>{"「99999999999」は整数ではありません(-_-;)"});
  SelectColumns(0, 3);
  Run("poptentosixClick");
  EXPECT_EQ(Text(), "$3E799999999");
}

TEST(NumberMessage, NamesTheTextShortenedWhenLong) {
  EXPECT_EQ(NotANumberMessage("12a"), "「12a」は整数ではありません(-_-;)");
  const QString shown = NotANumberMessage(QString(100, QLatin1Char('9')));
  EXPECT_TRUE(shown.contains(QString(40, QLatin1Char('9')) + "…")) << shown.toStdString();
  EXPECT_FALSE(shown.contains(QString(41, QLatin1Char('9'))));
}

TEST_F(ConvCommands, DateNotationAsksForOneOfEightPatterns) {
  OpenSelected("2006/7/6 と 2006/7/6", 0, 20);
  dialogs->inputAnswers = {QString("8"), QString("12"), std::nullopt, QString("３")};
  for (int i = 0; i < 3; ++i) Run("convdayClick");
  EXPECT_EQ(Text(), "2006/7/6 と 2006/7/6");
  EXPECT_EQ(dialogs->messages.size(), 2u);  // 8 and 12; the cancel says nothing
  ASSERT_EQ(dialogs->inputRequests.size(), 3u);
  EXPECT_EQ(dialogs->inputRequests[0].title, "年月日の表示方法の選択");
  EXPECT_EQ(dialogs->inputRequests[0].prompt,
            " 0  年号y年mm月dd日\r\n 1  年号y年m月d日\r\n 2  yyyy年mm月dd日\r\n 3  yyyy年m月d日\r\n"
            " 4  yyyy/mm/dd\r\n 5  yyyy/m/d\r\n 6  yyyy.mm.dd\r\n 7  yyyy.m.d");
  EXPECT_EQ(dialogs->inputRequests[0].value, "0");
  Run("convdayClick");  // pattern 3, full width
  EXPECT_EQ(Text(), "2006年7月6日 と 2006年7月6日");
  EXPECT_FALSE(Edit().Sel().HasSel());
  Run("editundoExecute");
  EXPECT_EQ(Text(), "2006/7/6 と 2006/7/6");
}

TEST_F(ConvCommands, LineHeadReplacementAsksForACountAndAText) {
  Open(Write("a.txt", "abcd\r\nefgh\r\nijkl"));
  SelectColumns(1, 0);
  Edit().Sel().EndPos = Edit().CaretPos = TPoint{0, 1};  // ends at the start of row 1: it counts
  dialogs->inputAnswers = {QString("２"), QString(">")};
  Run("prereplsClick");
  EXPECT_EQ(Text(), ">cd\r\n>gh\r\nijkl");
  ASSERT_EQ(dialogs->inputRequests.size(), 2u);
  EXPECT_EQ(dialogs->inputRequests[0].title, "選択範囲の行頭を文字列で置き換え・・・文字数の指定");
  EXPECT_EQ(dialogs->inputRequests[0].prompt, "置き換える文字数を入力してください");
  EXPECT_EQ(dialogs->inputRequests[1].title, "選択範囲の行頭を文字列で置き換え・・・文字列");
  EXPECT_EQ(dialogs->inputRequests[1].prompt, "置き換える文字列を入力してください");
  EXPECT_FALSE(Edit().Sel().HasSel());
  Run("editundoExecute");  // one row at a time
  EXPECT_EQ(Text(), "abcd\r\n>gh\r\nijkl");
  Run("editundoExecute");
  EXPECT_EQ(Text(), "abcd\r\nefgh\r\nijkl");
}

TEST_F(ConvCommands, LineHeadAnswersThatEndTheCommandLetTheSelectionGo) {
  Open(Write("a.txt", "abcd\r\nefgh"));
  // Cancelled at once, a count that is no number, cancelled at the text.
  const std::deque<std::optional<QString>> answers[] = {
      {std::nullopt}, {QString("x")}, {QString("1"), std::nullopt}};
  for (const auto& script : answers) {
    Edit().SelectAll();
    dialogs->inputAnswers = script;
    Run("prereplsClick");
    EXPECT_TRUE(dialogs->inputAnswers.empty());
    EXPECT_EQ(Text(), "abcd\r\nefgh");
    EXPECT_FALSE(Edit().Sel().HasRowSel());
    EXPECT_FALSE(Enabled("prereplsClick"));
  }
  EXPECT_EQ(dialogs->messages, std::vector<QString>{"「x」は整数ではありません(-_-;)"});
}

TEST_F(ConvCommands, NumberingTheSelectedRows) {
  Open(Write("a.txt", "one\r\ntwo\r\nthree"));
  Edit().SelectAll();
  dialogs->inputAnswers = {QString("(1)")};
  Run("renbanClick");
  EXPECT_EQ(Text(), "(1)one\r\n(2)two\r\n(3)three");
  EXPECT_EQ(dialogs->inputRequests.at(0).title, "挿入する連番の文字形式");
  EXPECT_EQ(dialogs->inputRequests.at(0).prompt, "最初の番号を入力してください。");
  for (int i = 0; i < 3; ++i) Run("editundoExecute");
  EXPECT_EQ(Text(), "one\r\ntwo\r\nthree");

  Edit().SelectAll();
  dialogs->inputAnswers = {QString("第章")};
  Run("renbanClick");
  EXPECT_EQ(Text(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(dialogs->messages, std::vector<QString>{"「第章」は整数ではありません(-_-;)"});
}

TEST_F(ConvCommands, DateAndTimeGoInAtTheCaret) {
  Open(Write("a.txt", ""));
  const QDate day = QDate::currentDate();
  Run("dateitemClick");
  const QString date = Text();
  EXPECT_TRUE(date == DateInsertText(day) || date == DateInsertText(QDate::currentDate())) << date.toStdString();

  Edit().SelectAll();
  Run("timeitemClick");  // "時計の24時間表示" is ticked at start
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$").match(Text()).hasMatch()) << Text().toStdString();
  Action("viewhourClick")->trigger();
  Edit().SelectAll();
  Run("timeitemClick");
  EXPECT_TRUE(QRegularExpression("^ \\d\\d?:\\d\\d$").match(Text()).hasMatch()) << Text().toStdString();
}

TEST(DateInsertText, TheShortDateOfTheLocale) {
  const QDate day(2006, 7, 6);
  EXPECT_EQ(DateInsertText(day, QLocale(QLocale::Japanese, QLocale::Japan)), "2006/07/06");
  EXPECT_EQ(DateInsertText(day, QLocale::c()), "2006/07/06");
  EXPECT_EQ(DateInsertText(day, QLocale(QLocale::German, QLocale::Germany)), "06.07.06");
}

TEST_F(ConvCommands, ToolGroupsAndTheToolBarAreKeptInTheSettings) {
  Action("N129Click")->trigger();
  Action("N131Click")->trigger();
  Action("henkanmenuClick")->trigger();
  ASSERT_TRUE(form->SaveSettings());
  form.reset();
  Start();
  EXPECT_FALSE(Checked("N129Click"));
  EXPECT_TRUE(Checked("N130Click"));
  EXPECT_FALSE(Checked("N131Click"));
  EXPECT_FALSE(Visible("CharKindButton"));
  EXPECT_FALSE(Visible("QuoteMenu"));
  EXPECT_TRUE(Visible("DateButton"));
  EXPECT_FALSE(form->ConvToolBar()->isVisibleTo(form.get()));
}

// Word registration ---------------------------------------------------------

// A fake tool on PATH that writes its arguments and the word it was handed.
class WordRegister : public ConvCommands {
 protected:
  void SetUp() override {
    ConvCommands::SetUp();
    oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()) + ":" + oldPath);
  }
  void TearDown() override {
    qputenv("PATH", oldPath);
    ConvCommands::TearDown();
  }
  void MakeTool(const QString& name) {
    QFile f(tools.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s\\n' \"$0 $*\" \"$default_entry_of_word_register\" > \"$0.ran\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
  }
  // What the tool wrote, once it has run.
  QString Ran(const QString& name) {
    QFile f(tools.filePath(name + ".ran"));
    for (int i = 0; i < 100 && !(f.exists() && f.size() > 0); ++i) QTest::qWait(50);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  QTemporaryDir tools;
  QByteArray oldPath;
};

TEST_F(WordRegister, TheInputMethodsToolGetsTheSelectedWord) {
  MakeTool("mozc_tool");
  MakeTool("kasumi");
  OpenSelected("単語を登録", 0, 4);
  Run("popjishoClick");
  EXPECT_EQ(Ran("mozc_tool"), tools.filePath("mozc_tool") + " --mode=word_register_dialog\n単語\n");
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_FALSE(QFile::exists(tools.filePath("kasumi.ran")));
}

TEST_F(WordRegister, TheNextToolWhenTheFirstIsMissing) {
  MakeTool("zib-test-second");
  const TWordRegisterTool table[] = {{"zib-test-first", {}, {}, nullptr}, {"zib-test-second", {}, {}, nullptr}};
  EXPECT_TRUE(StartWordRegister(table, "x"));
  EXPECT_EQ(Ran("zib-test-second"), tools.filePath("zib-test-second") + " \n\n");
  EXPECT_FALSE(StartWordRegister(std::span(table, 1), "x"));
}

TEST_F(WordRegister, WithoutAnyToolTheMessageSaysWhatToInstall) {
  const TWordRegisterTool missing[] = {{"zib-test-missing", {}, {}, nullptr}};
  form->WordRegisterTools = missing;
  OpenSelected("単語", 0, 4);
  Run("popjishoClick");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].contains("mozc-utils-gui"));
  EXPECT_TRUE(dialogs->messages[0].contains("kasumi"));
}

}  // namespace
