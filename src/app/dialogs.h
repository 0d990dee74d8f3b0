// Every dialog the main window shows goes through this interface, so that
// tests can script the user's answers.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "app/editorfont.h"
#include "editor/types.h"

class QDialog;

// A file dialog as the commands prepare it. `Filter` is a list of
// "description|patterns" pairs joined by "|" (patterns separated by ";");
// `FilterIndex` counts its entries from 1.
struct TFileDialogSpec {
  QString Filter;
  int FilterIndex = 1;
  QString FileName;
  QString DefaultExt;  // without the dot
};

// Qt's form of such a filter: "description (patterns)" per entry.
QStringList QtNameFilters(const QString& filter);

enum class TAnswer { Yes, No, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<QString> OpenFile(const TFileDialogSpec& spec) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<QString> SaveFile(const TFileDialogSpec& spec) = 0;
  virtual std::optional<QString> InputText(const QString& title, const QString& prompt,
                                           const QString& value) = 0;
  virtual std::optional<TColor> PickColor(TColor initial) = 0;
  virtual std::optional<TFontTemplate> PickFont(const TFontTemplate& initial) = 0;
  // A message with an OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // A question with Yes, No and Cancel.
  virtual TAnswer Confirm(const QString& text) = 0;
  // A question with Yes and No (the default); true for Yes.
  virtual bool Ask(const QString& text) = 0;
  // Any other modal window (the About box, the list editor, ...).
  virtual void RunModal(QDialog& dialog) = 0;
};
