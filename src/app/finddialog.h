// The find dialog and the replace dialog: modeless, in place of the system's
// own. The text to look for, letter case and direction, and for replacing
// the replacement. Each lives as long as the main window, so what was
// entered stays for the rest of the run. Enter finds the next match; Escape
// closes.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindDialog : public QDialog {
  Q_OBJECT
 public:
  enum class TKind { Find, Replace };
  TFindDialog(TKind kind, QWidget* parent);

  QString SearchText() const;
  void SetSearchText(const QString& text);
  QString ReplaceText() const;
  bool MatchCase() const;
  bool SearchUp() const;

  // Shows the dialog with its top-left corner at `at`, the search text
  // ready to be typed over.
  void ShowAt(const QPoint& at);

 signals:
  void FindNext();
  void Replace();
  void ReplaceAll();

 private:
  QPushButton* AddButton(const QString& caption, const char* name);
  void EnableButtons();

  QLineEdit* searchText_ = nullptr;
  QLineEdit* replaceText_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* up_ = nullptr;
  QList<QPushButton*> searchButtons_;  // usable only with a search text
};
