#include "encoding/stringfunc.h"

#include <cstdint>

#include "encoding/sjistext.h"

namespace stringfunc {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The low 32 bits of upper-case hexadecimal digits, read as a signed number.
// Unsigned arithmetic wraps where a signed sum would overflow.
std::int32_t HexValue(std::string_view digits) {
  std::uint32_t value = 0;
  for (const char d : digits) {
    const auto digit = static_cast<std::uint32_t>(d <= '9' ? d - '0' : d - 'A' + 10);
    value = value * 16 + digit;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::string NibbleToBin(std::uint32_t n) {
  std::string bits = "0000";
  for (int i = 0; i < 4; ++i) {
    if ((n >> (3 - i) & 1) != 0) bits[i] = '1';
  }
  return bits;
}

std::string ByteToBin(std::uint32_t n) { return NibbleToBin(n >> 4) + " " + NibbleToBin(n); }

std::string WordToBin(std::uint32_t n) { return ByteToBin(n >> 8) + " " + ByteToBin(n); }

std::string LongToBin(std::uint32_t n) { return WordToBin(n >> 16) + " " + WordToBin(n); }

std::string HexToDec(std::string_view s) {
  std::string t = sjis::RemoveAll(sjis::RemoveAll(MapString(LCMAP_HALFWIDTH, s), "$"), "#");
  const bool negative = t.starts_with('-');
  if (negative) t = sjis::RemoveAll(t, "-");
  const std::string digits(sjis::Trim(MapString(LCMAP_UPPERCASE, t)));
  if (!ConsistsOfText(digits, kHexDigits)) return std::string(s);
  // A sign before a negative 32-bit value negates it rather than doubling the "-".
  const std::int64_t value = HexValue(digits);
  return std::to_string(negative ? -value : value);
}

}  // namespace stringfunc
