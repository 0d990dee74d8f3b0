// The dialogs on screen. Each runs a nested event loop, during which work
// from outside waits.
#pragma once

#include <QTranslator>

#include <memory>

#include "app/dialogs.h"

class QWidget;

// Qt's own texts (standard buttons, file and colour dialogs) in Japanese,
// whatever the user's locale, as long as the returned translator lives.
// Null when Qt's Japanese translations are not installed.
std::unique_ptr<QTranslator> InstallQtJapanese();

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<QString> OpenFile(const TFileDialogSpec& spec) override;
  std::optional<QString> SaveFile(const TFileDialogSpec& spec) override;
  std::optional<QString> InputText(const QString& title, const QString& prompt,
                                   const QString& value) override;
  std::optional<TColor> PickColor(TColor initial) override;
  std::optional<TFontTemplate> PickFont(const TFontTemplate& initial) override;
  void ShowMessage(const QString& text) override;
  TAnswer Confirm(const QString& text) override;
  bool Ask(const QString& text) override;
  void RunModal(QDialog& dialog) override;

 private:
  QWidget* parent_;
};
