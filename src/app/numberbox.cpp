#include "app/numberbox.h"

#include "app/dialogs.h"

QString InvalidIntegerMessage(const QString& text) {
  return QStringLiteral("'%1' は整数ではありません").arg(text);
}

std::optional<int> AskNumber(Dialogs& dialogs, const QString& title, int value) {
  const std::optional<QString> text = dialogs.InputText(title, QString(), QString::number(value));
  if (!text) return std::nullopt;
  bool ok = false;
  const int number = text->trimmed().toInt(&ok);
  if (!ok) {
    dialogs.ShowMessage(InvalidIntegerMessage(*text));
    return std::nullopt;
  }
  return number;
}
