// The encodings zibconv knows by name.
#pragma once

#include <optional>
#include <string_view>

#include "encoding/filetext.h"

// The encoding of that name to read (FROM), or nothing for an unknown name.
std::optional<TEncoding> DecoderNamed(std::string_view name);
// The encoding of that name to write (TO); EUC-JP is read only.
std::optional<TEncoding> EncoderNamed(std::string_view name);

inline constexpr std::string_view kDecoderNames = "sjis, jis, euc, utf8, ucs2";
inline constexpr std::string_view kEncoderNames = "sjis, jis, utf8, ucs2";
