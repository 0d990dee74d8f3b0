#include "encoding/stringfunc.h"

#include <algorithm>
#include <optional>

#include "encoding/datewords.h"
#include "encoding/sjistext.h"

namespace stringfunc {
namespace {

// Era year 1 is the first Western year of the era.
struct Era {
  std::string_view name;
  std::string_view latin;
  std::uint64_t first;
  std::uint64_t last;
  std::uint64_t Offset() const { return first - 1; }
};

constexpr Era kEras[] = {
    {"\x96\xBE\x8E\xA1", "M.", 1868, 1911},   // 明治
    {"\x91\xE5\x90\xB3", "T.", 1912, 1925},   // 大正
    {"\x8F\xBA\x98\x61", "S.", 1926, 1988},   // 昭和
    {"\x95\xBD\x90\xAC", "H.", 1989, 10000},  // 平成
};

bool IsNumberBetween(std::string_view s, std::uint64_t above, std::uint64_t below) {
  if (sjis::IsBlank(s) || !ConsistsOf(s, kDecimalDigits)) return false;
  const std::uint64_t value = sjis::DigitValue(s);
  return above < value && value < below;
}

std::optional<std::string> WesternToEra(std::string_view digits) {
  const std::uint64_t year = sjis::DigitValue(digits);
  for (const Era& era : kEras) {
    if (year >= era.first && year <= era.last)
      return std::string(era.name) + std::to_string(year - era.Offset());
  }
  return std::nullopt;
}

// t starts with an era name or its Latin form and holds a one- or two-digit
// era year besides.
std::optional<std::string> EraToWestern(std::string_view t) {
  const std::string upper = MapString(LCMAP_UPPERCASE, t);
  const std::string_view head = std::string_view(upper).substr(0, sjis::CharOffset(upper, 2));
  const auto era = std::find_if(std::begin(kEras), std::end(kEras), [head](const Era& e) {
    return head == e.name || head == e.latin;
  });
  if (era == std::end(kEras)) return std::nullopt;
  const std::string rest = sjis::RemoveAll(upper, head);
  const std::string_view number = sjis::Trim(rest);
  if (CharLength(number) >= 3 || !ConsistsOfText(number, kDecimalDigits)) return std::nullopt;
  return std::to_string(era->Offset() + sjis::DigitValue(number));
}

}  // namespace

std::string ConvertEraYear(std::string_view s) {
  const std::string half = MapString(LCMAP_HALFWIDTH, s);
  const std::string_view trimmed = sjis::Trim(half);
  const std::string_view suffix = sjis::EndsWithChar(trimmed, kYearMark) ? kYearMark : "";
  const std::string t = sjis::RemoveAll(trimmed, kYearMark);
  const bool isWesternYear = CharLength(t) <= 4 && ConsistsOfText(t, kDecimalDigits);
  const std::optional<std::string> converted = isWesternYear ? WesternToEra(t) : EraToWestern(t);
  return converted ? *converted + std::string(suffix) : std::string(s);
}

bool HasEraName(std::string_view s) {
  if (sjis::IsBlank(s)) return false;
  const std::string upper = MapString(LCMAP_UPPERCASE, s);
  return std::any_of(std::begin(kEras), std::end(kEras), [&](const Era& era) {
    return sjis::ContainsChars(s, era.name) || sjis::ContainsChars(upper, era.latin);
  });
}

bool IsYearText(std::string_view s) { return IsNumberBetween(s, 1867, 2100); }

bool IsMonthText(std::string_view s) { return IsNumberBetween(s, 0, 13); }

bool IsDayText(std::string_view s) { return IsNumberBetween(s, 0, 32); }

}  // namespace stringfunc
