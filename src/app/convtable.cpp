#include "app/convtable.h"

#include <iterator>

#include "app/convtext.h"
#include "app/numberconv.h"
#include "encoding/mapstring.h"
#include "encoding/stringfunc.h"

namespace {

using namespace stringfunc;

template <std::uint32_t Flags>
TConverted Map(std::string_view s) {
  return TConverted::Replace(MapString(Flags, s));
}

// Texts as template arguments, so that each entry is a plain function.
template <const char* From, const char* To>
TConverted Separator(std::string_view s) {
  return TConverted::Replace(ReplaceChars(s, From, To));
}

template <const char* Opening, const char* Closing>
TConverted Quote(std::string_view s) {
  return TConverted::Replace(Enclose(s, Opening, Closing));
}

constexpr char kTab[] = "\t";
constexpr char kSpace[] = " ";
constexpr char kComma[] = ",";
constexpr char kFullWidthSpace[] = "\x81\x40";  // 　
constexpr char kNone[] = "";
constexpr char kApostrophe[] = "'";
constexpr char kDoubleQuote[] = "\"";
constexpr char kKagiOpen[] = "\x81\x75";      // 「
constexpr char kKagiClose[] = "\x81\x76";     // 」
constexpr char kNijuOpen[] = "\x81\x77";      // 『
constexpr char kNijuClose[] = "\x81\x78";     // 』
constexpr char kParenOpen[] = "(";
constexpr char kParenClose[] = ")";
constexpr char kZenParenOpen[] = "\x81\x69";  // （
constexpr char kZenParenClose[] = "\x81\x6A";  // ）
constexpr char kBracketOpen[] = "[";
constexpr char kBracketClose[] = "]";
constexpr char kBraceOpen[] = "{";
constexpr char kBraceClose[] = "}";
constexpr char kCommentOpen[] = "<!-- ";
constexpr char kCommentClose[] = " -->";
constexpr char kSlashes[] = "//";
constexpr char kCited[] = ">";
constexpr char kTagOpen[] = "<";
constexpr char kTagClose[] = ">";

constexpr TConversion kTable[] = {
    // Character kinds.
    {"N116Click", Map<LCMAP_UPPERCASE>},
    {"N117Click", Map<LCMAP_LOWERCASE>},
    {"N120Click", Map<LCMAP_HALFWIDTH>},
    {"N121Click", Map<LCMAP_FULLWIDTH>},
    {"N123Click", Map<LCMAP_KATAKANA>},
    {"N124Click", Map<LCMAP_HIRAGANA>},
    {"ei_hanClick", [](std::string_view s) { return TConverted::Replace(AlnumToHalfWidth(s)); }},
    // Separators.
    {"tabtospClick", Separator<kTab, kSpace>},
    {"sptotabClick", Separator<kSpace, kTab>},
    {"sptokanmaClick", Separator<kSpace, kComma>},
    {"kanmatospClick", Separator<kComma, kSpace>},
    {"delzenspClick", Separator<kFullWidthSpace, kSpace>},
    // Quotes and brackets.
    {"ksingleClick", Quote<kApostrophe, kApostrophe>},
    {"kdoubleClick", Quote<kDoubleQuote, kDoubleQuote>},
    {"kkagiClick", Quote<kKagiOpen, kKagiClose>},
    {"knijuClick", Quote<kNijuOpen, kNijuClose>},
    {"kmaruClick", Quote<kParenOpen, kParenClose>},
    {"kzenmaruClick", Quote<kZenParenOpen, kZenParenClose>},
    {"kkakoiClick", Quote<kBracketOpen, kBracketClose>},
    {"N110Click", Quote<kBraceOpen, kBraceClose>},
    {"khtmcomClick", Quote<kCommentOpen, kCommentClose>},
    {"kshaClick", Quote<kSlashes, kNone>},
    {"kinyoClick", Quote<kCited, kNone>},
    {"khtmlClick", Quote<kTagOpen, kTagClose>},
    // Number notations and the year.
    {"poptentosixClick", DecimalToHex},
    {"poptentotwoClick", DecimalToBinary},
    {"popsixtotenClick", HexToDecimal},
    {"popsixtotwoClick", HexToBinary},
    {"toyearClick", [](std::string_view s) { return TConverted::Replace(ConvertEraYear(s)); }},
};

}  // namespace

const std::span<const TConversion> kConversions(kTable);
