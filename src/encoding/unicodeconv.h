// UTF-8 and UCS-2 <-> Shift-JIS, through UTF-16 and code page 932. No
// byte-order mark is read or written here: U+FEFF converts like any
// character (a file's mark is filetext.h's business).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads strict UTF-8: overlong forms, encoded surrogates, values beyond
// U+10FFFF, stray continuation bytes and sequences cut short are no UTF-8,
// and any of them makes the whole result empty (which valid non-empty input
// never gives). A character beyond U+FFFF becomes one "?". *replaced
// receives the number of characters that became "?".
std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced = nullptr);

// The same strict UTF-8 as UTF-16 (a character beyond U+FFFF as a surrogate
// pair), or nothing when the bytes are no UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// Each character becomes one to three bytes. *invalid receives the number of
// invalid Shift-JIS sequences, written as U+FFFD.
std::string SjisToUtf8(std::string_view sjis, std::size_t* invalid = nullptr);

// Reads little-endian 16-bit units up to the first zero unit. An odd byte at
// the end is half a unit: it becomes "?" and counts as replaced, like every
// character without a Shift-JIS form.
std::string Ucs2ToSjis(std::string_view ucs2, std::size_t* replaced = nullptr);

// Two bytes per character, little-endian. *invalid as for SjisToUtf8.
std::string SjisToUcs2(std::string_view sjis, std::size_t* invalid = nullptr);
