// The 表示 and 設定 commands: each change reaches every open editor, the
// ones opened later and the settings file; the number boxes' limits; 整形
// and 整形無効; the clock.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include <map>
#include <optional>

#include "app/clock.h"
#include "app/editorfont.h"
#include "app/inifile.h"
#include "app/numbermessage.h"
#include "docfixture.h"

namespace {

class ViewCommands : public DocFixture {
 protected:
  // Answers the next input box with `text` and runs the command.
  void Enter(const char* id, const QString& text) {
    dialogs->inputAnswers.push_back(text);
    Action(id)->trigger();
  }
  TIniFile ClosedIni() {
    EXPECT_TRUE(form->close());
    return TIniFile(ReadFile("zibeditor.ini").toStdString());
  }
  QList<TAFEdit*> Editors() const {
    QList<TAFEdit*> editors;
    for (TMDIChild* w : form->Children()) editors << w->AFEdit;
    return editors;
  }
};

struct ColorCase {
  const char* id;
  TColor (TCustomAFEdit::*shown)() const;
  const char* key;
};
const ColorCase kColorCases[] = {
    {"N45Click", &TCustomAFEdit::Color, "afColor"},
    {"N37Click", &TCustomAFEdit::ColColumnNo, "ColColumnNo"},
    {"N38Click", &TCustomAFEdit::ColColumnIndi, "ColColumnIndi"},
    {"N39Click", &TCustomAFEdit::ColKeyWord, "CollKeyWord"},
    {"N40Click", &TCustomAFEdit::ColLeftMgn, "ColLeftMgn"},
    {"N41Click", &TCustomAFEdit::ColRowNo, "ColRowNo"},
    {"N42Click", &TCustomAFEdit::ColSelText, "ColSelText"},
    {"N43Click", &TCustomAFEdit::ColSelBrush, "ColSelBrush"},
    {"N44Click", &TCustomAFEdit::ColDependence, "ColDependence"},
};

TEST_F(ViewCommands, ColoursReachEveryEditorTheNextOneAndTheFile) {
  Open(Write("a.txt", "a"));
  Open(Write("b.txt", "b"));
  TColor color = 0x102030;
  for (const ColorCase& c : kColorCases) {
    dialogs->colorAnswers.push_back(std::nullopt);  // Cancel changes nothing
    Action(c.id)->trigger();
    for (TAFEdit* e : Editors()) EXPECT_NE((e->*c.shown)(), color) << c.id;
    dialogs->colorAnswers.push_back(++color);
    Action(c.id)->trigger();
    for (TAFEdit* e : Editors()) EXPECT_EQ((e->*c.shown)(), color) << c.id;
  }
  Open(Write("c.txt", "c"));
  color = 0x102030;
  for (const ColorCase& c : kColorCases) EXPECT_EQ((Edit().*c.shown)(), ++color) << c.id;
  for (const char* id : {"htmlcolClick", "quatcolClick", "colortimeClick", "timebackcolorClick"}) {
    dialogs->colorAnswers.push_back(++color);
    Action(id)->trigger();
  }
  EXPECT_EQ(form->Settings().HtmlTagColor, 0x10203A);
  EXPECT_EQ(form->Settings().QuoteColor, 0x10203B);
  EXPECT_EQ(form->ClockLabel()->palette().color(QPalette::WindowText), QColor(0x3C, 0x20, 0x10));
  EXPECT_EQ(form->ClockLabel()->palette().color(QPalette::Window), QColor(0x3D, 0x20, 0x10));
  const TIniFile ini = ClosedIni();
  color = 0x102030;
  for (const ColorCase& c : kColorCases) {
    EXPECT_EQ(ini.ReadString("color", c.key, ""), QString("$00%1").arg(++color, 6, 16, QChar('0')).toUpper())
        << c.key;
  }
  EXPECT_EQ(ini.ReadString("color", "time", ""), "$0010203D");
}

TEST_F(ViewCommands, AColourPickedWithoutADocumentIsUsedByTheNextOne) {
  dialogs->colorAnswers.push_back(clRed);
  Action("N41Click")->trigger();
  Open(Write("a.txt", "a"));
  EXPECT_EQ(Edit().ColRowNo(), clRed);
}

TEST_F(ViewCommands, TheFontReachesEveryEditorAndStaysWithinLimits) {
  Open(Write("a.txt", "a"));
  Open(Write("b.txt", "b"));
  TFontTemplate font;
  font.Name = "DejaVu Sans";
  font.Size = 500;
  dialogs->fontAnswers.push_back(font);
  Action("Font1Click")->trigger();
  font.Size = kMaxFontSize;
  EXPECT_EQ(form->Settings().Font, font);
  for (TAFEdit* e : Editors()) EXPECT_EQ(e->Font(), ToEditorFont(font));
  dialogs->fontAnswers.push_back(std::nullopt);
  Action("Font1Click")->trigger();
  EXPECT_EQ(form->Settings().Font, font);
  Open(Write("c.txt", "c"));
  EXPECT_EQ(Edit().Font(), ToEditorFont(font));
  const TIniFile ini = ClosedIni();
  EXPECT_EQ(ini.ReadString("font", "name", ""), "DejaVu Sans");
  EXPECT_EQ(ini.ReadInteger("font", "size", 0), kMaxFontSize);
}

TEST_F(ViewCommands, NumberBoxesIgnoreZeroKeepLimitsAndRefuseText) {
  Open(Write("a.txt", "a"));
  Open(Write("b.txt", "b"));
  const TSettings before = form->Settings();
  for (const char* id : {"N13Click", "N15Click", "N50Click", "N9Click"}) {
    Enter(id, "0");
    Enter(id, "12x");
    dialogs->inputAnswers.push_back(std::nullopt);
    Action(id)->trigger();
  }
  Enter("N13Click", "3");
  EXPECT_EQ(form->Settings().DefWrapPos, before.DefWrapPos);
  EXPECT_EQ(form->Settings().RowPich, before.RowPich);
  EXPECT_EQ(form->Settings().LeftMgn, before.LeftMgn);
  EXPECT_EQ(form->Settings().TopMgn, before.TopMgn);
  ASSERT_EQ(dialogs->messages.size(), 4u);
  EXPECT_EQ(dialogs->messages[0], NotANumberMessage("12x"));
  // Titles, and the current values offered.
  EXPECT_EQ(dialogs->inputRequests[0].title, "自動改行位置");
  EXPECT_EQ(dialogs->inputRequests[0].value, QString::number(before.DefWrapPos));
  EXPECT_EQ(dialogs->inputRequests[3].title, "");
  EXPECT_EQ(dialogs->inputRequests[6].title, "編集領域の左マージン");
  EXPECT_EQ(dialogs->inputRequests[9].title, "編集領域の上マージン");

  Enter("N13Click", "4");
  Enter("N15Click", "-5");
  Enter("N9Click", "5000");
  Enter("N50Click", " 80 ");
  for (TAFEdit* e : Editors()) {
    EXPECT_EQ(e->DefWrapPos(), 4);
    EXPECT_EQ(e->RowPich(), kMinRowPich);
    EXPECT_EQ(e->RowHeight(), e->CharHeight() + kMinRowPich);
    EXPECT_EQ(e->TopMgn(), kMaxMargin);
    EXPECT_EQ(e->LeftMgn(), 80);
    EXPECT_EQ(e->TextLeft(), 80);
  }
  Enter("N13Click", "70000");
  EXPECT_EQ(form->Settings().DefWrapPos, kMaxWrapPos);
  Open(Write("c.txt", "c"));
  EXPECT_EQ(Edit().LeftMgn(), 80);
  EXPECT_EQ(Edit().RowPich(), kMinRowPich);
  const TIniFile ini = ClosedIni();
  EXPECT_EQ(ini.ReadInteger("afedit", "defwrappos", 0), kMaxWrapPos);
  EXPECT_EQ(ini.ReadInteger("afedit", "pich", 0), kMinRowPich);
  EXPECT_EQ(ini.ReadInteger("afedit", "lmgn", 0), 80);
  EXPECT_EQ(ini.ReadInteger("afedit", "umgn", 0), kMaxMargin);
}

// Whether the long row of "w" x 300 is cut into rows of at most `column`
// columns (more than half of them used), its text whole.
bool WrappedAt(const TAFEdit& e, int column) {
  int widest = 0;
  for (int r = 0; r < e.RowCount(); ++r) widest = std::max(widest, e.RowEndCol(r));
  return widest <= column && widest > column / 2 && e.Text() == std::string(300, 'w') + "\r\nend";
}

TEST_F(ViewCommands, WrapPositionReformatsFormattedWindowsOnly) {
  TMDIChild* plain = Open(Write("plain.txt", QByteArray(300, 'w') + "\r\nend"));
  TMDIChild* formatted = Open(Write("fmt.txt", QByteArray(300, 'w') + "\r\nend"), "N91Click");
  ASSERT_EQ(formatted->Tag, 1);
  Enter("N13Click", "30");
  EXPECT_TRUE(WrappedAt(*formatted->AFEdit, 30));
  EXPECT_EQ(plain->AFEdit->RowCount(), 2);
  EXPECT_EQ(plain->AFEdit->DefWrapPos(), 30);
  // While the right edge decides, the other windows keep their column.
  Action("N98Click")->trigger();
  const int edgeColumn = plain->AFEdit->DefWrapPos();
  Enter("N13Click", "50");
  EXPECT_TRUE(WrappedAt(*formatted->AFEdit, 50));
  EXPECT_EQ(plain->AFEdit->DefWrapPos(), edgeColumn);
}

TEST_F(ViewCommands, FormatAndEndFormatWithAndWithoutTheRightEdge) {
  TMDIChild* w = Open(Write("a.txt", QByteArray(300, 'w') + "\r\nend"));
  TAFEdit& e = *w->AFEdit;
  Action("N100Click")->trigger();  // never formatted: nothing
  EXPECT_EQ(e.RowCount(), 2);
  Action("N34Click")->trigger();
  EXPECT_EQ(w->Tag, 1);
  EXPECT_TRUE(e.HasOption(TAFEditOption::aoAutoFormat));
  EXPECT_TRUE(WrappedAt(e, 60));
  // Stays formatted when the options are applied again.
  Action("N17Click")->trigger();
  EXPECT_TRUE(e.HasOption(TAFEditOption::aoAutoFormat));
  Action("N100Click")->trigger();
  EXPECT_EQ(w->Tag, 0);
  EXPECT_FALSE(e.HasOption(TAFEditOption::aoAutoFormat));
  EXPECT_EQ(e.RowCount(), 2);
  EXPECT_EQ(e.DefWrapPos(), 60);
  EXPECT_FALSE(e.Edited());

  Action("N98Click")->trigger();
  Action("N34Click")->trigger();
  EXPECT_TRUE(WrappedAt(e, 60));
  Action("N100Click")->trigger();
  EXPECT_EQ(e.ScrollBars(), TScrollStyle::ssVertical);
  EXPECT_EQ(e.DefWrapPos(), e.VisibleCols() - 3);
  EXPECT_TRUE(WrappedAt(e, e.VisibleCols() - 3));
}

// Each tick and the editor switch it stands for.
struct TickCase {
  const char* id;
  std::optional<TViewOption> view;
  std::optional<TAFEditOption> option;
};
const TickCase kTickCases[] = {
    {"N26Click", TViewOption::voDependence, {}}, {"N27Click", TViewOption::voHankana, {}},
    {"CR1Click", TViewOption::voCr, {}},         {"N28Click", TViewOption::voAnsiSpace, {}},
    {"AB1Click", TViewOption::voTab, {}},        {"N30Click", TViewOption::voKeyWord, {}},
    {"N31Click", TViewOption::voColIndicate, {}}, {"N32Click", TViewOption::voRowNum, {}},
    {"N33Click", TViewOption::voFoldMark, {}},   {"N17Click", {}, TAFEditOption::aoFreeCaret},
    {"N18Click", {}, TAFEditOption::aoAutoIndent}, {"N19Click", {}, TAFEditOption::aoAutoJpnIndent},
    {"N20Click", {}, TAFEditOption::aoWordWrap}, {"N21Click", {}, TAFEditOption::aoJpnBanBreak},
};

bool Shows(const TAFEdit& e, const TickCase& c) {
  return c.view ? e.HasView(*c.view) : e.HasOption(*c.option);
}

// Every tick flipped on its own: only its own switch changes, in every
// open editor; a later editor and a restart see all of them flipped.
TEST_F(ViewCommands, EveryTickReachesEveryEditorTheNextOneAndARestart) {
  Open(Write("a.txt", "a"));
  Open(Write("b.txt", "b"));
  std::map<std::string, bool> was;
  for (const TickCase& c : kTickCases) was[c.id] = Shows(Edit(), c);
  for (std::size_t i = 0; i < std::size(kTickCases); ++i) {
    Action(kTickCases[i].id)->trigger();
    for (TAFEdit* e : Editors()) {
      for (std::size_t k = 0; k < std::size(kTickCases); ++k) {
        const TickCase& c = kTickCases[k];
        EXPECT_EQ(Shows(*e, c), was[c.id] != (k <= i)) << kTickCases[i].id << " then " << c.id;
      }
    }
  }
  Action("embtagClick")->trigger();
  Action("viewhourClick")->trigger();
  Open(Write("c.txt", "c"));
  for (const TickCase& c : kTickCases) EXPECT_NE(Shows(Edit(), c), was[c.id]) << c.id;

  ASSERT_TRUE(form->close());
  form.reset();
  Start();
  Open(Write("d.txt", "d"));
  for (const TickCase& c : kTickCases) EXPECT_NE(Shows(Edit(), c), was[c.id]) << c.id;
  EXPECT_FALSE(form->EmphasizeTags());
  EXPECT_FALSE(Checked("viewhourClick"));
}

TEST_F(ViewCommands, ChangesSurviveARestart) {
  Action("N32Click")->trigger();  // row numbers off
  Action("N17Click")->trigger();  // free caret on
  Action("embquatClick")->trigger();
  Enter("N15Click", "6");
  dialogs->colorAnswers.push_back(clNavy);
  Action("N45Click")->trigger();
  ASSERT_TRUE(form->close());
  form.reset();
  Start();
  Open(Write("a.txt", "a"));
  EXPECT_FALSE(Edit().HasView(TViewOption::voRowNum));
  EXPECT_TRUE(Edit().HasOption(TAFEditOption::aoFreeCaret));
  EXPECT_TRUE(form->EmphasizeQuotes());
  EXPECT_EQ(Edit().RowPich(), 6);
  EXPECT_EQ(Edit().Color(), clNavy);
}

TEST_F(ViewCommands, TheClockStartsAtZeroAndTicksInTheChosenForm) {
  EXPECT_EQ(form->ClockLabel()->text(), "00:00");
  QTest::qWait(600);
  const QString text = form->ClockLabel()->text();
  EXPECT_TRUE(text == ClockText(QTime::currentTime(), true) ||
              text == ClockText(QTime::currentTime().addSecs(-1), true))
      << text.toStdString();
  Action("viewhourClick")->trigger();  // the 12-hour form, at once
  EXPECT_EQ(form->ClockLabel()->text(), ClockText(QTime::currentTime(), false));
}

}  // namespace
