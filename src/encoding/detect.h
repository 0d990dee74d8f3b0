// Telling from a file's bytes which of the editor's encodings it is in, so
// that a file opened as Shift-JIS can be offered the open command that
// reads it right. Any doubt resolves to Shift-JIS: genuine Shift-JIS text
// is never given another answer.
#pragma once

#include <string_view>

enum class TDetected { ShiftJis, Jis, Euc, Utf8, Ucs2, Ascii, Binary };

// Ucs2 is little-endian, with or without a byte-order mark. Ascii is 7-bit
// text without JIS escapes; Binary is anything that reads as none of the
// encodings. Inputs over a megabyte are sampled: their first 256 KB and 32
// windows of 16 KB spread evenly over the rest.
TDetected DetectEncoding(std::string_view bytes);

// The word for it: "sjis", "jis", "euc", "utf8", "ucs2", "ascii" or "binary".
std::string_view DetectedName(TDetected detected);
