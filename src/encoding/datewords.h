// Shift-JIS words that Japanese dates are written with.
#pragma once

#include <string_view>

namespace stringfunc {

constexpr std::string_view kYearMark = "\x94\x4E";             // 年
constexpr std::string_view kMonthMark = "\x8C\x8E";            // 月
constexpr std::string_view kDayMark = "\x93\xFA";              // 日
constexpr std::string_view kEraYearMark = "\x94\x4E\x8D\x86";  // 年号
constexpr std::string_view kDecimalDigits = "0123456789";

}  // namespace stringfunc
