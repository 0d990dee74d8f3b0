// String helpers of the text tools. Strings are Shift-JIS bytes; lengths and
// positions count characters, a two-byte character as one. Every function
// accepts any bytes, including a lead byte left alone at the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "encoding/mapstring.h"

namespace stringfunc {

std::size_t CharLength(std::string_view s);

// True when every character of s is one of allowed; true for an empty s.
bool ConsistsOf(std::string_view s, std::string_view allowed);

// As ConsistsOf, ignoring letter case, but false for an empty s; and when
// allowed holds a space or "　", s must hold something besides spaces, "　",
// CR and LF.
bool ConsistsOfText(std::string_view s, std::string_view allowed);

// Removes the entries that are blank after trimming; false without a list.
bool RemoveBlankLines(std::vector<std::string>* list);

// Binary digits, most significant first, in groups of four joined by spaces:
// 4, 9, 19 and 39 characters.
std::string NibbleToBin(std::uint32_t n);
std::string ByteToBin(std::uint32_t n);
std::string WordToBin(std::uint32_t n);
std::string LongToBin(std::uint32_t n);

// Hexadecimal text ("$1F", "#ff", "-FF", full width too) as signed decimal
// text; digits beyond the low 32 bits drop out, and the 32 bits read as a
// signed number. Text that is not hexadecimal comes back unchanged.
std::string HexToDec(std::string_view s);

// "1989" <-> "平成1", "2006年" <-> "平成18年", "H.18" -> "2006"; other text
// comes back unchanged.
std::string ConvertEraYear(std::string_view s);
bool HasEraName(std::string_view s);

// Decimal digits only, within 1868-2099, 1-12 and 1-31.
bool IsYearText(std::string_view s);
bool IsMonthText(std::string_view s);
bool IsDayText(std::string_view s);

// (LineEnd, Body): the trailing CR, LF, CR LF, LF CR or CR CR, and the rest.
std::pair<std::string, std::string> SplitLineEnd(std::string_view s);

// prefix in place of the first n characters of s; when the text before the
// line end is no longer than n, prefix and the line end. A negative n counts
// as 0.
std::string ReplaceHead(std::string_view s, int n, std::string_view prefix);

// One date, written with digits and separators such as "/", "." or "年月日"
// and possibly an era name, rewritten in the form pattern describes
// ("yyyy/mm/dd", "年号y年m月d日", ...); s itself when it is no such date.
std::string FormatDateText(std::string_view s, std::string_view pattern);

}  // namespace stringfunc
