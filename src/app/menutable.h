// The main window's commands as data: every menu, pop-up menu and tool bar
// with its captions, shortcuts, hints and states at start.
#pragma once

#include <cstddef>

enum TItemFlag : unsigned {
  kChecked = 1,
  kCheckable = 2,
  kDisabled = 4,
  kHidden = 8,
  kRadio = 16,
  kSubmenu = 32,  // a submenu filled at run time
};

// One menu item. Level 0 are the items of the menu itself (the menu bar's
// menus in the main menu); an item followed by deeper items is a submenu.
// Items with the same Id share one action wherever they stand; an entry
// with an Id and no caption places that shared action again. An entry with
// neither is a separator.
struct TMenuEntry {
  int Level;
  const char* Id;
  const char* Caption = nullptr;
  const char* Shortcut = nullptr;  // QKeySequence portable text
  const char* Hint = nullptr;      // "short|long", or one text for both
  unsigned Flags = 0;
};

struct TPopupMenuSpec {
  const char* Name;
  const TMenuEntry* Entries;
  std::size_t Count;
};

// A tool button. A menu command's Id (or a submenu's) puts that action on
// the bar; any other Id gets an action of its own, which runs the command
// Runs and drops down Menu. An entry without Id is a separator.
struct TToolButtonSpec {
  const char* Id;
  const char* ThemeIcon = nullptr;  // the fallback is ":/icons/<Id>.png"
  const char* Hint = nullptr;
  const char* Menu = nullptr;
  const char* Shortcut = nullptr;
  const char* Runs = nullptr;
  unsigned Flags = 0;
};

struct TToolBarSpec {
  const char* Name;
  const TToolButtonSpec* Buttons;
  std::size_t Count;
};

extern const TMenuEntry kMainMenu[];
extern const std::size_t kMainMenuSize;
extern const TMenuEntry kEditorPopup[];
extern const std::size_t kEditorPopupSize;
// bodymenu, fontmenu, ..., tagmenu, daypopmenu; cpopmenu and teipopmenu
// start empty and are not listed.
extern const TPopupMenuSpec kPopupMenus[];
extern const std::size_t kPopupMenusSize;
// ToolBar2, ToolBar1, ToolBar3, in the order of their bands.
extern const TToolBarSpec kToolBars[];
extern const std::size_t kToolBarsSize;
