// Text transforms of the conversion commands on Shift-JIS text: a two-byte
// character is never split and a trail byte never matches.
#pragma once

#include <string>
#include <string_view>

// s with the full-width letters, digits and the few signs "全角英数字→ 半角"
// knows in their half-width form; everything else, kana and other
// full-width signs included, stays.
std::string AlnumToHalfWidth(std::string_view s);

// s with every occurrence of `from` replaced by `to`.
std::string ReplaceChars(std::string_view s, std::string_view from, std::string_view to);

// opening + s + closing, with a line end that closes s kept after closing.
std::string Enclose(std::string_view s, std::string_view opening, std::string_view closing);
