#include "app/commands.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/outsidework.h"

namespace {

QString Text(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

QIcon ButtonIcon(const QString& id, const char* themeName) {
  const QIcon own(QStringLiteral(":/icons/%1.png").arg(id));
  return themeName ? QIcon::fromTheme(QLatin1String(themeName), own) : own;
}

// What an action asks for itself; QAction's own flag is what its groups
// leave of it.
constexpr char kOwnEnabled[] = "ownEnabled";

bool OwnEnabled(const QAction* a) {
  const QVariant own = a->property(kOwnEnabled);
  return !own.isValid() || own.toBool();
}

bool GroupsAllow(const QAction* a) {
  for (const QObject* o : a->associatedObjects()) {
    if (const auto* menu = qobject_cast<const QMenu*>(o)) {
      if (!menu->menuAction()->isEnabled()) return false;  // hidden ones are disabled too
    } else if (const auto* bar = qobject_cast<const QToolBar*>(o)) {
      if (bar->testAttribute(Qt::WA_Disabled)) return false;
    }
  }
  return true;
}

// A submenu's items follow it, and their submenus theirs.
void Refresh(QAction* a) {
  a->setEnabled(OwnEnabled(a) && GroupsAllow(a));
  if (const QMenu* submenu = a->menu()) {
    for (QAction* item : submenu->actions()) Refresh(item);
  }
}

void SetOwnEnabled(QAction* a, bool on) {
  a->setProperty(kOwnEnabled, on);
  Refresh(a);
}

void ApplyFlags(QAction* a, unsigned flags) {
  if (flags & (kChecked | kCheckable | kRadio)) a->setCheckable(true);
  if (flags & kChecked) a->setChecked(true);
  if (flags & kDisabled) SetOwnEnabled(a, false);
  if (flags & kHidden) a->setVisible(false);
}

}  // namespace

void SetHint(QAction* action, const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  action->setToolTip(bar < 0 ? hint : hint.left(bar));
  action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

TCommands::TCommands(QWidget* window) : QObject(window), window_(window) {}

QAction* TCommands::Action(const QString& id) const {
  if (QAction* a = actions_.value(id)) return a;
  QMenu* m = menus_.value(id);
  return m ? m->menuAction() : nullptr;
}

QMenu* TCommands::Menu(const QString& id) const { return menus_.value(id); }

void TCommands::SetHandler(const QString& id, std::function<void()> handler) {
  handlers_.insert(id, std::move(handler));
}

void TCommands::Run(const QString& id) {
  const TOutsideWork::THold hold;
  const auto it = handlers_.constFind(id);
  if (it != handlers_.constEnd()) (*it)();
}

void TCommands::Enable(std::span<const char* const> ids, bool on) {
  for (const char* id : ids) {
    if (QToolBar* bar = toolBars_.value(QLatin1String(id))) {
      bar->setEnabled(on);
      for (QAction* a : bar->actions()) Refresh(a);
    } else if (QAction* a = Action(QLatin1String(id))) {
      SetOwnEnabled(a, on);
    }
  }
}

void TCommands::Show(std::span<const char* const> ids, bool on) {
  for (const char* id : ids) {
    if (QAction* a = Action(QLatin1String(id))) {
      a->setVisible(on);
      if (!on) a->setProperty(kOwnEnabled, false);
      Refresh(a);
    }
  }
}

QAction* TCommands::NewAction(const QString& id, const QString& text, const char* shortcut) {
  auto* a = new QAction(text, window_);
  a->setObjectName(id);
  if (shortcut) {
    a->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
    window_->addAction(a);
  }
  if (!id.isEmpty()) {
    actions_.insert(id, a);
    connect(a, &QAction::triggered, this, [this, id] { Run(id); });
  }
  return a;
}

QAction* TCommands::ItemAction(const TMenuEntry& e, QMenu* parent, QMenu* submenu) {
  const QString id = Text(e.Id);
  if (!e.Caption) return Action(id);  // placed again
  QAction* a = submenu ? submenu->menuAction() : nullptr;
  if (submenu) {
    submenu->setTitle(Text(e.Caption));
    if (!id.isEmpty()) menus_.insert(id, submenu);
  } else {
    a = NewAction(id, Text(e.Caption), e.Shortcut);
  }
  if (e.Hint) SetHint(a, Text(e.Hint));
  ApplyFlags(a, e.Flags);
  if (e.Flags & kRadio) {
    // Consecutive radio items of one menu form one group.
    const QList<QAction*> before = parent->actions();
    QActionGroup* group = !before.isEmpty() && before.constLast()->actionGroup()
                              ? before.constLast()->actionGroup()
                              : new QActionGroup(parent);
    group->addAction(a);
  }
  return a;
}

std::size_t TCommands::AddItems(QMenu* menu, const TMenuEntry* entries, std::size_t count,
                                std::size_t i) {
  menu->setSeparatorsCollapsible(false);  // the File menu has two in a row
  const int level = entries[i].Level;
  while (i < count && entries[i].Level == level) {
    const TMenuEntry& e = entries[i++];
    if (!e.Id && !e.Caption) {
      menu->addSeparator();
      continue;
    }
    const bool hasItems = i < count && entries[i].Level > level;
    QMenu* submenu = hasItems || (e.Flags & kSubmenu) ? new QMenu(menu) : nullptr;
    QAction* a = ItemAction(e, menu, submenu);
    menu->addAction(a);
    Refresh(a);
    if (hasItems) i = AddItems(submenu, entries, count, i);
  }
  return i;
}

void TCommands::BuildMenuBar(QMenuBar* bar, const TMenuEntry* entries, std::size_t count) {
  for (std::size_t i = 0; i < count;) {
    const TMenuEntry& e = entries[i++];
    auto* menu = new QMenu(bar);
    bar->addAction(ItemAction(e, menu, menu));
    if (i < count && entries[i].Level > 0) i = AddItems(menu, entries, count, i);
  }
}

QMenu* TCommands::BuildPopup(const QString& name, const TMenuEntry* entries, std::size_t count) {
  auto* menu = new QMenu(window_);
  menu->setObjectName(name);
  menus_.insert(name, menu);
  if (count > 0) AddItems(menu, entries, count, 0);
  return menu;
}

QToolBar* TCommands::BuildToolBar(const TToolBarSpec& spec) {
  auto* bar = new QToolBar(window_);
  bar->setObjectName(QLatin1String(spec.Name));
  toolBars_.insert(bar->objectName(), bar);
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(24, 24));
  for (std::size_t i = 0; i < spec.Count; ++i) {
    const TToolButtonSpec& b = spec.Buttons[i];
    if (!b.Id) {
      bar->addSeparator();
      continue;
    }
    const QString id = QLatin1String(b.Id);
    QAction* a = Action(id);
    if (!a) {
      a = NewAction(id, Text(b.Hint).section(QLatin1Char('|'), 0, 0), b.Shortcut);
      if (b.Hint) SetHint(a, Text(b.Hint));
      if (b.Runs) SetHandler(id, [this, runs = QLatin1String(b.Runs)] { Run(runs); });
      ApplyFlags(a, b.Flags);
    }
    a->setIcon(ButtonIcon(id, b.ThemeIcon));
    bar->addAction(a);
    // On the button, not the action: an action's menu would take over the
    // menu's own action, which the pop-up menus show and hide.
    QMenu* dropDown = b.Menu ? Menu(QLatin1String(b.Menu)) : Menu(id);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a)); button && dropDown) {
      button->setMenu(dropDown);
      button->setPopupMode(QToolButton::InstantPopup);
    }
  }
  return bar;
}
