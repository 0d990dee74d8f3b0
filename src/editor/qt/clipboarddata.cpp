#include "editor/qt/clipboarddata.h"

#include "encoding/cp932.h"

namespace {
const QString kSjisFormat = QStringLiteral("application/x-zibeditor-sjis");
const QString kTextFormat = QStringLiteral("text/plain");
}  // namespace

TClipboardData::TClipboardData(QByteArray sjis) : sjis_(std::move(sjis)) {}

QStringList TClipboardData::formats() const { return {kTextFormat, kSjisFormat}; }

QVariant TClipboardData::retrieveData(const QString& mimeType, QMetaType type) const {
  if (mimeType == kSjisFormat) return sjis_;
  if (mimeType == kTextFormat) return ClipboardText(std::string_view(sjis_.constData(), sjis_.size()));
  return QMimeData::retrieveData(mimeType, type);
}

std::optional<QByteArray> TClipboardData::Sjis(const QMimeData* data) {
  if (!data || !data->hasFormat(kSjisFormat)) return std::nullopt;
  return data->data(kSjisFormat);
}

// Both directions change the line ends in place, in the pass that converts
// the text: QString::replace moves the rest of the text again for every
// thousand line ends, which made copying 100 MB take many seconds.

// Converted straight into the string the clipboard keeps, with no copy on
// the way.
QString ClipboardText(std::string_view sjis) {
  QString text(static_cast<qsizetype>(sjis.size()), Qt::Uninitialized);
  char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
  const char16_t* const end = begin + cp932::ToUtf16(sjis, begin);
  char16_t* out = begin;
  for (const char16_t* in = begin; in < end; ++in) {
    if (*in == u'\r' && in + 1 < end && in[1] == u'\n') continue;
    *out++ = *in;
  }
  text.truncate(out - begin);
  text.squeeze();
  return text;
}

// No trail byte is an LF or a CR.
std::string EndingLinesWithCR(std::string sjis) {
  std::size_t out = 0;
  bool afterCR = false;
  for (const char c : sjis) {
    if (c != '\n' || !afterCR) sjis[out++] = c == '\n' ? '\r' : c;
    afterCR = c == '\r';
  }
  sjis.resize(out);
  return sjis;
}
