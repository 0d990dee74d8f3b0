#include "app/mainform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <unistd.h>

#include "app/childwin.h"
#include "app/clock.h"
#include "app/inifile.h"
#include "editor/qt/tafedit.h"
#include "mainfixture.h"

namespace {

// What needs a document, by the Part that lists it, and what does not.
const char* const kNeedDocument[] = {
    "filesaveExecute", "FileSaveAsItemClick", "SaveFormatMenu", "FileCloseItem", "Print1Click",
    "editundoExecute", "editredoExecute", "editcutExecute", "editcopyExecute", "pasteExecute",
    "editsellineExecute", "EditSelectAll1Execute", "Find1Click", "Replace1Click",
    "inserchExecute", "SortMenu", "N34Click", "N100Click", "N98Click", "TeiPopButton",
    "CPopButton", "DateButton", "TimeButton", "QuoteButton", "CharKindButton", "JishoButton",
    "KeywordAddButton", "DateTimeMenu", "QuoteMenu", "popjishoClick"};
const char* const kAlwaysUsable[] = {
    "FileNew1Execute", "FileOpenItemClick", "OpenFormatMenu", "U2Click", "FileExit1Execute",
    "SettingsMenu", "N17Click", "N45Click", "Font1Click", "WindowCascade",
    "WindowTileHorizontal", "WindowTileVertical", "WindowMinimizeAll", "WindowArrangeIcons",
    "HelpAbout1Execute", "ToolButton34Click", "ToolButton56Click"};

using MainFormStart = MainFixture;

TEST_F(MainFormStart, WithoutSettingsFile) {
  TMainForm& f = Start();
  EXPECT_EQ(f.windowTitle(), "Zib_Editor");
  EXPECT_EQ(f.Settings().RowPich, 8);
  EXPECT_EQ(f.Settings().TopMgn, 10);
  EXPECT_EQ(f.Settings().ColColumnIndi, clWindow);
  EXPECT_EQ(f.Settings().ColRowNo, clGreen);
  EXPECT_TRUE(Checked("N32Click"));
  EXPECT_TRUE(Checked("N33Click"));
  EXPECT_EQ(f.EditorViewOptions().Bits(), 2015u);  // all but voIndent and voWrapLine
  EXPECT_EQ(f.EditorOptions(),
            (TAFEditOptions{TAFEditOption::aoAutoIndent, TAFEditOption::aoAutoJpnIndent,
                            TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak}));
  EXPECT_TRUE(Checked("N65Click"));
  EXPECT_TRUE(Checked("viewhourClick"));
  EXPECT_FALSE(f.HtmlToolBar()->isVisibleTo(&f));
  EXPECT_FALSE(f.HtmlToolBar()->isEnabled());
  EXPECT_TRUE(f.ConvToolBar()->isVisibleTo(&f));
}

TEST_F(MainFormStart, WithASettingsFileThatLacksTheKeys) {
  WriteIni("[form]\r\nleft=5\r\n");
  TMainForm& f = Start();
  EXPECT_EQ(f.Settings().RowPich, 4);
  EXPECT_EQ(f.Settings().TopMgn, 1);
  EXPECT_FALSE(Checked("N32Click"));
  EXPECT_FALSE(Checked("N33Click"));
  EXPECT_FALSE(f.EditorViewOptions().Has(TViewOption::voRowNum));
  EXPECT_EQ(f.width(), 640);
  EXPECT_EQ(f.height(), 460);
}

TEST_F(MainFormStart, EveryCommandThatNeedsADocumentWaitsForOne) {
  Start();
  for (const char* id : kNeedDocument) EXPECT_FALSE(Enabled(id)) << id;
  for (const char* id : kAlwaysUsable) EXPECT_TRUE(Enabled(id)) << id;
  // The selection items of the editor's pop-up menu are hidden too.
  for (const char* id : {"CharKindMenu", "SeparatorMenu", "NumberMenu", "prereplsClick",
                         "renbanClick", "N107Click", "N95Click"}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
}

TEST_F(MainFormStart, SettingsFileValuesReachTheTicksAndTheGroups) {
  WriteIni(
      "[form]\r\ntagmode=2\r\nhhtime=0\r\n[toolbar]\r\nvisible=0\r\n"
      "[menu]\r\nn129=0\r\nn130=0\r\nn131=1\r\nn132=0\r\n"
      "[options]\r\nclip=0\r\naofreecaret=1\r\nfoldright=1\r\n"
      "[emb]\r\nhtml=0\r\nquat=1\r\n");
  TMainForm& f = Start();
  EXPECT_TRUE(Checked("N67Click"));
  EXPECT_FALSE(Checked("N65Click"));
  EXPECT_EQ(f.TagMode(), 2);
  EXPECT_FALSE(Checked("viewhourClick"));
  EXPECT_FALSE(f.ConvToolBar()->isVisibleTo(&f));
  for (const char* id : {"DateButton", "TimeButton", "DateTimeMenu", "CharKindButton",
                         "SeparatorButton", "NumberButton", "LineHeadButton", "RenbanButton"}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  EXPECT_TRUE(Visible("QuoteButton"));
  EXPECT_FALSE(Enabled("setclpactExecute"));
  EXPECT_TRUE(f.EditorOptions().Has(TAFEditOption::aoFreeCaret));
  EXPECT_TRUE(f.EditorOptions().Has(TAFEditOption::aoAutoFormat));
  EXPECT_FALSE(f.EmphasizeTags());
  EXPECT_TRUE(f.EmphasizeQuotes());
}

TEST_F(MainFormStart, RecentEntriesThatStillExistInKeyOrderNewestFirstInTheMenu) {
  WriteFile("a.txt", "a");
  WriteFile("b.txt", "b");
  const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt");
  WriteIni(("[history]\r\n0=" + a + "\r\n1=" + dir.filePath("gone.txt") + "\r\n2=" + b +
            "\r\n[folder]\r\n0=" + dir.path() + "\r\n1=" + a + "\r\n2=\r\n")
               .toUtf8());
  TMainForm& f = Start();
  EXPECT_EQ(f.RecentFiles().Items(), (QStringList{a, b}));
  EXPECT_EQ(f.RecentFolders().Items(), QStringList{dir.path()});
  const QList<QAction*> items = f.FileMenu()->actions();
  ASSERT_GT(items.size(), 12);
  EXPECT_EQ(items[8]->text(), "閉じる(&C)");
  EXPECT_TRUE(items[9]->isSeparator());
  EXPECT_EQ(items[10]->data().toString(), b);
  EXPECT_EQ(items[11]->data().toString(), a);
  EXPECT_TRUE(items[12]->isSeparator());
}

TEST_F(MainFormStart, TagModeSevenKeepsTheFirstTickAndIsWrittenBack) {
  WriteIni("[form]\r\ntagmode=7\r\n[afedit]\r\numgn=0\r\n[mine]\r\nkey=kept\r\n");
  TMainForm& f = Start();
  EXPECT_TRUE(Checked("N65Click"));
  ASSERT_TRUE(f.SaveSettings());
  const TIniFile ini(ReadFile("zibeditor.ini").toStdString());
  EXPECT_EQ(ini.ReadInteger("form", "tagmode", 0), 7);
  EXPECT_EQ(ini.ReadInteger("afedit", "umgn", 0), 1);
  EXPECT_EQ(ini.ReadString("mine", "key", ""), "kept");
}

// The preview writes no scratch file, so a "tmp" there is someone else's.
TEST_F(MainFormStart, ClosingWritesSettingsAndListsAndLeavesAFileNamedTmp) {
  WriteFile("key.lst", "BODY\r\nHREF\r\n");
  WriteFile("tmp", "scratch");
  TMainForm& f = Start();
  EXPECT_EQ(f.KeywordList(), (TStringList{"BODY", "HREF"}));
  Action("N31Click")->trigger();  // column indicator off
  EXPECT_FALSE(f.EditorViewOptions().Has(TViewOption::voColIndicate));
  EXPECT_TRUE(f.close());
  const TIniFile ini(ReadFile("zibeditor.ini").toStdString());
  EXPECT_EQ(ini.ReadInteger("voptions", "vocolindecate", 1), 0);
  EXPECT_EQ(ini.ReadInteger("voptions", "vorownum", 0), 1);
  EXPECT_EQ(ReadFile("key.lst"), "BODY\r\nHREF\r\n");
  EXPECT_EQ(ReadFile("teikei.lst"), "");
  EXPECT_TRUE(QFile::exists(dir.filePath("fav.lst")));
  EXPECT_EQ(ReadFile("tmp"), "scratch");
}

// Values that crashed the editor, hung it or put the window off every
// screen: the window comes up on the screen, a document opens and is
// drawn, and what is written back works.
TEST_F(MainFormStart, ExtremeAndGarbageSettingsStillStartOnScreenAndAreWrittenBackSane) {
  WriteIni(
      "[form]\r\nleft=100000\r\ntop=-100000\r\nwidth=2147483647\r\nheight=tall\r\n"
      "[afedit]\r\nlmgn=-2147483648\r\npich=2147483647\r\ndefwrappos=-1073741824\r\n"
      "umgn=-7\r\n[font]\r\nsize=2147483647\r\ncolor=-2147483648\r\nname=\r\n"
      "[color]\r\nhtml=$FFFFFFFF\r\nafColor=-1\r\n[options]\r\nfoldright=1\r\n"
      "[history]\r\n0=\x01\xFF\r\n");
  WriteFile("a.txt", QByteArray("<p>\"text\"</p>\tand more\r\n").repeated(200));
  TMainForm& f = Start();
  f.show();
  const QRect screen = f.screen()->availableGeometry();
  // The frame's edges are the window system's; the window itself is on the screen.
  EXPECT_TRUE(screen.contains(QRect(f.pos(), f.size())));
  TMDIChild* child = f.OpenDocument(dir.filePath("a.txt"));
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->AFEdit->grab().isNull());

  ASSERT_TRUE(f.close());
  const TIniFile ini(ReadFile("zibeditor.ini").toStdString());
  const QRect written(ini.ReadInteger("form", "left", -1), ini.ReadInteger("form", "top", -1),
                      ini.ReadInteger("form", "width", -1), ini.ReadInteger("form", "height", -1));
  EXPECT_TRUE(screen.contains(written)) << written.x() << "," << written.y();
  EXPECT_EQ(written.height(), 460);
  EXPECT_EQ(ini.ReadInteger("afedit", "lmgn", -1), 0);
  EXPECT_EQ(ini.ReadInteger("afedit", "pich", -1), kMaxRowPich);
  EXPECT_EQ(ini.ReadInteger("afedit", "defwrappos", -1), 60);
  EXPECT_EQ(ini.ReadInteger("afedit", "umgn", -1), 1);
  EXPECT_EQ(ini.ReadInteger("font", "size", -1), kMaxFontSize);
}

// A settings or list file that exists but could not be read is reported
// once, at start, and left as it is at exit rather than replaced by defaults.
TEST_F(MainFormStart, FilesThatCouldNotBeReadAreReportedOnceAndNotWrittenBack) {
  ASSERT_TRUE(QFile::link("/proc/self/mem", dir.filePath("zibeditor.ini")));  // an I/O error
  ASSERT_TRUE(QDir(dir.path()).mkdir("key.lst"));
  WriteFile("teikei.lst", "phrase\r\n");
  const bool root = ::geteuid() == 0;  // root reads a file of mode 0200 all the same
  if (!root) {
    WriteFile("fav.lst", "http://example.com/\r\n");
    QFile::setPermissions(dir.filePath("fav.lst"), QFile::WriteOwner);
  }
  TMainForm& f = Start();
  EXPECT_TRUE(dialogs->messages.empty()) << "reported once the window is up";
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].contains(dir.filePath("zibeditor.ini") + " の読み込みに失敗しました"));
  EXPECT_TRUE(dialogs->messages[0].contains(dir.filePath("key.lst")));
  EXPECT_EQ(dialogs->messages[0].contains(dir.filePath("fav.lst")), !root);
  EXPECT_FALSE(dialogs->messages[0].contains("teikei.lst"));

  ASSERT_TRUE(f.close());
  EXPECT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(QFileInfo(dir.filePath("zibeditor.ini")).isSymLink());
  EXPECT_TRUE(QFileInfo(dir.filePath("key.lst")).isDir());
  EXPECT_EQ(ReadFile("teikei.lst"), "phrase\r\n");
  if (!root) {
    QFile::setPermissions(dir.filePath("fav.lst"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(ReadFile("fav.lst"), "http://example.com/\r\n");
  }
}

TEST_F(MainFormStart, AnUnwritableSettingsFileIsReportedNotIgnored) {
  TMainForm& f = Start();
  ASSERT_TRUE(QDir(dir.path()).mkdir("zibeditor.ini"));  // a folder in its way
  EXPECT_FALSE(f.SaveSettings());
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].endsWith("zibeditor.ini の書き込みに失敗しました(-_-;)"));
}

using MainFormCommands = MainFixture;

TEST_F(MainFormCommands, HintsSplitIntoToolTipAndStatusBar) {
  TMainForm& f = Start();
  QAction* open = Action("FileOpenItemClick");
  EXPECT_EQ(open->toolTip(), "開く");
  open->showStatusText(&f);
  EXPECT_EQ(f.StatusPanel(2)->text(), "既存のファイルを開く");
  // A hint without "|" is both.
  QAction* sort = Action("SortMenu");
  EXPECT_EQ(sort->toolTip(), "文字列によって行を並び替える");
  sort->showStatusText(&f);
  EXPECT_EQ(f.StatusPanel(2)->text(), "文字列によって行を並び替える");
  // Leaving an item clears the panel.
  QStatusTipEvent leave{QString()};
  QCoreApplication::sendEvent(&f, &leave);
  EXPECT_EQ(f.StatusPanel(2)->text(), "");
}

TEST_F(MainFormCommands, ItemsRunningOneCommandShareOneAction) {
  TMainForm& f = Start();
  QMenu* popup = f.Commands().Menu("PopMenu");
  EXPECT_TRUE(popup->actions().contains(Action("editcopyExecute")));
  EXPECT_TRUE(f.StandardToolBar()->actions().contains(Action("editcopyExecute")));
  // One action per shortcut, or Qt would call them ambiguous.
  QHash<QKeySequence, QString> seen;
  for (QAction* a : f.actions()) {
    if (a->shortcut().isEmpty()) continue;
    EXPECT_FALSE(seen.contains(a->shortcut())) << a->objectName().toStdString() << " and "
                                               << seen.value(a->shortcut()).toStdString();
    seen.insert(a->shortcut(), a->objectName());
  }
  EXPECT_EQ(seen.value(QKeySequence("Ctrl+Alt+A")), "FileSaveAsItemClick");
  EXPECT_EQ(seen.value(QKeySequence("Ctrl+Shift+Space")), "delzenspClick");
}

TEST_F(MainFormCommands, DropDownButtonsOpenTheirMenus) {
  TMainForm& f = Start();
  const auto button = [&](QToolBar* bar, const char* id) {
    return qobject_cast<QToolButton*>(bar->widgetForAction(Action(id)));
  };
  QToolButton* body = button(f.HtmlToolBar(), "BodyButton");
  ASSERT_TRUE(body);
  EXPECT_EQ(body->menu(), f.Commands().Menu("bodymenu"));
  EXPECT_EQ(body->popupMode(), QToolButton::InstantPopup);
  QToolButton* quote = button(f.ConvToolBar(), "QuoteButton");
  ASSERT_TRUE(quote);
  EXPECT_EQ(quote->menu(), f.Commands().Menu("QuoteMenu"));
}

TEST_F(MainFormCommands, FirstAndLastDocumentAndTheSelection) {
  TMainForm& f = Start();
  f.DocumentCommandsOn();
  for (const char* id : {"filesaveExecute", "SortMenu", "N98Click", "CPopButton", "DateButton",
                         "dateitemClick", "QuoteMenu", "pasteExecute"}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  EXPECT_TRUE(f.HtmlToolBar()->isEnabled());
  EXPECT_FALSE(Enabled("editcopyExecute"));
  EXPECT_FALSE(Enabled("CharKindButton"));

  f.SelectionCommands(true);
  for (const char* id : {"editcopyExecute", "editcutExecute", "inserchExecute", "N107Click",
                         "CharKindMenu", "CharKindButton", "prereplsClick", "RenbanButton",
                         "JishoButton"}) {
    EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Visible(id)) << id;
  }
  f.SelectionCommands(false);
  EXPECT_FALSE(Enabled("editcopyExecute"));
  EXPECT_FALSE(Visible("N107Click"));
  EXPECT_FALSE(Visible("CharKindMenu"));
  EXPECT_FALSE(Enabled("CharKindButton"));
  EXPECT_TRUE(Visible("CharKindButton"));  // buttons stay, disabled

  f.SelectionCommands(true);
  f.DocumentCommandsOff();
  for (const char* id : kNeedDocument) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_FALSE(Visible("CharKindMenu"));
  EXPECT_FALSE(f.HtmlToolBar()->isEnabled());
}

TEST_F(MainFormCommands, ASwitchedOffGroupStaysOutOfTheSelectionCommands) {
  Start();
  Action("N129Click")->trigger();  // "文字変換" off
  EXPECT_FALSE(Visible("CharKindButton"));
  form->MdiArea()->addSubWindow(new QWidget);
  form->DocumentCommandsOn();
  form->SelectionCommands(true);
  EXPECT_FALSE(Visible("CharKindMenu"));
  EXPECT_FALSE(Enabled("CharKindButton"));
  EXPECT_TRUE(Visible("prereplsClick"));
  Action("N129Click")->trigger();  // on again, with a selection
  EXPECT_TRUE(Visible("CharKindButton"));
  EXPECT_TRUE(Enabled("CharKindButton"));
}

TEST_F(MainFormCommands, DateGroupWithoutADocumentIsShownButNotEnabled) {
  Start();
  Action("N130Click")->trigger();
  EXPECT_FALSE(Visible("DateButton"));
  EXPECT_FALSE(Visible("DateTimeMenu"));
  Action("N130Click")->trigger();
  EXPECT_TRUE(Visible("DateButton"));
  EXPECT_FALSE(Enabled("DateButton"));
}

TEST_F(MainFormCommands, ToolBarSwitchesAndTagModes) {
  TMainForm& f = Start();
  f.show();
  Action("ToolButton34Click")->trigger();
  EXPECT_TRUE(f.HtmlToolBar()->isVisible());
  Action("htmlmenuClick")->trigger();
  EXPECT_FALSE(f.HtmlToolBar()->isVisible());
  Action("ToolButton56Click")->trigger();
  EXPECT_FALSE(f.ConvToolBar()->isVisible());
  Action("N66Click")->trigger();
  EXPECT_EQ(f.TagMode(), 1);
  EXPECT_FALSE(Checked("N65Click"));
}

TEST_F(MainFormCommands, AboutBoxOpensModallyBesideTheWindow) {
  TMainForm& f = Start();
  f.move(30, 40);
  Action("HelpAbout1Execute")->trigger();
  ASSERT_EQ(dialogs->modalWindows, std::vector<QString>{"AboutBox"});
  const QWidget* about = f.findChild<QWidget*>("AboutBox");
  ASSERT_TRUE(about);
  EXPECT_EQ(about->pos(), f.pos() + QPoint(400, 100));
  EXPECT_EQ(about->windowTitle(), "バージョン情報");
}

TEST_F(MainFormCommands, WindowsTiledAcrossAndDown) {
  TMainForm& f = Start();
  f.resize(900, 700);
  f.show();
  QMdiArea* mdi = f.MdiArea();
  for (int i = 0; i < 3; ++i) mdi->addSubWindow(new QWidget)->show();
  const QRect area = mdi->viewport()->rect();
  Action("WindowTileVertical")->trigger();
  int x = 0;
  for (QMdiSubWindow* w : mdi->subWindowList()) {
    EXPECT_EQ(w->geometry().left(), x);
    EXPECT_EQ(w->height(), area.height());
    x = w->geometry().right() + 1;
  }
  EXPECT_EQ(x, area.width());
  Action("WindowTileHorizontal")->trigger();
  int y = 0;
  for (QMdiSubWindow* w : mdi->subWindowList()) {
    EXPECT_EQ(w->geometry().top(), y);
    EXPECT_EQ(w->width(), area.width());
    y = w->geometry().bottom() + 1;
  }
  EXPECT_EQ(y, area.height());
  Action("WindowMinimizeAll")->trigger();
  for (QMdiSubWindow* w : mdi->subWindowList()) EXPECT_TRUE(w->isMinimized());
}

TEST_F(MainFormCommands, WindowMenuListsTheDocuments) {
  TMainForm& f = Start();
  f.show();
  QMdiArea* mdi = f.MdiArea();
  for (const char* title : {"/tmp/a.txt", "/tmp/R&D.txt"}) {
    QMdiSubWindow* w = mdi->addSubWindow(new QWidget);
    w->setWindowTitle(title);
    w->show();
  }
  QMenu* menu = f.Commands().Menu("WindowMenu");
  for (int round = 0; round < 2; ++round) {  // filled anew each time
    emit menu->aboutToShow();
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 5 + 1 + 2);
    EXPECT_EQ(items[6]->text(), "&1 /tmp/a.txt");
    EXPECT_EQ(items[7]->text(), "&2 /tmp/R&&D.txt");
    EXPECT_TRUE(items[7]->isChecked());
  }
  menu->actions()[6]->trigger();
  EXPECT_EQ(mdi->activeSubWindow()->windowTitle(), "/tmp/a.txt");
}

TEST(Clock, TwentyFourAndTwelveHours) {
  EXPECT_EQ(ClockText(QTime(14, 5), true), "14:05");
  EXPECT_EQ(ClockText(QTime(9, 5), true), "09:05");
  EXPECT_EQ(ClockText(QTime(14, 5), false), " 2:05");
  EXPECT_EQ(ClockText(QTime(0, 30), false), " 12:30");
  EXPECT_EQ(ClockText(QTime(12, 0), false), " 12:00");
}

}  // namespace
