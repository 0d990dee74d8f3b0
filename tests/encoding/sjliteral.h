// Shift-JIS test texts written as readable UTF-16 literals.
#pragma once

#include <string>
#include <string_view>

#include "encoding/cp932.h"

inline std::string Sj(std::u16string_view text) { return cp932::FromUtf16(text); }
