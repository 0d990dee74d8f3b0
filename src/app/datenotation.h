// "選択範囲の年月日の表記を変換": finds the dates in a text and writes each
// in one notation.
#pragma once

#include <string>
#include <string_view>

// s with every date in it rewritten by FormatDateText in `pattern`
// (Shift-JIS). A date is a run of digits and at most two runs of the
// separators "/", ".", spaces, "年", "月" and line ends, starting with a
// year, a month or an era name. Each date found is replaced wherever it
// occurs in s, letter case aside; a rewritten form already produced is not
// produced again.
std::string ConvertDateNotation(std::string_view s, std::string_view pattern);
