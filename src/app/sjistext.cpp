#include "app/sjistext.h"

#include "encoding/cp932.h"

QString FromSjis(std::string_view sjis) {
  return QString::fromStdU16String(cp932::ToUtf16(sjis));
}

std::string ToSjis(const QString& text, std::size_t* replaced) {
  const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<std::size_t>(text.size()));
  return cp932::FromUtf16(utf16, replaced);
}
