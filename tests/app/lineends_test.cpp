// A document writes its lines back ending the way its file ended them, by
// every kind of save; new documents end them with CR LF.
#include <gtest/gtest.h>

#include "docfixture.h"

namespace {

using LineEnds = DocFixture;

// Ctrl+S after typing and undoing used to turn every LF or CR into CR LF.
TEST_F(LineEnds, AFileComesBackByteForByteAfterAnEditAndItsUndo) {
  const QByteArray files[] = {
      "\x88\xEA\x8D\x73\x96\xDA\n\x93\xF1\x8D\x73\x96\xDA\n\tlast",  // 一行目, 二行目: LF
      "first\n\nthird\n",                                             // LF, ending with one
      "first\rsecond\r",                                              // CR
      "only line",
  };
  int n = 0;
  for (const QByteArray& bytes : files) {
    const QString path = Write(QString("f%1.txt").arg(n++), bytes);
    Open(path);
    Type("x");
    Edit().Undo();
    Action("filesaveExecute")->trigger();
    EXPECT_EQ(Bytes(path), bytes);
  }
  EXPECT_TRUE(dialogs->messages.empty());
}

// One style is written per document: the one most of its lines used.
TEST_F(LineEnds, AMixedFileIsWrittenInTheStyleMostOfItsLinesUse) {
  const QString lf = Write("lf.txt", "a\r\nb\nc\nd\r");
  Open(lf);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(lf), "a\nb\nc\nd\n");
  const QString tie = Write("tie.txt", "a\nb\r\nc");
  Open(tie);
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(tie), "a\r\nb\r\nc");
}

TEST_F(LineEnds, EverySaveOfTheDocumentWritesItsStyle) {
  Open(Write("doc.txt", "\x82\xA0\n\tb\n"));  // あ, TAB b
  const std::pair<const char*, QByteArray> saves[] = {
      {"FileSaveAsItemClick", "\x82\xA0\n\tb\n"},
      {"AB3Click", "\x82\xA0\n    b\n"},
      {"UnicodeUTF81Click", "\xE3\x81\x82\n\tb\n"},
      {"Jis2Click", "\x1B$B$\"\x1B(B\n\tb\n"},
      {"UnicodeUCS22Click", QByteArray("\x42\x30\n\0\t\0b\0\n\0", 10)},
  };
  int n = 0;
  for (const auto& [command, expected] : saves) {
    const QString path = Path(QString("saved%1.txt").arg(n++));
    dialogs->saveAnswers.push_back(path);
    Action(command)->trigger();
    EXPECT_EQ(Bytes(path), expected) << command;
  }
  // Save As gave the window a new file: its style stays the document's.
  Type("c");
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(Path("saved0.txt")), "c\x82\xA0\n\tb\n");
}

TEST_F(LineEnds, AFileOpenedInAnotherEncodingKeepsItsStyle) {
  Open(Write("u.txt", "\xE3\x81\x82\rb\r"), "UnicodeUTF8ShiftJIS1Click");
  EXPECT_EQ(Edit().Text(), "\x82\xA0\r\nb\r\n");
  dialogs->saveAnswers.push_back(Path("u2.txt"));
  Action("UnicodeUTF81Click")->trigger();
  EXPECT_EQ(Bytes(Path("u2.txt")), "\xE3\x81\x82\rb\r");
}

TEST_F(LineEnds, ANewDocumentEndsItsLinesWithCrLf) {
  Action("FileNew1Execute")->trigger();
  Type("a\rb");
  dialogs->saveAnswers.push_back(Path("new.txt"));
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(Path("new.txt")), "a\r\nb");
}

}  // namespace
