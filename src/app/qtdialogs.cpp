#include "app/qtdialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

#include "app/colors.h"
#include "app/outsidework.h"

namespace {

const QString kTitle = QStringLiteral("Zib_Editor");

// Prepares a file dialog; `index` counts from 1, as the specs do.
void Prepare(QFileDialog& dialog, const TFileDialogSpec& spec) {
  const QStringList filters = QtNameFilters(spec.Filter);
  dialog.setNameFilters(filters);
  if (spec.FilterIndex >= 1 && spec.FilterIndex <= filters.size()) {
    dialog.selectNameFilter(filters.at(spec.FilterIndex - 1));
  }
  dialog.setDefaultSuffix(spec.DefaultExt);
  if (!spec.FileName.isEmpty()) dialog.selectFile(spec.FileName);
}

std::optional<QString> Run(QFileDialog& dialog) {
  const TOutsideWork::THold hold;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

std::unique_ptr<QTranslator> InstallQtJapanese() {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get())) {
    return nullptr;
  }
  return translator;
}

// The descriptions carry their patterns in brackets already, separated by
// ";"; Qt reads the patterns from the brackets, separated by spaces.
QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts.at(i);
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (description.endsWith(QLatin1Char(')')) && open >= 0) description.truncate(open);
    QString patterns = parts.at(i + 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns).trimmed();
  }
  return out;
}

std::optional<QString> QtDialogs::OpenFile(const TFileDialogSpec& spec) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  Prepare(dialog, spec);
  return Run(dialog);
}

std::optional<QString> QtDialogs::SaveFile(const TFileDialogSpec& spec) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  Prepare(dialog, spec);
  return Run(dialog);
}

std::optional<QString> QtDialogs::InputText(const QString& title, const QString& prompt,
                                            const QString& value) {
  const TOutsideWork::THold hold;
  QInputDialog box(parent_);
  box.setWindowTitle(title);
  box.setLabelText(prompt);
  box.setTextValue(value);
  // A long prompt wraps instead of widening the box past the screen; the
  // box is as wide as the default text needs, up to two thirds of it.
  if (auto* label = box.findChild<QLabel*>()) label->setWordWrap(true);
  const int natural = box.sizeHint().width();
  const int wanted = box.fontMetrics().horizontalAdvance(value) + 4 * box.fontMetrics().height();
  const int widest = std::max(natural, box.screen()->availableGeometry().width() * 2 / 3);
  const int width = std::clamp(wanted, natural, widest);
  box.resize(width, box.heightForWidth(width));
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue();
}

std::optional<TColor> QtDialogs::PickColor(TColor initial) {
  const TOutsideWork::THold hold;
  const QColor c = QColorDialog::getColor(ToQColor(initial), parent_);
  if (!c.isValid()) return std::nullopt;
  return FromQColor(c);
}

std::optional<TFontTemplate> QtDialogs::PickFont(const TFontTemplate& initial) {
  const TOutsideWork::THold hold;
  bool ok = false;
  // The dialog lists installed faces: it starts at the one the stored face
  // is drawn with, so that OK without a choice keeps what is seen.
  QFont start = ToQFont(initial);
  start.setFamily(QFontInfo(start).family());
  const QFont f = QFontDialog::getFont(&ok, start, parent_);
  if (!ok) return std::nullopt;
  return FromQFont(f, initial.Color);
}

void QtDialogs::ShowMessage(const QString& text) {
  const TOutsideWork::THold hold;
  QMessageBox::information(parent_, kTitle, text);
}

TAnswer QtDialogs::Confirm(const QString& text) {
  const TOutsideWork::THold hold;
  const auto button = QMessageBox::question(
      parent_, kTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  if (button == QMessageBox::Yes) return TAnswer::Yes;
  if (button == QMessageBox::No) return TAnswer::No;
  return TAnswer::Cancel;
}

bool QtDialogs::Ask(const QString& text) {
  const TOutsideWork::THold hold;
  return QMessageBox::question(parent_, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::RunModal(QDialog& dialog) {
  const TOutsideWork::THold hold;
  dialog.exec();
}
