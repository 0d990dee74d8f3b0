// Opening and saving without losing what is on disk: files cut at a NUL,
// byte-order marks, JIS losses, and files that someone else changed or
// replaced after they were read.
#include <gtest/gtest.h>

#include <QFile>

#include "docfixture.h"

namespace {

using FileSafety = DocFixture;

// Ctrl+S on a copy of a binary, without an edit, used to write its first
// bytes over the whole file.
TEST_F(FileSafety, AFileCutAtANulIsReadOnlyAndNeverSavedOverItself) {
  const QByteArray elf("\x7F" "ELF\x02\x01\0\0\0rest", 13);
  const QString path = Write("a.out", elf);
  TMDIChild* w = Open(path);
  ASSERT_TRUE(w);
  EXPECT_EQ(Edit().Text(), "\x7F" "ELF\x02\x01");
  EXPECT_TRUE(Edit().ReadOnly());
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].startsWith(path + " には NUL 文字が含まれています"));

  // Ctrl+S says why and offers Save As; No writes nothing.
  dialogs->askAnswers.push_back(false);
  Action("filesaveExecute")->trigger();
  ASSERT_EQ(dialogs->questions.size(), 1u);
  EXPECT_TRUE(dialogs->questions[0].endsWith("名前を付けて保存しますか？"));
  EXPECT_EQ(Bytes(path), elf);

  // The same file chosen in a dialog is refused, by every kind of save.
  dialogs->askAnswers.push_back(true);
  dialogs->saveAnswers.push_back(path);
  Action("filesaveExecute")->trigger();
  for (const char* command : {"UnicodeUTF81Click", "Jis2Click", "AB3Click", "FileSaveAsItemClick"}) {
    dialogs->saveAnswers.push_back(path);
    Action(command)->trigger();
  }
  EXPECT_EQ(Bytes(path), elf);
  ASSERT_EQ(dialogs->messages.size(), 6u);
  EXPECT_EQ(dialogs->messages.back(),
            path + " は NUL 文字の手前までしか読み込んでいないため、このファイルには保存できません(-_-;)");

  // Another name is fine, and the document is that file's from then on.
  dialogs->askAnswers.push_back(true);
  dialogs->saveAnswers.push_back(Path("head.bin"));
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(Path("head.bin")), QByteArray("\x7F" "ELF\x02\x01"));
  EXPECT_EQ(w->windowTitle(), Path("head.bin"));
  EXPECT_FALSE(Edit().ReadOnly());
  Type("x");
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(Path("head.bin")), QByteArray("x\x7F" "ELF\x02\x01"));
  EXPECT_EQ(Bytes(path), elf);
}

TEST_F(FileSafety, EveryEncodingThatStopsAtANulOpensReadOnly) {
  const std::pair<QByteArray, const char*> files[] = {
      {QByteArray("ab\0c", 4), "N91Click"},
      {QByteArray("ab\0c", 4), "EUCJPShiftJIS1Click"},
      {QByteArray("ab\0c", 4), "JISShiftJIS1Click"},
      {QByteArray("ab\0c", 4), "UnicodeUTF8ShiftJIS1Click"},
      {QByteArray("a\0b\0\0\0c\0", 8), "UnicodeUCS2ShiftJIS1Click"},
  };
  int n = 0;
  for (const auto& [bytes, command] : files) {
    TMDIChild* w = Open(Write(QString("n%1.txt").arg(n++), bytes), command);
    ASSERT_TRUE(w) << command;
    EXPECT_EQ(Edit().Text(), "ab") << command;
    EXPECT_TRUE(Edit().ReadOnly()) << command;
    EXPECT_TRUE(w->Origin.CutAtNul) << command;
  }
  EXPECT_EQ(dialogs->messages.size(), 5u);
}

// A mark used to open as "?", with the replaced-characters box, and to be
// saved as "?".
TEST_F(FileSafety, AByteOrderMarkIsSkippedAndWrittenBackInItsOwnEncoding) {
  const QString utf8 = Write("u.txt", "\xEF\xBB\xBF" "a\xE3\x81\x82");
  Open(utf8, "UnicodeUTF8ShiftJIS1Click");
  EXPECT_EQ(Edit().Text(), "a\x82\xA0");
  EXPECT_TRUE(dialogs->messages.empty());
  Type("b");
  dialogs->saveAnswers.push_back(utf8);
  Action("UnicodeUTF81Click")->trigger();
  EXPECT_EQ(Bytes(utf8), "\xEF\xBB\xBF" "ba\xE3\x81\x82");
  dialogs->saveAnswers.push_back(Path("u.ucs2"));  // another encoding: no mark
  Action("UnicodeUCS22Click")->trigger();
  EXPECT_EQ(Bytes(Path("u.ucs2")), QByteArray("b\0a\0\x42\x30", 6));

  Open(Write("w.txt", QByteArray("\xFF\xFE" "a\0", 4)), "UnicodeUCS2ShiftJIS1Click");
  EXPECT_EQ(Edit().Text(), "a");
  dialogs->saveAnswers.push_back(Path("w2.txt"));
  Action("UnicodeUCS22Click")->trigger();
  EXPECT_EQ(Bytes(Path("w2.txt")), QByteArray("\xFF\xFE" "a\0", 4));

  Open(Write("plain.txt", "a"), "UnicodeUTF8ShiftJIS1Click");  // no mark, none written
  dialogs->saveAnswers.push_back(Path("plain2.txt"));
  Action("UnicodeUTF81Click")->trigger();
  EXPECT_EQ(Bytes(Path("plain2.txt")), "a");
  EXPECT_TRUE(dialogs->messages.empty());
}

// 髙 used to come out as ESC $ B 16 7E, shifting every character after it,
// and the save said nothing.
TEST_F(FileSafety, JisSaveStaysSevenBitAndCountsWhatItCannotWrite) {
  Open(Write("j.txt", "x"));
  Edit().SelectAll();
  Type("\xFB\xFC\xF0\x40\x82\xA0");  // 髙, a user-defined character, あ
  dialogs->saveAnswers.push_back(Path("j.jis"));
  Action("Jis2Click")->trigger();
  EXPECT_EQ(Bytes(Path("j.jis")), "\x1B$B\x7C\x62\x1B(B?\x1B$B\x24\x22\x1B(B");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0], "JIS で表せない 1 文字を \"?\" に置き換えて保存しました");
}

TEST_F(FileSafety, ASaveOverAFileChangedOnDiskAsksFirst) {
  const QString path = Write("c.txt", "mine");
  Open(path);
  Type("x");
  Write("c.txt", "theirs, longer");  // another program saved meanwhile
  dialogs->askAnswers.push_back(false);
  Action("filesaveExecute")->trigger();
  ASSERT_EQ(dialogs->questions.size(), 1u);
  EXPECT_EQ(dialogs->questions[0], path + " は読み込みまたは保存の後で、ほかのプログラムによって変更されています。\r\n"
                                          "上書きしますか？");
  EXPECT_EQ(Bytes(path), "theirs, longer");
  EXPECT_TRUE(Edit().Edited());

  dialogs->askAnswers.push_back(true);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(path), "xmine");
  EXPECT_FALSE(Edit().Edited());
  // The editor's own saves, in any encoding, are no change.
  Type("y");
  Action("filesaveExecute")->trigger();
  dialogs->saveAnswers.push_back(path);
  Action("UnicodeUTF81Click")->trigger();
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(dialogs->questions.size(), 2u);
}

// Someone who may write in the folder puts a link where the file was: the
// save replaces the link and never writes into the file it names.
TEST_F(FileSafety, ALinkThatAppearedIsReplacedNotFollowed) {
  const QString path = Write("doc.txt", "mine");
  const QString victim = Write("victim.txt", "theirs");
  Open(path);
  Type("x");
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QFile::link(victim, path));
  dialogs->askAnswers.push_back(true);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(dialogs->questions.size(), 1u);
  EXPECT_EQ(Bytes(victim), "theirs");
  EXPECT_FALSE(QFileInfo(path).isSymLink());
  EXPECT_EQ(Bytes(path), "xmine");
}

// A link that was there when the file was read stays a link; pointed
// elsewhere since, it is replaced rather than followed.
TEST_F(FileSafety, ALinkOpenedIsWrittenThroughWhileItNamesTheSameFile) {
  const QString target = Write("real.txt", "old");
  const QString link = Path("link.txt");
  ASSERT_TRUE(QFile::link(target, link));
  Open(link);
  Type("new ");
  Action("filesaveExecute")->trigger();
  Type("again ");
  Action("filesaveExecute")->trigger();
  EXPECT_TRUE(dialogs->questions.empty());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Bytes(target), "new again old");

  const QString other = Write("other.txt", "someone's");
  ASSERT_TRUE(QFile::remove(link));
  ASSERT_TRUE(QFile::link(other, link));
  Type("x");
  dialogs->askAnswers.push_back(true);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(dialogs->questions.size(), 1u);
  EXPECT_EQ(Bytes(other), "someone's");
  EXPECT_EQ(Bytes(target), "new again old");
  EXPECT_FALSE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Bytes(link), "new again xold");
}

}  // namespace
