// Which shortcuts run their commands, pressed as a user would: without a
// document, with one, with a selection, with tool groups switched off, and
// after the last document closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <set>
#include <string>

#include "docfixture.h"

namespace {

struct TShortcut {
  const char* id;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = Qt::ControlModifier;
};

// Undo and redo follow the editor's history; they are checked on their own.
const TShortcut kShortcuts[] = {
    {"FileNew1Execute", Qt::Key_N},
    {"FileOpenItemClick", Qt::Key_O},
    {"filesaveExecute", Qt::Key_S},
    {"FileSaveAsItemClick", Qt::Key_A, Qt::ControlModifier | Qt::AltModifier},
    {"editcutExecute", Qt::Key_X},
    {"editcopyExecute", Qt::Key_C},
    {"pasteExecute", Qt::Key_V},
    {"editsellineExecute", Qt::Key_Space},
    {"EditSelectAll1Execute", Qt::Key_A},
    {"Find1Click", Qt::Key_F3, Qt::NoModifier},
    {"Replace1Click", Qt::Key_R},
    {"inserchExecute", Qt::Key_E},
    {"dateitemClick", Qt::Key_Semicolon},
    {"timeitemClick", Qt::Key_Colon},
    {"N116Click", Qt::Key_1},
    {"N117Click", Qt::Key_2},
    {"N120Click", Qt::Key_3},
    {"N121Click", Qt::Key_4},
    {"N123Click", Qt::Key_5},
    {"N124Click", Qt::Key_6},
    {"ei_hanClick", Qt::Key_7},
    {"delzenspClick", Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier},
    {"prereplsClick", Qt::Key_8},
    {"renbanClick", Qt::Key_9},
    {"popjishoClick", Qt::Key_F8},
    {"PrevTagButton", Qt::Key_0},
    {"PreviewButton", Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier},
};

using Ids = std::set<std::string>;

const Ids kAlways = {"FileNew1Execute", "FileOpenItemClick"};
const Ids kWithDocument = {"filesaveExecute", "FileSaveAsItemClick", "pasteExecute",
                           "editsellineExecute", "EditSelectAll1Execute", "Find1Click",
                           "Replace1Click", "dateitemClick", "timeitemClick", "PrevTagButton",
                           "PreviewButton"};
const Ids kCharKinds = {"N116Click", "N117Click", "N120Click", "N121Click",
                        "N123Click", "N124Click", "ei_hanClick", "delzenspClick"};
const Ids kLineHeads = {"prereplsClick", "renbanClick"};
const Ids kDates = {"dateitemClick", "timeitemClick"};
const Ids kWithSelection = {"editcutExecute", "editcopyExecute", "inserchExecute", "popjishoClick",
                            "N116Click", "N117Click", "N120Click", "N121Click", "N123Click",
                            "N124Click", "ei_hanClick", "delzenspClick", "prereplsClick",
                            "renbanClick"};

Ids Join(std::initializer_list<Ids> sets) {
  Ids all;
  for (const Ids& s : sets) all.insert(s.begin(), s.end());
  return all;
}

Ids Without(Ids all, std::initializer_list<Ids> sets) {
  for (const Ids& s : sets) {
    for (const std::string& id : s) all.erase(id);
  }
  return all;
}

class CommandKeys : public DocFixture {
 protected:
  void SetUp() override {
    DocFixture::SetUp();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // Each shortcut pressed once where the focus is. Only whether a command
  // runs is looked at: from the first call on, the commands only record
  // that they ran.
  Ids Usable() {
    ran.clear();
    for (const TShortcut& s : kShortcuts) Press(s);
    return ran;
  }

  // No key text, as with Ctrl on the original platform, so that a key the
  // commands leave does not type into the document.
  bool Press(const TShortcut& s) {
    form->Commands().SetHandler(s.id, [this, id = s.id] { ran.insert(id); });
    ran.erase(s.id);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
    QTest::sendKeyEvent(QTest::Click, target, s.key, QString(), s.modifiers);
    return ran.count(s.id) > 0;
  }

  Ids ran;
};

TEST_F(CommandKeys, WithoutADocumentOnlyNewAndOpenRun) {
  EXPECT_EQ(Usable(), kAlways);
}

TEST_F(CommandKeys, ADocumentWithoutASelection) {
  Open(Write("a.txt", "alpha beta"));
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument}));
}

TEST_F(CommandKeys, TheSelectionComesAndGoes) {
  Open(Write("a.txt", "alpha beta"));
  QTest::keyClick(&Edit(), Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument, kWithSelection}));
  QTest::keyClick(&Edit(), Qt::Key_Left);
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument}));
  Edit().SelectAll();  // a row selection counts too
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument, kWithSelection}));
}

TEST_F(CommandKeys, SwitchedOffToolGroupsKeepTheirKeysOff) {
  Open(Write("a.txt", "alpha beta"));
  Edit().SelectAll();
  for (const char* group : {"N129Click", "N130Click", "N132Click"}) Action(group)->trigger();
  EXPECT_EQ(Usable(), Without(Join({kAlways, kWithDocument, kWithSelection}),
                              {kCharKinds, kLineHeads, kDates}));
  // On again while the selection is there: their keys work at once.
  for (const char* group : {"N129Click", "N130Click", "N132Click"}) Action(group)->trigger();
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument, kWithSelection}));
}

TEST_F(CommandKeys, ClosingTheLastDocumentTurnsThemOffAgain) {
  TMDIChild* first = Open(Write("a.txt", "alpha"));
  Open(Write("b.txt", "beta"));
  Edit().SelectAll();
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument, kWithSelection}));
  Active()->close();  // not the last one
  ASSERT_EQ(Active(), first);
  EXPECT_EQ(Usable(), Join({kAlways, kWithDocument}));  // the first one has no selection
  Edit().SelectAll();
  dialogs->confirmAnswers.push_back(TAnswer::No);  // the editor's own Ctrl+X may have marked it
  first->close();
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(Usable(), kAlways);
}

TEST_F(CommandKeys, UndoAndRedoFollowTheActiveDocumentsHistory) {
  const TShortcut undo{"editundoExecute", Qt::Key_Z};
  const TShortcut redo{"editredoExecute", Qt::Key_Q};
  TMDIChild* first = Open(Write("a.txt", "alpha"));
  Type("x");
  TMDIChild* second = Open(Write("b.txt", "beta"));
  EXPECT_FALSE(Press(undo));
  form->MdiArea()->setActiveSubWindow(first);
  EXPECT_TRUE(Press(undo));  // the recorder runs instead: the history stays
  first->AFEdit->Undo();
  EXPECT_TRUE(Press(redo));
  form->MdiArea()->setActiveSubWindow(second);
  EXPECT_FALSE(Press(undo));
  EXPECT_FALSE(Press(redo));
  form->MdiArea()->setActiveSubWindow(first);
  EXPECT_TRUE(Press(redo));
  second->close();
  dialogs->confirmAnswers.push_back(TAnswer::No);
  first->close();
  EXPECT_FALSE(Press(undo));
}

}  // namespace
