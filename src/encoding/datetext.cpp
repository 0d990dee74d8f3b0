#include "encoding/stringfunc.h"

#include <optional>

#include "encoding/datewords.h"
#include "encoding/sjis.h"
#include "encoding/sjistext.h"

namespace stringfunc {
namespace {

// A date as read: the text before its first number (trimmed), then runs of
// digits and of other text in turn, starting with digits.
struct DateTokens {
  std::string_view prefix;
  std::vector<std::string_view> runs;

  std::vector<std::string_view> Numbers() const {
    std::vector<std::string_view> numbers;
    for (std::size_t i = 0; i < runs.size(); i += 2) numbers.push_back(runs[i]);
    return numbers;
  }
};

// Empty where absent.
struct DateParts {
  std::string year;
  std::string month;
  std::string day;
};

bool IsDigitAt(std::string_view t, std::size_t i) { return t[i] >= '0' && t[i] <= '9'; }

DateTokens Tokenize(std::string_view t) {
  DateTokens tokens;
  for (std::size_t i = 0; i < t.size();) {
    const bool digits = IsDigitAt(t, i);
    std::size_t end = i;
    while (end < t.size() && IsDigitAt(t, end) == digits) end += sjis::CharLen(t, end);
    tokens.runs.push_back(t.substr(i, end - i));
    i = end;
  }
  if (!tokens.runs.empty() && !IsDigitAt(tokens.runs.front(), 0)) {
    tokens.prefix = sjis::Trim(tokens.runs.front());
    tokens.runs.erase(tokens.runs.begin());
  }
  return tokens;
}

// The number before the first text run that holds "年", or empty.
std::string_view YearByMark(const DateTokens& tokens) {
  for (std::size_t i = 1; i < tokens.runs.size(); i += 2) {
    if (sjis::ContainsChars(tokens.runs[i], kYearMark)) return tokens.runs[i - 1];
  }
  return {};
}

bool IsEraYear(std::string_view prefix, std::string_view year) {
  return IsYearText(ConvertEraYear(std::string(prefix).append(year)));
}

// With an era name ahead, or a first number that is a Western year, two
// numbers are year and month; otherwise month and day.
std::optional<DateParts> AssignTwo(const DateTokens& tokens, std::string_view first,
                                   std::string_view second) {
  if (HasEraName(tokens.prefix)) {
    if (!IsEraYear(tokens.prefix, YearByMark(tokens))) return std::nullopt;
    return DateParts{std::string(first), std::string(second), ""};
  }
  if (IsYearText(first)) return DateParts{std::string(first), std::string(second), ""};
  return DateParts{"", std::string(first), std::string(second)};
}

std::optional<DateParts> AssignParts(const DateTokens& tokens) {
  const std::vector<std::string_view> n = tokens.Numbers();
  switch (n.size()) {
    case 1:
      return DateParts{std::string(n[0]), "", ""};
    case 2:
      return AssignTwo(tokens, n[0], n[1]);
    case 3:
      if (!IsYearText(n[0]) || !IsMonthText(n[1]) || !IsDayText(n[2])) return std::nullopt;
      return DateParts{std::string(n[0]), std::string(n[1]), std::string(n[2])};
    default:
      return std::nullopt;
  }
}

void ConvertEraToWestern(std::string_view prefix, std::string& year) {
  if (year.empty() || !HasEraName(prefix)) return;
  std::string western = ConvertEraYear(std::string(prefix).append(year));
  if (IsYearText(western)) year = std::move(western);
}

bool IsWorthWriting(const DateParts& parts, std::size_t numberCount) {
  const bool validYear = IsYearText(parts.year);
  return (validYear || numberCount > 1) &&
         (validYear || IsMonthText(parts.month) || IsDayText(parts.day));
}

// "mm" and "dd" write a number below 10 with two digits, "m" and "d" with one.
std::string Pad(std::string_view number, bool twoDigits) {
  if (sjis::DigitValue(number) >= 10) return std::string(number);
  if (twoDigits && number.size() == 1) return std::string("0").append(number);
  if (!twoDigits && number.size() == 2) return std::string(number.substr(1));
  return std::string(number);
}

std::string YearPart(const DateParts& parts, std::string_view pattern) {
  if (parts.year.empty()) return {};
  if (sjis::ContainsChars(pattern, kEraYearMark))
    return ConvertEraYear(parts.year).append(kYearMark);
  if (sjis::ContainsChars(pattern, kYearMark)) return parts.year + std::string(kYearMark);
  const bool hasMonth = !parts.month.empty();
  if (sjis::ContainsChars(pattern, "/")) return hasMonth ? parts.year + "/" : parts.year;
  if (sjis::ContainsChars(pattern, ".")) return hasMonth ? parts.year + "." : parts.year;
  return parts.year;
}

std::string MonthPart(const DateParts& parts, std::string_view pattern) {
  if (parts.month.empty()) return {};
  const std::string month = Pad(parts.month, sjis::ContainsChars(pattern, "mm"));
  const bool hasDay = !parts.day.empty();
  if (sjis::ContainsChars(pattern, kMonthMark)) return month + std::string(kMonthMark);
  if (hasDay && sjis::ContainsChars(pattern, "/")) return month + "/";
  if (hasDay && sjis::ContainsChars(pattern, ".")) return month + ".";
  return month;
}

std::string DayPart(const DateParts& parts, std::string_view pattern) {
  if (parts.day.empty()) return {};
  const std::string day = Pad(parts.day, sjis::ContainsChars(pattern, "dd"));
  return sjis::ContainsChars(pattern, kDayMark) ? day + std::string(kDayMark) : day;
}

std::optional<std::string> Reformat(std::string_view t, std::string_view pattern) {
  const DateTokens tokens = Tokenize(t);
  std::optional<DateParts> parts = AssignParts(tokens);
  if (!parts) return std::nullopt;
  ConvertEraToWestern(tokens.prefix, parts->year);
  if (!IsWorthWriting(*parts, tokens.Numbers().size())) return std::nullopt;
  if (!parts->day.empty() && !IsDayText(parts->day)) return std::nullopt;
  return YearPart(*parts, pattern) + MonthPart(*parts, pattern) + DayPart(*parts, pattern);
}

}  // namespace

std::string FormatDateText(std::string_view s, std::string_view pattern) {
  if (sjis::IsBlank(s) || sjis::IsBlank(pattern)) return std::string(s);
  return Reformat(MapString(LCMAP_HALFWIDTH, s), pattern).value_or(std::string(s));
}

}  // namespace stringfunc
