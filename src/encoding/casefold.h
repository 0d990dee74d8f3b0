// Letter case for searching and sorting: the upper case that
// MapString(LCMAP_UPPERCASE, ...) gives, worked out once per character. Every
// letter that mapping changes keeps its byte length (ASCII, full-width Latin,
// Greek and Cyrillic), so an offset into upper-cased text is the same offset
// into the original, and character boundaries stay where they were.
#pragma once

#include <string>
#include <string_view>

namespace stringfunc {

// Appends s upper-cased to out.
void AppendUpperCase(std::string_view s, std::string& out);
std::string UpperCase(std::string_view s);

// The text as a search compares it: itself, or when letter case does not
// count, upper-cased into `buffer`.
std::string_view Comparable(std::string_view text, bool ignoreCase, std::string& buffer);

// The bytes that can begin a character whose upper case begins with the
// byte `upper`: a text without any of them holds nothing that upper-cases to
// a text beginning with `upper`.
std::string UpperCaseSources(char upper);

// Negative, zero or positive as UpperCase(a) compares with UpperCase(b)
// byte by byte, without making either.
int CompareUpperCase(std::string_view a, std::string_view b);

}  // namespace stringfunc
