#include "encoding/widthmap.h"

#include <array>
#include <string_view>

namespace charmap {
namespace {

constexpr char16_t kFullAsciiOffset = u'！' - u'!';
constexpr char16_t kIdeographicSpace = u'　';

// Full-width counterparts of U+FF61-U+FF9F, in code order.
constexpr char16_t kHalfKanaFirst = u'｡';
constexpr char16_t kHalfKanaLast = u'ﾟ';
constexpr std::u16string_view kFullOfHalfKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    u"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(kFullOfHalfKana.size() == kHalfKanaLast - kHalfKanaFirst + 1);

// Katakana that take the voiced mark, and those that also take the semi-voiced
// one. Their voiced form follows them in code order, the semi-voiced form after
// that; only "ウ" -> "ヴ" lies elsewhere.
constexpr std::u16string_view kVoicable = u"ウカキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u16string_view kSemiVoicable = u"ハヒフヘホ";

constexpr char16_t Voiced(char16_t kana) {
  return kana == u'ウ' ? u'ヴ' : static_cast<char16_t>(kana + 1);
}

constexpr char16_t SemiVoiced(char16_t kana) { return static_cast<char16_t>(kana + 2); }

constexpr bool IsHalfKana(char16_t c) { return c >= kHalfKanaFirst && c <= kHalfKanaLast; }

// Half-width forms of U+3000-U+30FF; {0, 0} where there is none.
constexpr char16_t kCjkBlockFirst = 0x3000;
constexpr std::size_t kCjkBlockSize = 0x100;

constexpr std::array<HalfForm, kCjkBlockSize> MakeHalfForms() {
  std::array<HalfForm, kCjkBlockSize> forms{};
  forms[kIdeographicSpace - kCjkBlockFirst] = {u' ', 0};
  for (char16_t half = kHalfKanaFirst; half <= kHalfKanaLast; ++half) {
    const char16_t full = kFullOfHalfKana[half - kHalfKanaFirst];
    forms[full - kCjkBlockFirst] = {half, 0};
    if (kVoicable.find(full) != std::u16string_view::npos)
      forms[Voiced(full) - kCjkBlockFirst] = {half, kHalfVoicedMark};
    if (kSemiVoicable.find(full) != std::u16string_view::npos)
      forms[SemiVoiced(full) - kCjkBlockFirst] = {half, kHalfSemiVoicedMark};
  }
  return forms;
}

constexpr std::array<HalfForm, kCjkBlockSize> kHalfForms = MakeHalfForms();

}  // namespace

HalfForm HalfWidth(char16_t c) {
  if (c >= u'！' && c <= u'～') return {static_cast<char16_t>(c - kFullAsciiOffset), 0};
  // Byte 0x5C is both backslash and yen in code page 932.
  if (c == u'￥') return {u'\\', 0};
  // The horizontal bar and the hyphen have no half-width form of their own.
  if (c == u'―' || c == u'‐') return {u'-', 0};
  if (c >= kCjkBlockFirst && c < kCjkBlockFirst + kCjkBlockSize) {
    const HalfForm form = kHalfForms[c - kCjkBlockFirst];
    if (form.first != 0) return form;
  }
  return {c, 0};
}

char16_t FullWidth(char16_t c) {
  if (c == u' ') return kIdeographicSpace;
  if (c >= u'!' && c <= u'~') return static_cast<char16_t>(c + kFullAsciiOffset);
  if (IsHalfKana(c)) return kFullOfHalfKana[c - kHalfKanaFirst];
  return c;
}

char16_t ComposeHalfKana(char16_t kana, char16_t mark) {
  if (!IsHalfKana(kana)) return 0;
  const char16_t full = kFullOfHalfKana[kana - kHalfKanaFirst];
  if (mark == kHalfVoicedMark && kVoicable.find(full) != std::u16string_view::npos)
    return Voiced(full);
  if (mark == kHalfSemiVoicedMark && kSemiVoicable.find(full) != std::u16string_view::npos)
    return SemiVoiced(full);
  return 0;
}

}  // namespace charmap
