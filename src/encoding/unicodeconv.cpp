#include "encoding/unicodeconv.h"

#include <optional>

#include "encoding/cp932.h"

namespace {

constexpr char16_t kBeyondBmp = 0xFFFD;  // stands in for any character past U+FFFF

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The number of continuation bytes after the start byte b (>= 0x80).
std::size_t ContinuationCount(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF7) return 3;
  return (b & 0x20) ? 2 : 1;
}

char16_t Combine(const unsigned char* seq, std::size_t continuations) {
  if (continuations == 3) return kBeyondBmp;
  unsigned value = seq[0] & (continuations == 1 ? 0x1F : 0x0F);
  for (std::size_t k = 1; k <= continuations; ++k) value = value << 6 | (seq[k] & 0x3F);
  return static_cast<char16_t>(value & 0xFFFF);
}

std::optional<std::u16string> DecodeUtf8(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  char16_t* o = out.data();
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {
      *o++ = *p++;
      continue;
    }
    const std::size_t continuations = ContinuationCount(*p);
    if (static_cast<std::size_t>(end - p) <= continuations) return std::nullopt;
    for (std::size_t k = 1; k <= continuations; ++k) {
      if (!IsContinuation(p[k])) return std::nullopt;
    }
    *o++ = Combine(p, continuations);
    p += continuations + 1;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
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

std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced) {
  const std::optional<std::u16string> text = DecodeUtf8(utf8);
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
