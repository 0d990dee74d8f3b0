#include "app/numbermessage.h"

#include "app/dialogs.h"
#include "app/integertext.h"
#include "app/sjistext.h"

namespace {

// Enough to recognise the text; a long one would not fit in the box.
constexpr qsizetype kShownLength = 40;

}  // namespace

QString NotANumberMessage(const QString& text) {
  QString shown = text;
  if (shown.size() > kShownLength) {
    const qsizetype cut = shown.at(kShownLength - 1).isHighSurrogate() ? kShownLength - 1 : kShownLength;
    shown = shown.left(cut) + QStringLiteral("…");
  }
  return QStringLiteral("「%1」は整数ではありません(-_-;)").arg(shown);
}

void ShowNotANumber(Dialogs& dialogs, const QString& text) { dialogs.ShowMessage(NotANumberMessage(text)); }

std::optional<std::int32_t> IntegerOrMessage(Dialogs& dialogs, const QString& text) {
  const std::optional<std::int32_t> value = ParseInteger(ToSjis(text));
  if (!value) ShowNotANumber(dialogs, text);
  return value;
}

std::optional<std::int32_t> AskNumber(Dialogs& dialogs, const QString& title, std::int32_t value) {
  const std::optional<QString> text = dialogs.InputText(title, QString(), QString::number(value));
  if (!text) return std::nullopt;
  return IntegerOrMessage(dialogs, *text);
}
