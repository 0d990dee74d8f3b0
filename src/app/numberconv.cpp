#include "app/numberconv.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/integertext.h"
#include "encoding/mapstring.h"
#include "encoding/stringfunc.h"

namespace {

constexpr std::string_view kSignedDigits = "0123456789-";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kHexChars = "abcdefABCDEF0123456789#$";

// The selection in half width when it holds only allowed characters.
std::optional<std::string> HalfWidthOf(std::string_view selected, std::string_view allowed) {
  std::string half = stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH, selected);
  if (!stringfunc::ConsistsOf(half, allowed)) return std::nullopt;
  return half;
}

std::string Hex(std::int32_t n) {
  char text[16];
  std::snprintf(text, sizeof text, "$%02X", static_cast<std::uint32_t>(n));
  return text;
}

std::string Binary(std::int32_t n) { return stringfunc::LongToBin(static_cast<std::uint32_t>(n)); }

// The decimal reading of selected, written by `write`.
TConverted FromDecimal(std::string_view selected, std::string_view allowed, std::string (*write)(std::int32_t)) {
  const std::optional<std::string> half = HalfWidthOf(selected, allowed);
  if (!half) return TConverted::Keep();
  const std::optional<std::int32_t> n = ParseInteger(*half);
  if (!n) return TConverted::NotANumber(*half);
  return TConverted::Replace(write(*n));
}

}  // namespace

TConverted DecimalToHex(std::string_view selected) { return FromDecimal(selected, kSignedDigits, Hex); }

TConverted DecimalToBinary(std::string_view selected) { return FromDecimal(selected, kDigits, Binary); }

TConverted HexToDecimal(std::string_view selected) {
  const std::optional<std::string> half = HalfWidthOf(selected, kHexChars);
  if (!half) return TConverted::Keep();
  std::string decimal = stringfunc::HexToDec(*half);
  if (decimal.empty()) return TConverted::Keep();
  return TConverted::Replace(std::move(decimal));
}

TConverted HexToBinary(std::string_view selected) {
  const TConverted decimal = HexToDecimal(selected);
  if (decimal.Outcome != TConverted::TOutcome::Replaced) return decimal;
  const std::optional<std::int32_t> n = ParseInteger(decimal.Text);
  if (!n) return TConverted::NotANumber(decimal.Text);
  return TConverted::Replace(Binary(*n));
}
