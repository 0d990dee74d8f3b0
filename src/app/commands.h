// The main window's actions, menus and tool bars, built from the tables of
// menutable.h and found again by their ids. An action runs the handler set
// for its id; ids without a handler belong to commands not wired yet and do
// nothing.
//
// A submenu and a tool bar are groups: whatever disables or hides one
// disables every action in it, so that the shortcuts of its items do not
// run either. An action is usable only while it is enabled itself and every
// group it stands in is; enabling the group again gives each action back
// its own state.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>

#include "app/menutable.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

class TCommands : public QObject {
  Q_OBJECT
 public:
  // Actions with shortcuts are added to `window` so that the shortcuts work
  // from anywhere in it, pop-up menu items included.
  explicit TCommands(QWidget* window);

  // Null for an unknown id.
  QAction* Action(const QString& id) const;
  QMenu* Menu(const QString& id) const;

  void BuildMenuBar(QMenuBar* bar, const TMenuEntry* entries, std::size_t count);
  QMenu* BuildPopup(const QString& name, const TMenuEntry* entries, std::size_t count);
  QToolBar* BuildToolBar(const TToolBarSpec& spec);

  void SetHandler(const QString& id, std::function<void()> handler);
  void Run(const QString& id);

  // Enables (or disables) the action, submenu or tool bar of each id.
  void Enable(std::span<const char* const> ids, bool on);
  void Enable(std::initializer_list<const char*> ids, bool on) { Enable(std::span(ids), on); }
  // Shows (or hides) the action or submenu of each id; hidden ones are
  // disabled too.
  void Show(std::span<const char* const> ids, bool on);
  void Show(std::initializer_list<const char*> ids, bool on) { Show(std::span(ids), on); }

 private:
  // The action of an item; a submenu's is its menu's action.
  QAction* ItemAction(const TMenuEntry& e, QMenu* parent, QMenu* submenu);
  QAction* NewAction(const QString& id, const QString& text, const char* shortcut);
  // Adds entries[i] and its deeper items to menu; returns the next index.
  std::size_t AddItems(QMenu* menu, const TMenuEntry* entries, std::size_t count, std::size_t i);

  QWidget* window_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QMenu*> menus_;
  QHash<QString, QToolBar*> toolBars_;
  QHash<QString, std::function<void()>> handlers_;
};

// "short|long": the short text is the tool tip, the long one goes to the
// status bar; a hint without "|" is both.
void SetHint(QAction* action, const QString& hint);
