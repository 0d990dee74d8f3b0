// Reading a whole number that the user typed or selected.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// One character (Shift-JIS) that is a decimal digit, "0"-"9" or "０"-"９".
bool IsDigitChar(std::string_view c);

// The 32-bit integer that s writes in decimal: an optional sign and at least
// one digit, in half width or full width, with blanks around it allowed.
// Nothing for any other text, and for a value out of range.
std::optional<std::int32_t> ParseInteger(std::string_view s);
