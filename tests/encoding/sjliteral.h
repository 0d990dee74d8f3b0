// Test texts: Shift-JIS written as readable UTF-16 literals, and raw bytes.
#pragma once

#include <string>
#include <string_view>

#include "encoding/cp932.h"

inline std::string Sj(std::u16string_view text) { return cp932::FromUtf16(text); }

// Bytes that may hold NULs, which a plain literal would end at.
inline std::string Bytes(const char* s, std::size_t n) { return std::string(s, n); }
