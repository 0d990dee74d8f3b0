// The commands of "検索(&F)" other than web search: the shared find and
// replace dialogs with find next, replace and replace all, and sorting the
// lines of the active document.
#pragma once

#include <QObject>
#include <QString>

#include "editor/afedit.h"

class TAFEdit;
class TFindDialog;
class TMainForm;

class TSearchCommands : public QObject {
  Q_OBJECT
 public:
  // Sets the handlers of the commands and makes the two dialogs, owned by
  // the main window.
  explicit TSearchCommands(TMainForm& main);

 private:
  void ShowDialog(TFindDialog& dialog);
  void FindNext(TFindDialog& dialog);
  // Searches from `start` and selects the match, or says there is none.
  void FindFrom(TFindDialog& dialog, TAFEdit& edit, TPoint start);
  // Shows a message, then gives the keyboard back to the dialog.
  void Tell(TFindDialog& dialog, const QString& message);
  void Replace();
  void ReplaceAll();
  void Sort(TSortMode mode);
  void SortContaining();

  TMainForm& main_;
  TFindDialog* find_;
  TFindDialog* replace_;
  QString sortString_;  // kept for the next "文字列を含む"
};
