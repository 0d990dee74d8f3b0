// UTF-8 and UCS-2 <-> Shift-JIS, through UTF-16 and code page 932. No
// byte-order mark is read or written: U+FEFF converts like any character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reads sequences of one to three bytes as the editor always has: any byte
// from 0x80 starts a sequence, one continuation byte when its bit 0x20 is
// clear, two when set; but bytes 0xF0-0xF7 start four-byte sequences, each
// one "?" (Shift-JIS holds nothing beyond U+FFFF). A malformed
// sequence (a continuation byte missing or not 10xxxxxx) makes the whole
// result empty, which valid non-empty input never gives. *replaced receives
// the number of characters that became "?".
std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced = nullptr);

// Each character becomes one to three bytes. *invalid receives the number of
// invalid Shift-JIS sequences, written as U+FFFD.
std::string SjisToUtf8(std::string_view sjis, std::size_t* invalid = nullptr);

// Reads little-endian 16-bit units up to the first zero unit. An odd byte at
// the end is half a unit: it becomes "?" and counts as replaced, like every
// character without a Shift-JIS form.
std::string Ucs2ToSjis(std::string_view ucs2, std::size_t* replaced = nullptr);

// Two bytes per character, little-endian. *invalid as for SjisToUtf8.
std::string SjisToUcs2(std::string_view sjis, std::size_t* invalid = nullptr);
