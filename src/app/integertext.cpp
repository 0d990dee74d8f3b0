#include "app/integertext.h"

#include <charconv>
#include <string>

#include "encoding/mapstring.h"
#include "encoding/sjistext.h"

bool IsDigitChar(std::string_view c) {
  if (c.size() == 1) return c[0] >= '0' && c[0] <= '9';
  if (c.size() != 2) return false;
  const unsigned code = static_cast<unsigned char>(c[0]) << 8 | static_cast<unsigned char>(c[1]);
  return code >= 0x824F && code <= 0x8258;  // "０"-"９"
}

std::optional<std::int32_t> ParseInteger(std::string_view s) {
  const std::string half = stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH, s);
  std::string_view digits = sjis::Trim(half);
  const bool plus = digits.starts_with('+');
  if (plus) digits.remove_prefix(1);
  if (digits.empty() || (plus && digits.starts_with('-'))) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}
