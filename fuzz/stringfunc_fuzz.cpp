// The string helpers on any bytes: no crash, no read past the input, no
// overflow on long numbers, and mappings that keep the text's shape.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/cp932.h"
#include "encoding/stringfunc.h"
#include "require.h"

using namespace stringfunc;

namespace {

const std::string& Pattern(std::uint8_t selector) {
  static const std::string patterns[] = {
      cp932::FromUtf16(u"年号y年mm月dd日"), cp932::FromUtf16(u"年号y年m月d日"),
      cp932::FromUtf16(u"yyyy年mm月dd日"),  cp932::FromUtf16(u"yyyy年m月d日"),
      "yyyy/mm/dd", "yyyy/m/d", "yyyy.mm.dd", "yyyy.m.d"};
  return patterns[selector % 8];
}

void CheckMappings(std::string_view input) {
  // Case and kana keep every character's length; width changes it by at most double.
  for (const std::uint32_t flags : {LCMAP_LOWERCASE, LCMAP_UPPERCASE, LCMAP_HIRAGANA, LCMAP_KATAKANA}) {
    Require(MapString(flags, input).size() == input.size());
  }
  Require(MapString(LCMAP_HALFWIDTH, input).size() <= input.size());
  Require(MapString(LCMAP_FULLWIDTH, input).size() <= 2 * input.size());
  Require(MapString(LCMAP_HALFWIDTH | LCMAP_KATAKANA, input).size() <= input.size());
  Require(MapString(LCMAP_FULLWIDTH | LCMAP_HIRAGANA, input).size() <= 2 * input.size());
}

void CheckLines(std::string_view input) {
  const auto [lineEnd, body] = SplitLineEnd(input);
  Require(body + lineEnd == input);
  Require(ReplaceHead(input, static_cast<int>(input.size() % 7), "P").size() <= input.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckMappings(input);
  CheckLines(input);
  Require(CharLength(input) <= input.size());
  FormatDateText(input, Pattern(data[0]));
  ConvertEraYear(input);
  HexToDec(input);
  HasEraName(input);
  ConsistsOfText(input, " 0123456789abcdef");
  return 0;
}
