// The documents an editor left unsaved when it ended without closing them:
// which to restore, which to discard, or all of them kept for later.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

class TRecoveryDialog : public QDialog {
  Q_OBJECT

 public:
  // The dialog's result: closing it decides nothing.
  enum TChoice { Later = QDialog::Rejected, Restore, DiscardAll };

  // `documents`: one line each, its time and path.
  TRecoveryDialog(QWidget* parent, const QStringList& documents);

  TChoice Choice() const { return static_cast<TChoice>(result()); }
  // The document is to be restored (checked); with Restore the others go.
  bool Checked(int document) const;
  QListWidget* List() const { return list_; }

 private:
  QListWidget* list_;
};
