// Byte classes of Shift-JIS (code page 932).
#pragma once

#include <cstddef>
#include <string_view>

namespace sjis {

// 0x81-0x9F and 0xE0-0xFC start a two-byte character.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// 0x40-0x7E and 0x80-0xFC may follow a lead byte.
constexpr bool IsTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// 0xA1-0xDF are one-byte half-width katakana.
constexpr bool IsHalfKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// Length in bytes of the character starting at s[i]: 2 for a lead byte with a
// byte after it, else 1 (a lead byte at the very end stands alone).
inline std::size_t CharLen(std::string_view s, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

}  // namespace sjis
