// Opening, saving and closing documents through the main window's commands.
#include <gtest/gtest.h>

#include <QMenu>
#include <QUrl>
#include <QToolBar>

#include <tuple>

#include "docfixture.h"

namespace {

using DocumentCommands = DocFixture;

TEST_F(DocumentCommands, OpenedInEveryEncodingAndEditedAsShiftJis) {
  const QByteArray sjis("A\x82\xA0\r\n", 5);
  const std::pair<QByteArray, const char*> files[] = {
      {sjis, "FileOpenItemClick"},
      {QByteArray("A\xA4\xA2\r\n", 5), "EUCJPShiftJIS1Click"},
      {QByteArray("A\x1B$B$\"\x1B(B\r\n", 12), "JISShiftJIS1Click"},
      {QByteArray("A\xE3\x81\x82\r\n", 6), "UnicodeUTF8ShiftJIS1Click"},
      {QByteArray("A\0\x42\x30\r\0\n\0", 8), "UnicodeUCS2ShiftJIS1Click"},
  };
  int n = 0;
  for (const auto& [bytes, command] : files) {
    const QString path = Write(QString("f%1.txt").arg(n++), bytes);
    TMDIChild* w = Open(path, command);
    ASSERT_TRUE(w) << command;
    EXPECT_EQ(w->windowTitle(), path);
    EXPECT_EQ(w->AFEdit->Text(), "A\x82\xA0\r\n") << command;
    EXPECT_FALSE(w->AFEdit->Edited());
    EXPECT_FALSE(w->AFEdit->UndoBuffer().CanUndo);
  }
  // The mode stays for the next open without a dialog: a drop, for one.
  EXPECT_EQ(form->OpenMode, omUcs2);
}

TEST_F(DocumentCommands, SavedInEveryEncodingByteForByte) {
  const QString path = Write("doc.txt", "x");
  Open(path);
  Edit().SelectAll();
  Type("A\x82\xA0\r\nB");
  // After a UCS-2 save the document still counts as modified.
  const std::tuple<const char*, QByteArray, bool> saves[] = {
      {"UnicodeUCS22Click", QByteArray("A\0\x42\x30\r\0\n\0B\0", 10), true},
      {"UnicodeUTF81Click", QByteArray("A\xE3\x81\x82\r\nB"), false},
      {"Jis2Click", QByteArray("A\x1B$B$\"\x1B(B\r\nB"), false},
  };
  for (const auto& [command, expected, modified] : saves) {
    const QString out = Path(QString(command) + ".out");
    dialogs->saveAnswers.push_back(out);
    Action(command)->trigger();
    EXPECT_EQ(Bytes(out), expected) << command;
    EXPECT_EQ(Edit().Edited(), modified) << command;
    EXPECT_EQ(Active()->windowTitle(), path);  // the window keeps its file
    EXPECT_EQ(form->RecentFiles().Items().constLast(), out);
  }
  Type("C");
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(path), QByteArray("A\x82\xA0\r\nBC"));
  EXPECT_FALSE(Edit().Edited());
}

TEST_F(DocumentCommands, UtfEightAfterJisClearsTheModifiedMark) {
  Open(Write("doc.txt", "x"));
  Type("y");
  dialogs->saveAnswers.push_back(Path("j.txt"));
  Action("Jis2Click")->trigger();
  EXPECT_FALSE(Edit().Edited());
}

TEST_F(DocumentCommands, SaveAsTakesTheNewNameAndConversionsKeepTheOld) {
  const QString path = Write("tabs.txt", "\ta\r\n");
  Open(path);
  dialogs->saveAnswers.push_back(Path("spaces.txt"));
  Action("AB3Click")->trigger();  // TABをスペースに変換
  EXPECT_EQ(Bytes(Path("spaces.txt")), "    a\r\n");
  EXPECT_EQ(Active()->windowTitle(), path);
  Type("b");
  Action("filesaveExecute")->trigger();  // still the old file
  EXPECT_EQ(Bytes(path), "b\ta\r\n");
  EXPECT_EQ(dialogs->saveRequests.size(), 1u);

  dialogs->saveAnswers.push_back(Path("renamed.txt"));
  Action("FileSaveAsItemClick")->trigger();
  EXPECT_EQ(Active()->windowTitle(), Path("renamed.txt"));
  EXPECT_EQ(Bytes(Path("renamed.txt")), "b\ta\r\n");
}

TEST_F(DocumentCommands, AutoFormatWindowsSaveEveryRowAsALine) {
  const QString path = Write("long.txt", QByteArray(70, 'a') + "\r\n");
  TMDIChild* w = Open(path, "N91Click");
  EXPECT_EQ(w->Tag, 1);
  ASSERT_GT(w->AFEdit->RowCount(), 2);  // wrapped at 60 columns
  Action("filesaveExecute")->trigger();
  EXPECT_EQ(Bytes(path).count("\r\n"), 2);
}

TEST_F(DocumentCommands, NewDocumentsAreNumberedByTheNonameWindowsOpen) {
  QDir::setCurrent(dir.path());
  Action("FileNew1Execute")->trigger();
  Action("FileNew1Execute")->trigger();
  ASSERT_EQ(Documents(), 2);
  EXPECT_EQ(form->Children()[0]->windowTitle(), "NONAME1.txt");
  EXPECT_EQ(form->Children()[1]->windowTitle(), "NONAME2.txt");
  form->Children()[0]->close();
  Action("FileNew1Execute")->trigger();
  EXPECT_EQ(Active()->windowTitle(), "NONAME2.txt");
  EXPECT_TRUE(form->RecentFiles().Items().isEmpty());  // new documents are no history

  // Saving one asks for a name, starting from its own.
  dialogs->saveAnswers.push_back(std::nullopt);
  Action("filesaveExecute")->trigger();
  ASSERT_EQ(dialogs->saveRequests.size(), 1u);
  EXPECT_EQ(dialogs->saveRequests[0].FileName, "NONAME2.txt");
  EXPECT_EQ(dialogs->saveRequests[0].FilterIndex, 1);
  EXPECT_EQ(dialogs->saveRequests[0].DefaultExt, "txt");
}

TEST_F(DocumentCommands, RecentFilesAndFoldersFollowEveryOpenAndSave) {
  QStringList paths;
  for (int i = 0; i < 6; ++i) paths << Write(QString("r%1.txt").arg(i), "x");
  for (int i = 0; i < 5; ++i) Open(paths[i]);
  Open(paths[1]);  // moves up, no new entry
  EXPECT_EQ(form->RecentFiles().Items(),
            (QStringList{paths[0], paths[2], paths[3], paths[4], paths[1]}));
  Open(paths[5]);  // a sixth drops the oldest
  EXPECT_EQ(form->RecentFiles().Items(),
            (QStringList{paths[2], paths[3], paths[4], paths[1], paths[5]}));
  EXPECT_EQ(form->RecentFolders().Items(), QStringList{dir.path()});
  const QList<QAction*> items = form->FileMenu()->actions();
  EXPECT_EQ(items[10]->data().toString(), paths[5]);
  EXPECT_EQ(items[14]->data().toString(), paths[2]);
  EXPECT_TRUE(items[15]->isSeparator());

  // A recent item opens plainly, whatever the last mode was.
  form->OpenMode = omUtf8;
  items[14]->trigger();
  EXPECT_EQ(form->OpenMode, omPlain);
  EXPECT_EQ(Active()->windowTitle(), paths[2]);
  EXPECT_EQ(form->RecentFiles().Items().constLast(), paths[2]);
}

TEST_F(DocumentCommands, CommandsFollowTheDocumentsAndTheirSelections) {
  EXPECT_FALSE(Enabled("filesaveExecute"));
  TMDIChild* first = Open(Write("a.txt", "alpha"));
  EXPECT_TRUE(Enabled("filesaveExecute"));
  EXPECT_TRUE(Enabled("EditSelectAll1Execute"));
  EXPECT_FALSE(Enabled("editcopyExecute"));
  Action("EditSelectAll1Execute")->trigger();
  EXPECT_TRUE(Enabled("editcopyExecute"));
  EXPECT_TRUE(Visible("N107Click"));

  TMDIChild* second = Open(Write("b.txt", "beta"));
  EXPECT_FALSE(Enabled("editcopyExecute"));  // the new one has no selection
  form->MdiArea()->setActiveSubWindow(first);
  EXPECT_TRUE(Enabled("editcopyExecute"));

  Type("x");
  EXPECT_TRUE(Enabled("editundoExecute"));
  Action("editundoExecute")->trigger();
  EXPECT_EQ(first->AFEdit->Text(), "alpha");
  EXPECT_TRUE(Enabled("editredoExecute"));

  dialogs->confirmAnswers.push_back(TAnswer::No);
  first->close();  // not the last: the commands stay
  EXPECT_TRUE(Enabled("filesaveExecute"));
  second->close();
  EXPECT_EQ(Documents(), 0);
  EXPECT_FALSE(Enabled("filesaveExecute"));
  EXPECT_FALSE(Enabled("editcopyExecute"));
  EXPECT_FALSE(Enabled("editredoExecute"));
  EXPECT_FALSE(form->HtmlToolBar()->isEnabled());
}

TEST_F(DocumentCommands, HtmlFilesBringTheHtmlToolBar) {
  EXPECT_FALSE(form->HtmlToolBar()->isVisible());
  Open(Write("plain.txt", "x"));
  EXPECT_FALSE(form->HtmlToolBar()->isVisible());
  Open(Write("page.XML", "<a/>"));
  EXPECT_TRUE(form->HtmlToolBar()->isVisible());
}

using CloseQuery = DocFixture;

TEST_F(CloseQuery, AnUnchangedDocumentClosesWithoutAQuestion) {
  Open(Write("a.txt", "a"));
  EXPECT_TRUE(Active()->close());
  EXPECT_TRUE(dialogs->confirmations.empty());
}

TEST_F(CloseQuery, CancelKeepsTheWindowAndNoLosesTheChanges) {
  const QString path = Write("a.txt", "a");
  TMDIChild* w = Open(path);
  Type("b");
  dialogs->confirmAnswers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(dialogs->confirmations.back(),
            "ファイル a.txt は変更されています。\r\nファイルを保存しますか？");
  EXPECT_TRUE(Enabled("filesaveExecute"));
  dialogs->confirmAnswers.push_back(TAnswer::No);
  EXPECT_TRUE(w->close());
  EXPECT_EQ(Bytes(path), "a");
}

TEST_F(CloseQuery, YesSavesUnderTheChosenName) {
  TMDIChild* w = Open(Write("page.html", "a"));
  Type("b");
  dialogs->confirmAnswers.push_back(TAnswer::Yes);
  dialogs->saveAnswers.push_back(Path("saved.html"));
  EXPECT_TRUE(w->close());
  EXPECT_EQ(dialogs->saveRequests[0].FilterIndex, 2);
  EXPECT_EQ(Bytes(Path("saved.html")), "ba");
  EXPECT_EQ(form->RecentFiles().Items().constLast(), Path("saved.html"));
}

// Closing after a cancelled or failed save would throw the changes away.
TEST_F(CloseQuery, YesWithoutASaveKeepsTheWindow) {
  TMDIChild* w = Open(Write("a.txt", "a"));
  Type("b");
  dialogs->confirmAnswers.push_back(TAnswer::Yes);
  dialogs->saveAnswers.push_back(std::nullopt);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(Documents(), 1);

  dialogs->confirmAnswers.push_back(TAnswer::Yes);
  dialogs->saveAnswers.push_back(Path("no/such/folder/a.txt"));
  EXPECT_FALSE(w->close());
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].startsWith(Path("no/such/folder/a.txt") + " の書き込みに失敗しました(-_-;)"));
  EXPECT_TRUE(w->AFEdit->Edited());
}

TEST_F(CloseQuery, TheMainWindowStaysWhileADocumentDoes) {
  Open(Write("a.txt", "a"));
  Type("b");
  dialogs->confirmAnswers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(form->close());
  EXPECT_FALSE(QFile::exists(Path("zibeditor.ini")));  // nothing written yet
  dialogs->confirmAnswers.push_back(TAnswer::No);
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(QFile::exists(Path("zibeditor.ini")));
}

TEST_F(CloseQuery, AfterAUcs2SaveClosingStillAsks) {
  TMDIChild* w = Open(Write("a.txt", "a"));
  Type("b");
  dialogs->saveAnswers.push_back(Path("u.txt"));
  Action("UnicodeUCS22Click")->trigger();
  dialogs->confirmAnswers.push_back(TAnswer::No);
  EXPECT_TRUE(w->close());
  EXPECT_EQ(dialogs->confirmations.size(), 1u);
}

using Faults = DocFixture;

TEST_F(Faults, AFileThatCannotBeReadOpensNoWindow) {
  const QString bad = Write("bad.txt", "ok \xC3x");  // no UTF-8
  EXPECT_EQ(Open(bad, "UnicodeUTF8ShiftJIS1Click"), nullptr);
  EXPECT_EQ(Documents(), 0);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0], bad + " の読み込みに失敗しました(-_-;)");
  EXPECT_FALSE(Enabled("filesaveExecute"));

  // A file whose bytes cannot be read, by anyone.
  EXPECT_EQ(form->OpenDocument("/proc/self/mem"), nullptr);
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(dialogs->messages.back(), "/proc/self/mem の読み込みに失敗しました(-_-;)");
}

TEST_F(Faults, AnEncodedSaveThatFailsSaysSoAndChangesNothing) {
  Open(Write("a.txt", "a"));
  Type("b");
  const QStringList history = form->RecentFiles().Items();
  dialogs->saveAnswers.push_back(Path("missing/u.txt"));
  Action("UnicodeUTF81Click")->trigger();
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].startsWith(Path("missing/u.txt") + " の書き込みに失敗しました(-_-;)"));
  EXPECT_TRUE(Edit().Edited());
  EXPECT_EQ(form->RecentFiles().Items(), history);
}

TEST_F(Faults, CharactersLostToQuestionMarksAreCounted) {
  Open(Write("u.txt", "\xC3\xA9t\xC3\xA9"), "UnicodeUTF8ShiftJIS1Click");
  EXPECT_EQ(Edit().Text(), "?t?");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].contains("2"));
  EXPECT_TRUE(dialogs->messages[0].contains("\"?\""));
}

using Arrivals = DocFixture;

TEST_F(Arrivals, EveryExistingFileOpensAndIsRecorded) {
  const QString spaced = Write("my file.txt", "s");
  const QString other = Write("other.txt", "o");
  EXPECT_EQ(form->OpenFiles({spaced, Path("nothing"), other}), 2);
  ASSERT_EQ(Documents(), 2);
  EXPECT_EQ(form->Children()[0]->windowTitle(), spaced);
  EXPECT_EQ(form->Children()[1]->windowTitle(), other);
  EXPECT_EQ(form->RecentFiles().Items(), (QStringList{spaced, other}));
}

TEST_F(Arrivals, HandedOverFilesOpenFromTheEventLoopAndOnlyWhenTheyExist) {
  const QString spaced = Write("my file.txt", "s");
  form->HandOver({Path("gone.txt"), spaced});
  EXPECT_EQ(Documents(), 0);
  QCoreApplication::processEvents();
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Active()->windowTitle(), spaced);
  EXPECT_EQ(form->RecentFiles().Items(), QStringList{spaced});
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Arrivals, TheFirstDroppedFileOpens) {
  const QString a = Write("a.txt", "a");
  const QString b = Write("b.txt", "b");
  form->OpenDropped({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Active()->windowTitle(), a);
}

}  // namespace
