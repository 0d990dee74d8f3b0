// Half-width and full-width forms over UTF-16, as the Japanese locale pairs
// them: ASCII with U+FF01-U+FF5E, space with U+3000, half-width katakana with
// katakana and the kana punctuation.
#pragma once

namespace charmap {

// U+FF9E and U+FF9F, the half-width voiced and semi-voiced marks.
constexpr char16_t kHalfVoicedMark = 0xFF9E;
constexpr char16_t kHalfSemiVoicedMark = 0xFF9F;

// A half-width form is one unit, or two when a voiced kana splits into its
// base and mark ("ガ" -> "ｶ" "ﾞ"); second is 0 when there is one.
struct HalfForm {
  char16_t first;
  char16_t second;
};

HalfForm HalfWidth(char16_t c);

// c itself when it has no full-width form.
char16_t FullWidth(char16_t c);

// The katakana that a half-width kana and a following half-width mark write
// together ("ｶ" "ﾞ" -> "ガ"), or 0 when they form none.
char16_t ComposeHalfKana(char16_t kana, char16_t mark);

}  // namespace charmap
