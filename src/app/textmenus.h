// The items of a list of texts, shown in two menus at once (a pop-up menu
// and a submenu of the editor's pop-up menu): one action per text with a
// readable caption; choosing it hands over the whole text.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMenu;

class TTextMenus : public QObject {
  Q_OBJECT
 public:
  TTextMenus(QMenu* popup, QMenu* submenu, QObject* parent);

  // Texts are Shift-JIS; the action keeps a shared copy of its text.
  void Prepend(const QByteArray& text);
  void Append(const QByteArray& text);
  // Removes every item and releases the actions.
  void Clear();
  // In menu order.
  const QList<QAction*>& Actions() const { return actions_; }

  std::function<void(const QByteArray& text)> OnChoose;

 private:
  QAction* NewAction(const QByteArray& text);

  QMenu* popup_;
  QMenu* submenu_;
  QList<QAction*> actions_;
};
