// Width, kana and letter-case mapping of Shift-JIS text, in place of the
// Windows LCMapStringA for the Japanese locale; the flags keep their values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stringfunc {

constexpr std::uint32_t LCMAP_LOWERCASE = 0x00000100;
constexpr std::uint32_t LCMAP_UPPERCASE = 0x00000200;
constexpr std::uint32_t LCMAP_HIRAGANA = 0x00100000;
constexpr std::uint32_t LCMAP_KATAKANA = 0x00200000;
constexpr std::uint32_t LCMAP_HALFWIDTH = 0x00400000;
constexpr std::uint32_t LCMAP_FULLWIDTH = 0x00800000;

// s with each character mapped as flags ask, in this order: to full width
// (a half-width kana and its voiced mark become one character), to hiragana
// or katakana, to half width (a voiced kana splits in two), to upper or lower
// case. Flags that ask for both of a pair, or for none of the six, leave s
// unchanged; other bits are ignored. A character whose mapped form has no
// Shift-JIS code stays as it is, and bytes the maps do not concern (including
// those that form no character) are copied unchanged.
std::string MapString(std::uint32_t flags, std::string_view s);

}  // namespace stringfunc
