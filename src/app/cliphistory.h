// The clipboard history: every text the clipboard receives while it is
// watched, newest first, kept for this run only, and offered in the
// clipboard menus, whose items insert the whole text.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaObject>
#include <QObject>

#include "app/textmenus.h"

class QMenu;

class TClipboardHistory : public QObject {
  Q_OBJECT
 public:
  TClipboardHistory(QMenu* popup, QMenu* submenu, QObject* parent);

  // Shift-JIS with CR LF line ends, newest first; shared with the menus.
  const QList<QByteArray>& Entries() const { return entries_; }
  TTextMenus& Menus() { return menus_; }

  // Joins or leaves the watch of the clipboard.
  void SetWatching(bool on);
  bool Watching() const { return static_cast<bool>(watch_); }
  // Leaves the watch and joins it again.
  void Rejoin();
  // Empties the history and its menus.
  void Clear();

  // The one place a change of the clipboard arrives. It only adds to the
  // history and its menus, never touches a document, so it is safe to run
  // while a command is in the middle of its work.
  void ClipboardChanged();
  // The rules of the history: no empty text and no text that is only a
  // line end; no repeat of the newest entry.
  void Add(const QByteArray& text);

 private:
  QList<QByteArray> entries_;
  TTextMenus menus_;
  QMetaObject::Connection watch_;
};

// The platform's text (LF line ends) as a history entry: Shift-JIS, a
// character without a Shift-JIS form as "?", every LF ending a line as CR LF.
QByteArray ClipboardEntry(const QString& text);
