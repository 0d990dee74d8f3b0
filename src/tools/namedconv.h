// The encodings zibconv knows by name, each a conversion to or from Shift-JIS.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct ConvCounts {
  std::size_t replaced = 0;  // characters that became "?" on the way to Shift-JIS
  std::size_t invalid = 0;   // invalid Shift-JIS sequences that became U+FFFD
  bool malformed = false;    // the input was not UTF-8; the result is empty
};

using Conversion = std::string (*)(std::string_view text, ConvCounts& counts);

// FROM -> Shift-JIS, or null for an unknown name.
Conversion FindDecoder(std::string_view name);
// Shift-JIS -> TO, or null for an unknown name.
Conversion FindEncoder(std::string_view name);

inline constexpr std::string_view kDecoderNames = "sjis, jis, euc, utf8, ucs2";
inline constexpr std::string_view kEncoderNames = "sjis, jis, utf8, ucs2";
