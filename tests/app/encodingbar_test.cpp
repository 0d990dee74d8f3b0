// A file opened as Shift-JIS that is in another encoding gets a bar that
// reopens it with that encoding's open command.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QUrl>

#include "app/encodingbar.h"
#include "docfixture.h"
#include "encoding/filetext.h"
#include "encoding/cp932.h"
#include "japanesetext.h"

namespace {

class EncodingBar : public DocFixture {
 protected:
  const std::string sjis = cp932::FromUtf16(u"日本語のテキストです。\r\n「開き直し」を試します。\r\n");

  QString WriteIn(const QString& name, TDetected encoding) {
    return Write(name, QByteArray::fromStdString(EncodedAs(sjis, encoding).value()));
  }
  static TEncodingBar* Bar(TMDIChild* w) { return w ? w->findChild<TEncodingBar*>() : nullptr; }
  static void Press(TEncodingBar* bar, const char* button) {
    bar->findChild<QPushButton*>(QLatin1String(button))->click();
  }
};

// Each reopen ends with the text the encoding's own open command gives.
TEST_F(EncodingBar, ReopensWithTheOpenCommandOfTheEncodingTheFileIsIn) {
  const std::tuple<TDetected, const char*, const char*, TEncoding> cases[] = {
      {TDetected::Euc, "EUC-JP", "EUCJPShiftJIS1Click", TEncoding::Euc},
      {TDetected::Utf8, "UTF-8", "UnicodeUTF8ShiftJIS1Click", TEncoding::Utf8},
      {TDetected::Jis, "JIS", "JISShiftJIS1Click", TEncoding::Jis},
      {TDetected::Ucs2, "UCS-2", "UnicodeUCS2ShiftJIS1Click", TEncoding::Ucs2},
  };
  for (const auto& [detected, name, command, encoding] : cases) {
    const QString path = WriteIn(QString("%1.txt").arg(name), detected);
    Open(path, command);
    const std::string byCommand = Edit().Text();
    EXPECT_EQ(byCommand, sjis) << name;
    EXPECT_EQ(Bar(Active()), nullptr) << name;
    Active()->close();

    TMDIChild* plain = Open(path);
    TEncodingBar* bar = Bar(plain);
    ASSERT_NE(bar, nullptr) << name;
    EXPECT_EQ(bar->Message(), QString("このファイルは %1 のようです。").arg(name));
    EXPECT_EQ(bar->findChild<QPushButton*>("reopen")->text(), Action(command)->text() + "して開き直す");
    Press(bar, "reopen");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Documents(), 1) << name;
    EXPECT_EQ(Edit().Text(), byCommand) << name;
    EXPECT_EQ(Active()->Origin.Encoding, encoding) << name;
    EXPECT_EQ(Active()->windowTitle(), path);
    EXPECT_EQ(Bar(Active()), nullptr) << name;
    EXPECT_EQ(form->OpenMode, omPlain) << name;  // the next drop still reads Shift-JIS
    EXPECT_EQ(form->RecentFiles().Items().back(), path);
    Active()->close();
  }
  // Read as Shift-JIS, UCS-2 stops at its first zero byte, and says so.
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].startsWith(Path("UCS-2.txt") + " には NUL 文字が含まれています"));
}

TEST_F(EncodingBar, ShiftJisAsciiAndBinaryGetNoBar) {
  EXPECT_EQ(Bar(Open(Write("s.txt", QByteArray::fromStdString(sjis)))), nullptr);
  EXPECT_EQ(Bar(Open(Write("a.txt", "plain ASCII\n"))), nullptr);
  EXPECT_EQ(Bar(Open(Write("b.bin", QByteArray("\x7F" "ELF\x02\x01\0\0", 8)))), nullptr);
  dialogs->messages.clear();  // the binary's NUL
  // Read in the encoding it is in: nothing to suggest.
  EXPECT_EQ(Bar(Open(WriteIn("e.txt", TDetected::Euc), "EUCJPShiftJIS1Click")), nullptr);
}

// The bar comes wherever the one load path reads a file as Shift-JIS.
TEST_F(EncodingBar, ComesForDropsAndAutoFormatOpensToo) {
  const QString euc = WriteIn("drop.txt", TDetected::Euc);
  form->OpenDropped({QUrl::fromLocalFile(euc)});
  EXPECT_NE(Bar(Active()), nullptr);
  Open(WriteIn("auto.txt", TDetected::Utf8), "N91Click");
  ASSERT_NE(Bar(Active()), nullptr);
  EXPECT_EQ(Bar(Active())->Encoding().Detected, TDetected::Utf8);
}

TEST_F(EncodingBar, ChangesAreNotLostWithoutAsking) {
  const QString path = WriteIn("edited.txt", TDetected::Euc);
  TMDIChild* w = Open(path);
  Type("x");
  dialogs->askAnswers.push_back(false);
  Press(Bar(w), "reopen");
  ASSERT_EQ(dialogs->questions.size(), 1u);
  EXPECT_EQ(dialogs->questions[0], path + " は変更されています。\r\n変更を破棄して開き直しますか？");
  EXPECT_EQ(Documents(), 1);
  EXPECT_EQ(Active(), w);
  EXPECT_TRUE(Edit().Edited());
  ASSERT_NE(Bar(w), nullptr);

  dialogs->askAnswers.push_back(true);
  Press(Bar(w), "reopen");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Documents(), 1);
  EXPECT_EQ(Edit().Text(), sjis);
  EXPECT_FALSE(Edit().Edited());
  EXPECT_TRUE(dialogs->confirmations.empty());  // no second question from the close
}

TEST_F(EncodingBar, AFileGoneMeanwhileKeepsTheDocument) {
  const QString path = WriteIn("gone.txt", TDetected::Utf8);
  TMDIChild* w = Open(path);
  QFile::remove(path);
  Press(Bar(w), "reopen");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0], path + " の読み込みに失敗しました(-_-;)");
  EXPECT_EQ(Active(), w);
}

TEST_F(EncodingBar, KeepingOrSavingTheShiftJisReadingClosesTheBar) {
  TMDIChild* w = Open(WriteIn("keep.txt", TDetected::Utf8));
  const std::string text = Edit().Text();
  Press(Bar(w), "keep");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Bar(w), nullptr);
  EXPECT_EQ(Edit().Text(), text);

  const QString saved = WriteIn("saved.txt", TDetected::Euc);
  w = Open(saved);
  dialogs->saveAnswers.push_back(Path("other.txt"));
  Action("AB3Click")->trigger();  // another file: the bar stays
  EXPECT_NE(Bar(w), nullptr);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bar(w), nullptr);
}

}  // namespace
