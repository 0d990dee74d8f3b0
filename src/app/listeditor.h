// Teditform: the small always-on-top window that edits the keywords, the
// fixed phrases or the preview browser's favourites as plain text, one
// entry per line. Closing it applies the text; there is no Cancel.
#pragma once

#include <QWidget>

#include <functional>

#include "app/textlist.h"

class QPlainTextEdit;

enum TListEditMode : int { lemKeywords = 0, lemPhrases = 1, lemFavorites = 2 };

class Teditform : public QWidget {
  Q_OBJECT
 public:
  explicit Teditform(QWidget* parent);

  // Shows the list to edit; false, and nothing changes, while the window is
  // already open in any mode.
  bool Open(TListEditMode mode, const QString& caption, const TStringList& list);
  // The text's lines as Shift-JIS; a line end after the last line adds no
  // empty line.
  TStringList Lines() const;

  TListEditMode ListEditMode = lemPhrases;
  QPlainTextEdit* Memo1 = nullptr;

  // The window closes: the lines go back to the list of the mode.
  std::function<void(TListEditMode mode, const TStringList& lines)> OnApply;
  // The window becomes (or stops being) the active one.
  std::function<void(bool active)> OnActivation;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
};
