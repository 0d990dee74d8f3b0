#include "encoding/maptable.h"

#include <string>

#include "encoding/cp932.h"
#include "encoding/kanacase.h"
#include "encoding/widthmap.h"

namespace charmap {
namespace {

constexpr std::size_t kCodeCount = 0x10000;

bool AnyMapChanges(char16_t c) {
  const HalfForm half = HalfWidth(c);
  return half.first != c || half.second != 0 || FullWidth(c) != c || Katakana(c) != c ||
         Hiragana(c) != c || Upper(c) != c || Lower(c) != c;
}

constexpr bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

const MapTable& MapTable::Get() {
  static const MapTable table;
  return table;
}

// The maps come in inverse pairs (half/full width, hiragana/katakana,
// lower/upper case), so whatever one map produces, another changes: the
// characters some map changes include every result.
MapTable::MapTable() : toUnicode_(kCodeCount, 0), toSjis_(kCodeCount, 0) {
  for (std::size_t c = 1; c < kCodeCount; ++c) {
    const auto unit = static_cast<char16_t>(c);
    if (!IsSurrogate(unit) && AnyMapChanges(unit)) Add(unit);
  }
}

// Only an exact round trip counts: code page 932 writes some characters it has
// no code for as a look-alike (U+00A5 as 0x5C), which would then read back as
// a different character.
void MapTable::Add(char16_t c) {
  const std::u16string_view text(&c, 1);
  std::size_t replaced = 0;
  const std::string bytes = cp932::FromUtf16(text, &replaced);
  if (replaced != 0 || bytes.empty() || bytes.size() > 2 || cp932::ToUtf16(bytes) != text) return;
  SjisCode code = 0;
  for (const char b : bytes) code = static_cast<SjisCode>(code << 8 | static_cast<unsigned char>(b));
  toSjis_[c] = code;
  toUnicode_[code] = c;
  firstBytes_[static_cast<unsigned char>(bytes.front())] = true;
}

}  // namespace charmap
