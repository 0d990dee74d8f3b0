#include "tools/namedconv.h"

#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

struct Named {
  std::string_view name;
  Conversion convert;
};

const TAutoSjisConv kConv;

std::string AsIs(std::string_view text, ConvCounts&) { return std::string(text); }

// Only malformed input gives empty text for non-empty UTF-8.
std::string FromUtf8(std::string_view text, ConvCounts& counts) {
  std::string sjis = Utf8ToSjis(text, &counts.replaced);
  counts.malformed = sjis.empty() && !text.empty();
  return sjis;
}

constexpr Named kDecoders[] = {
    {"sjis", AsIs},
    {"jis", [](std::string_view t, ConvCounts&) { return kConv.JisToSjis(t); }},
    {"euc", [](std::string_view t, ConvCounts&) { return kConv.EucToSjis(t); }},
    {"utf8", FromUtf8},
    {"ucs2", [](std::string_view t, ConvCounts& c) { return Ucs2ToSjis(t, &c.replaced); }},
};

constexpr Named kEncoders[] = {
    {"sjis", AsIs},
    {"jis", [](std::string_view t, ConvCounts&) { return kConv.SjisToJis(t); }},
    {"utf8", [](std::string_view t, ConvCounts& c) { return SjisToUtf8(t, &c.invalid); }},
    {"ucs2", [](std::string_view t, ConvCounts& c) { return SjisToUcs2(t, &c.invalid); }},
};

template <std::size_t N>
Conversion Find(const Named (&table)[N], std::string_view name) {
  for (const Named& n : table) {
    if (n.name == name) return n.convert;
  }
  return nullptr;
}

}  // namespace

Conversion FindDecoder(std::string_view name) { return Find(kDecoders, name); }
Conversion FindEncoder(std::string_view name) { return Find(kEncoders, name); }
