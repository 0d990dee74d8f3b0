// Fixed phrases, keywords and the list editor that edits them.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPlainTextEdit>

#include "app/browser/previewform.h"
#include "app/listeditor.h"
#include "docfixture.h"

namespace {

class ListCommands : public DocFixture {
 protected:
  // Starts on these list files instead of none.
  void SetUp() override {}
  void StartWith(const QByteArray& teikei, const QByteArray& key = {}) {
    WriteFile("teikei.lst", teikei);
    if (!key.isEmpty()) WriteFile("key.lst", key);
    DocFixture::SetUp();
  }
  QList<QAction*> Items(const char* menu) const { return form->Commands().Menu(QLatin1String(menu))->actions(); }
  QStringList Captions(const char* menu) const {
    QStringList captions;
    for (const QAction* a : Items(menu)) captions << a->text();
    return captions;
  }
  Teditform& Editor() const { return form->ListEditor(); }
  // The user edits the text and closes the window.
  void EditAndClose(const QString& text) {
    Editor().Memo1->setPlainText(text);
    Editor().close();
  }
};

TEST_F(ListCommands, ABlankPhraseKeepsItsPlaceButGetsNoItem) {
  const QByteArray file("one\r\n\r\n  two\r\nthree\r\n");
  StartWith(file);
  EXPECT_EQ(Captions("teipopmenu"), (QStringList{"one", "  two", "three"}));
  EXPECT_EQ(Captions("PopPhraseMenu"), Captions("teipopmenu"));
  Open(Write("a.txt", ""));
  Items("teipopmenu").at(1)->trigger();
  EXPECT_EQ(Edit().Text(), "  two");
  dialogs->confirmAnswers.push_back(TAnswer::No);
  form->close();
  EXPECT_EQ(ReadFile("teikei.lst"), file);
}

TEST_F(ListCommands, SelectedLinesBecomePhrasesEmptyOnesToo) {
  StartWith("old\r\n");
  Open(Write("a.txt", "x\r\n\r\nz"));
  Edit().SelectAll();
  ASSERT_TRUE(Visible("N95Click"));
  Action("N95Click")->trigger();
  EXPECT_EQ(Captions("teipopmenu"), (QStringList{"old", "x", "", "z"}));
  form->close();
  EXPECT_EQ(ReadFile("teikei.lst"), QByteArray("old\r\nx\r\n\r\nz\r\n"));
}

TEST_F(ListCommands, AKeywordReachesEveryEditorAndTheFile) {
  StartWith({}, "alpha\r\n");
  TMDIChild* a = Open(Write("a.txt", "beta"));
  TMDIChild* b = Open(Write("b.txt", ""));
  form->MdiArea()->setActiveSubWindow(a);
  Edit().SelectAll();
  Action("N107Click")->trigger();
  for (TMDIChild* w : {a, b}) EXPECT_EQ(w->AFEdit->Keywords(), (TStringList{"alpha", "beta"}));
  form->close();
  EXPECT_EQ(ReadFile("key.lst"), QByteArray("alpha\r\nbeta\r\n"));
}

TEST_F(ListCommands, EachModeOpensOnItsListUnlessTheWindowIsOpen) {
  StartWith("p1\r\n\r\n", "k1\r\n");
  Action("N14Click")->trigger();
  EXPECT_TRUE(Editor().isVisible());
  EXPECT_TRUE(Editor().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(Editor().size(), QSize(403, 242));
  EXPECT_EQ(Editor().windowTitle(), "キーワードの編集");
  EXPECT_EQ(Editor().Memo1->toPlainText(), "k1\n");
  Editor().Memo1->setPlainText("typed");
  Action("N11Click")->trigger();  // already open: nothing changes
  EXPECT_EQ(Editor().ListEditMode, lemKeywords);
  EXPECT_EQ(Editor().Memo1->toPlainText(), "typed");
  Editor().close();

  Action("N11Click")->trigger();
  EXPECT_EQ(Editor().windowTitle(), "定型文リストの編集");
  EXPECT_EQ(Editor().ListEditMode, lemPhrases);
  EXPECT_EQ(Editor().Lines(), (TStringList{"p1", ""}));  // the blank entry comes back
  Editor().close();

  form->PreviewBrowser().findChild<QAction*>("organizefavorites")->trigger();
  EXPECT_EQ(Editor().windowTitle(), "お気に入りの整理");
  EXPECT_EQ(Editor().ListEditMode, lemFavorites);
  EXPECT_EQ(Editor().Memo1->toPlainText(), "");
}

TEST_F(ListCommands, ClosingAppliesTheTextByMode) {
  StartWith("p\r\n", "k\r\n");
  TMDIChild* w = Open(Write("a.txt", ""));
  Action("N14Click")->trigger();
  EditAndClose(QStringLiteral("  one \n \t\n two"));
  EXPECT_EQ(form->KeywordList(), (TStringList{"  one ", " two"}));  // blank lines dropped, none trimmed
  EXPECT_EQ(w->AFEdit->Keywords(), form->KeywordList());
  Action("N14Click")->trigger();
  EditAndClose(QStringLiteral(" \n"));
  EXPECT_TRUE(w->AFEdit->Keywords().empty());

  Action("N11Click")->trigger();
  EditAndClose(QStringLiteral("a\n \nb\n"));
  EXPECT_EQ(form->PhraseList(), (TStringList{"a", " ", "b"}));
  EXPECT_EQ(Captions("teipopmenu"), (QStringList{"a", "b"}));

  form->PreviewBrowser().findChild<QAction*>("organizefavorites")->trigger();
  EditAndClose(QStringLiteral("http://a.example/\n\nhttp://b.example/\n"));
  EXPECT_EQ(form->FavoritesList(), (TStringList{"http://a.example/", "http://b.example/"}));
}

// Left empty while no document is open, the phrase menus would offer no
// phrase until the next start.
TEST_F(ListCommands, ThePhraseMenusAreRebuiltWithoutADocumentToo) {
  StartWith("p\r\n");
  Action("N11Click")->trigger();
  EditAndClose(QStringLiteral("q\nr"));
  EXPECT_EQ(Captions("teipopmenu"), (QStringList{"q", "r"}));
  EXPECT_EQ(Captions("PopPhraseMenu"), (QStringList{"q", "r"}));
}

TEST_F(ListCommands, ClosingTheMainWindowAppliesAnOpenListEditor) {
  StartWith("p\r\n");
  Action("N11Click")->trigger();
  Editor().Memo1->setPlainText("typed");
  form->close();
  EXPECT_EQ(ReadFile("teikei.lst"), QByteArray("typed\r\n"));
}

// While another window is active the edit commands are off; afterwards they
// are as the current document has them, not all on.
TEST_F(ListCommands, EditCommandsFollowTheDocumentAfterAnotherWindow) {
  StartWith({});
  form->OtherWindowActive(true);
  form->OtherWindowActive(false);
  for (const char* id : {"editcutExecute", "editcopyExecute", "pasteExecute", "editundoExecute",
                         "editredoExecute", "EditSelectAll1Execute"}) {
    EXPECT_FALSE(Enabled(id)) << id;  // no document
  }
  Open(Write("a.txt", "abc"));
  Type("x");
  form->OtherWindowActive(true);
  EXPECT_FALSE(Enabled("editundoExecute"));
  EXPECT_FALSE(Enabled("pasteExecute"));
  form->OtherWindowActive(false);
  EXPECT_TRUE(Enabled("editundoExecute"));
  EXPECT_FALSE(Enabled("editredoExecute"));
  EXPECT_FALSE(Enabled("editcopyExecute"));
  EXPECT_TRUE(Enabled("pasteExecute"));
  EXPECT_TRUE(Enabled("EditSelectAll1Execute"));
}

}  // namespace
