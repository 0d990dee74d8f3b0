#include "app/menucaption.h"

#include "app/sjistext.h"
#include "encoding/sjistext.h"

namespace {

// Characters of a caption before "…".
constexpr std::size_t kCaptionChars = 40;

}  // namespace

QString LiteralCaption(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

QString EntryCaption(std::string_view sjis) {
  // CR and LF are never part of a two-byte character, so lines can be cut
  // at those bytes.
  std::string_view line;
  std::size_t start = 0;
  while (start < sjis.size()) {
    const std::size_t end = std::min(sjis.find_first_of("\r\n", start), sjis.size());
    line = sjis.substr(start, end - start);
    start = end + 1;
    if (!sjis::IsBlank(line)) break;
  }
  const std::size_t cut = sjis::CharOffset(line, kCaptionChars);
  const bool more = cut < line.size() || sjis.find_first_not_of(" \t\r\n", start) != std::string_view::npos;
  std::string shown(line.substr(0, cut));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // a tab would start a shortcut column
  }
  QString caption = LiteralCaption(FromSjis(shown));
  if (more) caption += QChar(0x2026);
  return caption;
}
