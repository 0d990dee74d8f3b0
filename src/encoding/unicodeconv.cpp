#include "encoding/unicodeconv.h"

#include <optional>

#include "encoding/cp932.h"

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The well-formed sequences of the Unicode standard (its table 3-7): the
// second byte's range rules out overlong forms, surrogates and values
// beyond U+10FFFF.
struct SequenceForm {
  std::size_t length;     // bytes, the start byte included
  unsigned char low;      // range of the second byte
  unsigned char high;
};

std::optional<SequenceForm> FormOf(unsigned char start) {
  if (start >= 0xC2 && start <= 0xDF) return SequenceForm{2, 0x80, 0xBF};
  if (start == 0xE0) return SequenceForm{3, 0xA0, 0xBF};
  if (start == 0xED) return SequenceForm{3, 0x80, 0x9F};
  if (start >= 0xE1 && start <= 0xEF) return SequenceForm{3, 0x80, 0xBF};
  if (start == 0xF0) return SequenceForm{4, 0x90, 0xBF};
  if (start >= 0xF1 && start <= 0xF3) return SequenceForm{4, 0x80, 0xBF};
  if (start == 0xF4) return SequenceForm{4, 0x80, 0x8F};
  return std::nullopt;  // a continuation byte, C0, C1 or F5-FF
}

// Appends the code point as one unit, or two beyond U+FFFF.
char16_t* PutUtf16(char16_t* o, char32_t c) {
  if (c < 0x10000) {
    *o++ = static_cast<char16_t>(c);
  } else {
    *o++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    *o++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
  return o;
}

// Code page 932 gives no surrogates, so every unit is a character of its own.
std::string EncodeUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  char* o = out.data();
  for (const char16_t u : text) {
    if (u < 0x80) {
      *o++ = static_cast<char>(u);
    } else if (u < 0x800) {
      *o++ = static_cast<char>(0xC0 | u >> 6);
      *o++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      *o++ = static_cast<char>(0xE0 | u >> 12);
      *o++ = static_cast<char>(0x80 | (u >> 6 & 0x3F));
      *o++ = static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');  // never more units than bytes
  char16_t* o = out.data();
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {
      *o++ = *p++;
      continue;
    }
    const std::optional<SequenceForm> form = FormOf(*p);
    if (!form || static_cast<std::size_t>(end - p) < form->length) return std::nullopt;
    if (p[1] < form->low || p[1] > form->high) return std::nullopt;
    char32_t c = *p & (0x7F >> form->length);
    for (std::size_t k = 1; k < form->length; ++k) {
      if (!IsContinuation(p[k])) return std::nullopt;
      c = c << 6 | (p[k] & 0x3F);
    }
    o = PutUtf16(o, c);
    p += form->length;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced) {
  const std::optional<std::u16string> text = Utf8ToUtf16(utf8);
  if (!text) {
    if (replaced) *replaced = 0;
    return {};
  }
  return cp932::FromUtf16(*text, replaced);
}

std::string SjisToUtf8(std::string_view sjis, std::size_t* invalid) {
  return EncodeUtf8(cp932::ToUtf16(sjis, invalid));
}

std::string Ucs2ToSjis(std::string_view ucs2, std::size_t* replaced) {
  std::u16string text(ucs2.size() / 2, u'\0');
  std::size_t units = 0;
  for (; units < text.size(); ++units) {
    const char16_t u = static_cast<char16_t>(static_cast<unsigned char>(ucs2[2 * units]) |
                                             static_cast<unsigned char>(ucs2[2 * units + 1]) << 8);
    if (u == 0) break;
    text[units] = u;
  }
  text.resize(units);
  std::size_t missing = 0;
  std::string sjis = cp932::FromUtf16(text, &missing);
  if (units * 2 + 1 == ucs2.size()) {
    sjis += '?';
    ++missing;
  }
  if (replaced) *replaced = missing;
  return sjis;
}

std::string SjisToUcs2(std::string_view sjis, std::size_t* invalid) {
  const std::u16string text = cp932::ToUtf16(sjis, invalid);
  std::string out(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[2 * i] = static_cast<char>(text[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out;
}
