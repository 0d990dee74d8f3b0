// What the control puts on the clipboard: its own Shift-JIS bytes, kept as
// they are, and the platform's text made from them only when a program
// (another one, or this one's clipboard history) asks for it. Copying a
// large selection then costs no conversion, and pasting it back within the
// editor gives the same bytes, even where two codes share one character.
#pragma once

#include <QMimeData>
#include <optional>
#include <string>
#include <string_view>

class TClipboardData : public QMimeData {
 public:
  // The control's bytes: Shift-JIS with CR LF line ends.
  explicit TClipboardData(QByteArray sjis);

  QStringList formats() const override;

  // The control's bytes as one of these holds them, whoever put it on the
  // clipboard; nothing for any other data.
  static std::optional<QByteArray> Sjis(const QMimeData* data);

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  QByteArray sjis_;
};

// The platform's text of the control's bytes: CR LF becomes LF, a CR alone
// stays.
QString ClipboardText(std::string_view sjis);
// The control's bytes of the platform's text: LF and CR LF become CR.
std::string EndingLinesWithCR(std::string sjis);
