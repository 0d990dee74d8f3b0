#include "encoding/cp932.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "encoding/iconvcodec.h"
#include "encoding/sjis.h"

namespace cp932 {
namespace {

constexpr char16_t kInvalid = 0xFFFD;
constexpr char16_t kLoneLead = 0;          // in pairs: the second byte is no trail byte
constexpr std::uint16_t kNoSjis = 0xFFFF;  // in sjisOf: no Shift-JIS form

constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

struct Tables {
  std::array<char16_t, 256> single{};  // bytes that are not lead bytes
  std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, kLoneLead);  // [lead << 8 | trail]
  // [UTF-16 unit]: one byte below 0x100, else lead << 8 | trail.
  std::vector<std::uint16_t> sjisOf = std::vector<std::uint16_t>(0x10000, kNoSjis);
  // [(lead - 0xF0) << 8 | trail]: the lowest code with a lead below 0xF0
  // that is the same character, or 0.
  std::vector<std::uint16_t> lowerTwins = std::vector<std::uint16_t>(13 << 8, 0);
};

// The one UTF-16 unit iconv decodes these bytes to, or U+FFFD.
char16_t DecodeOne(IconvCodec& toUtf16, std::string_view bytes) {
  const std::optional<std::string> le = toUtf16.Convert(bytes);
  if (!le || le->size() != 2) return kInvalid;
  return static_cast<char16_t>(static_cast<unsigned char>((*le)[0]) |
                               static_cast<unsigned char>((*le)[1]) << 8);
}

std::uint16_t EncodeOne(IconvCodec& fromUtf16, char16_t u) {
  const char le[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  const std::optional<std::string> sjis = fromUtf16.Convert(std::string_view(le, 2));
  if (!sjis || sjis->empty() || sjis->size() > 2) return kNoSjis;
  std::uint16_t code = 0;
  for (const char c : *sjis) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(c));
  return code;
}

void FillDecoding(Tables& t) {
  IconvCodec toUtf16("UTF-16LE", "CP932");
  for (unsigned b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    if (sjis::IsLeadByte(b)) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!sjis::IsTrailByte(trail)) continue;
        const char pair[2] = {byte, static_cast<char>(trail)};
        t.pairs[b << 8 | trail] = DecodeOne(toUtf16, std::string_view(pair, 2));
      }
    } else if (toUtf16.Available()) {
      t.single[b] = DecodeOne(toUtf16, std::string_view(&byte, 1));
    } else {
      t.single[b] = b < 0x80 ? static_cast<char16_t>(b) : kInvalid;
    }
  }
}

void FillEncoding(Tables& t) {
  IconvCodec fromUtf16("CP932", "UTF-16LE");
  for (unsigned u = 0; u < 0x10000; ++u) {
    t.sjisOf[u] = fromUtf16.Available() ? EncodeOne(fromUtf16, static_cast<char16_t>(u))
                  : u < 0x80           ? static_cast<std::uint16_t>(u)
                                       : kNoSjis;
  }
}

// Windows gives these single bytes, which glibc leaves undefined, a code
// point of their own; following it keeps such bytes through a round trip.
void AddWindowsSingleBytes(Tables& t) {
  constexpr std::array<std::pair<unsigned char, char16_t>, 5> kExtra{
      {{0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};
  for (const auto& [byte, unit] : kExtra) {
    if (t.single[byte] != kInvalid || t.sjisOf[unit] != kNoSjis) continue;
    t.single[byte] = unit;
    t.sjisOf[unit] = byte;
  }
}

bool IsCharacter(char16_t u) { return u != kLoneLead && u != kInvalid; }

void FillLowerTwins(Tables& t) {
  std::vector<std::uint16_t> lowest(0x10000, 0);  // [UTF-16 unit]
  for (unsigned code = 0x8140; code < 0xF000; ++code) {
    const char16_t u = t.pairs[code];
    if (IsCharacter(u) && lowest[u] == 0) lowest[u] = static_cast<std::uint16_t>(code);
  }
  for (unsigned code = 0xF000; code <= 0xFCFF; ++code) {
    const char16_t u = t.pairs[code];
    if (IsCharacter(u)) t.lowerTwins[code - 0xF000] = lowest[u];
  }
}

Tables BuildTables() {
  Tables t;
  FillDecoding(t);
  FillEncoding(t);
  AddWindowsSingleBytes(t);
  FillLowerTwins(t);
  return t;
}

// Built on first use; without an iconv CP932 only ASCII converts, and every
// other character is reported through the invalid and replaced counts.
const Tables& TheTables() {
  static const Tables tables = BuildTables();
  return tables;
}

}  // namespace

std::u16string ToUtf16(std::string_view sjis, std::size_t* invalid) {
  std::u16string out(sjis.size(), u'\0');
  out.resize(ToUtf16(sjis, out.data(), invalid));
  return out;
}

std::size_t ToUtf16(std::string_view sjis, char16_t* const out, std::size_t* invalid) {
  const Tables& t = TheTables();
  char16_t* o = out;
  std::size_t bad = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
  const auto* const end = p + sjis.size();
  while (p < end) {
    const unsigned b = *p++;
    char16_t u = kInvalid;
    if (!sjis::IsLeadByte(b)) {
      u = t.single[b];
    } else if (p < end) {
      const char16_t pair = t.pairs[b << 8 | *p];
      if (pair != kLoneLead) {
        u = pair;
        ++p;
      }
    }
    bad += u == kInvalid;
    *o++ = u;
  }
  if (invalid) *invalid = bad;
  return static_cast<std::size_t>(o - out);
}

std::uint16_t SjisCode(char16_t u) { return TheTables().sjisOf[u]; }

std::uint16_t LowerTwin(unsigned char lead, unsigned char trail) {
  if (lead < 0xF0 || lead > 0xFC) return 0;
  return TheTables().lowerTwins[static_cast<unsigned>(lead - 0xF0) << 8 | trail];
}

std::string FromUtf16(std::u16string_view text, std::size_t* replaced) {
  const Tables& t = TheTables();
  std::string out(text.size() * 2, '\0');
  char* o = out.data();
  std::size_t missing = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint16_t code = t.sjisOf[text[i]];
    if (code == kNoSjis) {
      *o++ = '?';
      ++missing;
      if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    } else if (code < 0x100) {
      *o++ = static_cast<char>(code);
    } else {
      *o++ = static_cast<char>(code >> 8);
      *o++ = static_cast<char>(code & 0xFF);
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  if (replaced) *replaced = missing;
  return out;
}

}  // namespace cp932
