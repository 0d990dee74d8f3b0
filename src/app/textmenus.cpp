#include "app/textmenus.h"

#include <QAction>
#include <QMenu>

#include "app/menucaption.h"

TTextMenus::TTextMenus(QMenu* popup, QMenu* submenu, QObject* parent)
    : QObject(parent), popup_(popup), submenu_(submenu) {}

QAction* TTextMenus::NewAction(const QByteArray& text) {
  auto* a = new QAction(EntryCaption(std::string_view(text.constData(), text.size())), this);
  a->setData(text);
  connect(a, &QAction::triggered, this, [this, a] {
    if (OnChoose) OnChoose(a->data().toByteArray());
  });
  return a;
}

void TTextMenus::Prepend(const QByteArray& text) {
  QAction* a = NewAction(text);
  QAction* first = actions_.value(0);
  popup_->insertAction(first, a);
  submenu_->insertAction(first, a);
  actions_.prepend(a);
}

void TTextMenus::Append(const QByteArray& text) {
  QAction* a = NewAction(text);
  popup_->addAction(a);
  submenu_->addAction(a);
  actions_.append(a);
}

void TTextMenus::Clear() {
  qDeleteAll(actions_);  // a deleted action leaves every menu
  actions_.clear();
}
