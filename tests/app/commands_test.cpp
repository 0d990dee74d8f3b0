// TCommands: submenus and tool bars as groups whose state reaches every
// action in them, checked by the shortcuts a user would press.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include <iterator>
#include <map>
#include <string>

namespace {

const TMenuEntry kMenu[] = {
    {0, "Menu", "Menu"},
    {1, "Plain", "Plain", "Ctrl+1"},
    {1, "Group", "Group"},
    {2, "Inner", "Inner", "Ctrl+2"},
    {2, "Own", "Own", "Ctrl+3", nullptr, kDisabled},
    {2, "Deeper", "Deeper"},
    {3, "Deepest", "Deepest", "Ctrl+4"},
};
const TMenuEntry kPopup[] = {
    {0, "Inner"},  // the same action again, in a pop-up menu
    {0, "Hidden", "Hidden", nullptr, nullptr, kDisabled | kHidden},
    {1, "InHidden", "InHidden", "Ctrl+5"},
};
const TToolButtonSpec kButtons[] = {
    {"Button", nullptr, "Button", nullptr, "Ctrl+6"},
};
const TToolBarSpec kBar = {"Bar", kButtons, std::size(kButtons)};

class CommandGroups : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.BuildMenuBar(window.menuBar(), kMenu, std::size(kMenu));
    commands.BuildPopup("Popup", kPopup, std::size(kPopup));
    window.addToolBar(commands.BuildToolBar(kBar));
    for (const char* id : {"Plain", "Inner", "Own", "Deepest", "InHidden", "Button"}) {
      commands.SetHandler(id, [this, id] { ++runs[id]; });
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  // How often the command ran for one press of Ctrl+digit.
  int Press(int digit) {
    const std::map<std::string, int> before = runs;
    QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_0 + digit), Qt::ControlModifier);
    int ran = 0;
    for (const auto& [id, n] : runs) ran += n - (before.count(id) ? before.at(id) : 0);
    return ran;
  }

  QMainWindow window;
  TCommands commands{&window};
  std::map<std::string, int> runs;
};

TEST_F(CommandGroups, ADisabledSubmenuStopsTheShortcutsOfEveryItemInIt) {
  EXPECT_EQ(Press(1), 1);
  EXPECT_EQ(Press(2), 1);
  EXPECT_EQ(Press(4), 1);
  commands.Enable({"Group"}, false);
  EXPECT_EQ(Press(2), 0);
  EXPECT_EQ(Press(4), 0);  // a submenu of the submenu too
  EXPECT_EQ(Press(1), 1);  // beside the group
  EXPECT_FALSE(commands.Action("Inner")->isEnabled());
  commands.Enable({"Group"}, true);
  EXPECT_EQ(Press(2), 1);
  EXPECT_EQ(Press(4), 1);
}

TEST_F(CommandGroups, EnablingTheGroupAgainKeepsEachItemsOwnState) {
  EXPECT_EQ(Press(3), 0);  // disabled at start
  commands.Enable({"Group"}, false);
  commands.Enable({"Group"}, true);
  EXPECT_EQ(Press(3), 0);
  // An item enabled while its group is off waits for the group.
  commands.Enable({"Group"}, false);
  commands.Enable({"Own"}, true);
  EXPECT_EQ(Press(3), 0);
  commands.Enable({"Group"}, true);
  EXPECT_EQ(Press(3), 1);
}

TEST_F(CommandGroups, AHiddenSubmenuStopsItsItemsUntilShownAndEnabled) {
  EXPECT_EQ(Press(5), 0);  // hidden at start
  commands.Show({"Hidden"}, true);
  EXPECT_EQ(Press(5), 0);  // shown, still disabled
  commands.Enable({"Hidden"}, true);
  EXPECT_EQ(Press(5), 1);
  commands.Show({"Hidden"}, false);
  EXPECT_EQ(Press(5), 0);
  commands.Show({"Hidden"}, true);
  EXPECT_EQ(Press(5), 0);  // hiding disabled it as well
  commands.Enable({"Group"}, false);
  commands.Show({"Group"}, true);
  EXPECT_EQ(Press(2), 0);  // showing is not enabling
}

TEST_F(CommandGroups, AnActionInTwoMenusWaitsForBoth) {
  commands.Enable({"Group"}, false);
  EXPECT_FALSE(commands.Menu("Popup")->actions().constFirst()->isEnabled());
  EXPECT_EQ(Press(2), 0);
  commands.Enable({"Group"}, true);
  EXPECT_EQ(Press(2), 1);
}

TEST_F(CommandGroups, ADisabledToolBarStopsItsButtonsShortcuts) {
  EXPECT_EQ(Press(6), 1);
  commands.Enable({"Bar"}, false);
  EXPECT_EQ(Press(6), 0);
  EXPECT_FALSE(window.findChild<QToolBar*>("Bar")->isEnabled());
  commands.Enable({"Bar"}, true);
  EXPECT_EQ(Press(6), 1);
  // Hiding the tool bar is a view choice: its shortcuts stay.
  window.findChild<QToolBar*>("Bar")->hide();
  EXPECT_EQ(Press(6), 1);
}

}  // namespace
