// The number notations of "数値の変換": decimal to "$" hexadecimal or to
// binary digits, hexadecimal to decimal or to binary digits. Full-width
// digits count as digits. A selection with other characters is left as it
// is; one that has only the right characters yet is no 32-bit integer
// (nothing at all, too many digits, a misplaced "-") is NotANumber.
#pragma once

#include <string_view>

#include "app/convtable.h"

// "$" and at least two upper-case digits; a negative number in its eight
// digits of two's complement ("$FFFFFFFF").
TConverted DecimalToHex(std::string_view selected);
// 32 binary digits in eight groups of four, separated by spaces.
TConverted DecimalToBinary(std::string_view selected);
// "#FF", "$ff" and "FF" alike.
TConverted HexToDecimal(std::string_view selected);
TConverted HexToBinary(std::string_view selected);
