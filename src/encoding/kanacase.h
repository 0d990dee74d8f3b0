// Hiragana/katakana and letter case over UTF-16. Each returns c itself when it
// has no counterpart.
#pragma once

namespace charmap {

char16_t Katakana(char16_t c);
char16_t Hiragana(char16_t c);

// ASCII, full-width Latin, Greek and Cyrillic letters.
char16_t Upper(char16_t c);
char16_t Lower(char16_t c);

}  // namespace charmap
