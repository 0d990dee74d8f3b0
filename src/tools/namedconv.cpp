#include "tools/namedconv.h"

namespace {

struct Named {
  std::string_view name;
  TEncoding encoding;
};

constexpr Named kEncodings[] = {
    {"sjis", TEncoding::ShiftJis}, {"jis", TEncoding::Jis},   {"euc", TEncoding::Euc},
    {"utf8", TEncoding::Utf8},     {"ucs2", TEncoding::Ucs2},
};

std::optional<TEncoding> Find(std::string_view name) {
  for (const Named& n : kEncodings) {
    if (n.name == name) return n.encoding;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TEncoding> DecoderNamed(std::string_view name) { return Find(name); }

std::optional<TEncoding> EncoderNamed(std::string_view name) {
  const std::optional<TEncoding> encoding = Find(name);
  if (encoding == TEncoding::Euc) return std::nullopt;
  return encoding;
}
