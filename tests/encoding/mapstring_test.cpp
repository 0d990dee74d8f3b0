#include "encoding/mapstring.h"

#include <gtest/gtest.h>

#include <string>

#include "sjliteral.h"

using namespace stringfunc;
using namespace std::string_literals;

namespace {

constexpr std::uint32_t kEveryFlag[] = {LCMAP_LOWERCASE, LCMAP_UPPERCASE, LCMAP_HIRAGANA,
                                        LCMAP_KATAKANA,  LCMAP_HALFWIDTH, LCMAP_FULLWIDTH};

std::string Map(std::uint32_t flags, std::u16string_view text) { return MapString(flags, Sj(text)); }

}  // namespace

TEST(MapStringWidth, AsciiAndFullWidthFormsRoundTrip) {
  for (char16_t c = u'!'; c <= u'~'; ++c) {
    const std::string ascii(1, static_cast<char>(c));
    const std::string full = Sj(std::u16string(1, static_cast<char16_t>(c - u'!' + u'！')));
    EXPECT_EQ(MapString(LCMAP_FULLWIDTH, ascii), full) << ascii;
    EXPECT_EQ(MapString(LCMAP_HALFWIDTH, full), ascii) << ascii;
  }
  EXPECT_EQ(Map(LCMAP_FULLWIDTH, u"A b"), Sj(u"Ａ　ｂ"));
  EXPECT_EQ(Map(LCMAP_HALFWIDTH, u"Ａ　ｂ"), "A b");
}

TEST(MapStringWidth, YenBackslashAndDashes) {
  EXPECT_EQ(Map(LCMAP_HALFWIDTH, u"￥＼"), "\\\\");
  EXPECT_EQ(MapString(LCMAP_FULLWIDTH, "\\"), Sj(u"＼"));
  EXPECT_EQ(Map(LCMAP_HALFWIDTH, u"―‐－"), "---");
  EXPECT_EQ(MapString(LCMAP_FULLWIDTH, "-"), Sj(u"－"));
  EXPECT_EQ(Map(LCMAP_HALFWIDTH, u"～"), "~");
}

TEST(MapStringWidth, KanaWithVoicedMarksBothWays) {
  const std::pair<std::u16string_view, std::u16string_view> pairs[] = {
      {u"ｶﾞｷﾞｸﾞｹﾞｺﾞ", u"ガギグゲゴ"}, {u"ｻﾞｼﾞｽﾞｾﾞｿﾞ", u"ザジズゼゾ"}, {u"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", u"ダヂヅデド"},
      {u"ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", u"バビブベボ"}, {u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", u"パピプペポ"}, {u"ｳﾞ", u"ヴ"},
      {u"ｱｶｻﾀﾅﾊﾏﾔﾗﾜｦﾝ", u"アカサタナハマヤラワヲン"},           {u"ｧｨｩｪｫｯｬｭｮ", u"ァィゥェォッャュョ"},
      {u"｡｢｣､･ｰﾞﾟ", u"。「」、・ー゛゜"},
  };
  for (const auto& [half, full] : pairs) {
    EXPECT_EQ(Map(LCMAP_FULLWIDTH, half), Sj(full)) << Sj(half);
    EXPECT_EQ(Map(LCMAP_HALFWIDTH, full), Sj(half)) << Sj(half);
  }
}

TEST(MapStringWidth, MarksThatJoinNothingStandAlone) {
  EXPECT_EQ(Map(LCMAP_FULLWIDTH, u"ｱﾞﾅﾟﾞ"), Sj(u"ア゛ナ゜゛"));
  EXPECT_EQ(Map(LCMAP_FULLWIDTH, u"ﾜﾞｦﾞ"), Sj(u"ワ゛ヲ゛"));  // ヷ and ヺ have no Shift-JIS code
  EXPECT_EQ(Map(LCMAP_FULLWIDTH, u"ｶﾞﾞ"), Sj(u"ガ゛"));
}

TEST(MapStringWidth, EveryKatakanaRoundTripsThroughHalfWidth) {
  int halved = 0;
  for (char16_t k = u'ァ'; k <= u'ヶ'; ++k) {
    const std::string full = Sj(std::u16string(1, k));
    const std::string half = MapString(LCMAP_HALFWIDTH, full);
    EXPECT_EQ(MapString(LCMAP_FULLWIDTH, half), full) << full;
    halved += half != full;
  }
  // Only ヮ ヰ ヱ ヵ ヶ lack a half-width form.
  EXPECT_EQ(halved, (u'ヶ' - u'ァ' + 1) - 5);
}

TEST(MapStringWidth, EveryHalfWidthKanaRoundTripsThroughFullWidth) {
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const std::string half(1, static_cast<char>(b));
    const std::string full = MapString(LCMAP_FULLWIDTH, half);
    EXPECT_EQ(full.size(), 2u) << b;
    EXPECT_EQ(MapString(LCMAP_HALFWIDTH, full), half) << b;
  }
}

TEST(MapStringKana, HiraganaAndKatakanaOverTheWholeRange) {
  for (char16_t h = u'ぁ'; h <= u'ん'; ++h) {
    const std::string hiragana = Sj(std::u16string(1, h));
    const std::string katakana = Sj(std::u16string(1, static_cast<char16_t>(h + (u'ァ' - u'ぁ'))));
    EXPECT_EQ(MapString(LCMAP_KATAKANA, hiragana), katakana) << hiragana;
    EXPECT_EQ(MapString(LCMAP_HIRAGANA, katakana), hiragana) << katakana;
  }
  EXPECT_EQ(Map(LCMAP_KATAKANA, u"ゝゞ"), Sj(u"ヽヾ"));
  EXPECT_EQ(Map(LCMAP_HIRAGANA, u"ヽヾ"), Sj(u"ゝゞ"));
}

TEST(MapStringKana, KatakanaWithoutHiraganaCodeStay) {
  EXPECT_EQ(Map(LCMAP_HIRAGANA, u"ヴヵヶー・"), Sj(u"ヴヵヶー・"));
  EXPECT_EQ(Map(LCMAP_HIRAGANA, u"ｶﾞ"), Sj(u"ｶﾞ"));  // half-width kana are not converted
}

TEST(MapStringCase, LatinGreekAndCyrillic) {
  const std::pair<std::u16string_view, std::u16string_view> pairs[] = {
      {u"ABCXYZ", u"abcxyz"},
      {u"ＡＢＣＸＹＺ", u"ａｂｃｘｙｚ"},
      {u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ", u"αβγδεζηθικλμνξοπρστυφχψω"},
      {u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
  };
  for (const auto& [upper, lower] : pairs) {
    EXPECT_EQ(Map(LCMAP_LOWERCASE, upper), Sj(lower)) << Sj(upper);
    EXPECT_EQ(Map(LCMAP_UPPERCASE, lower), Sj(upper)) << Sj(lower);
  }
}

TEST(MapStringCombined, FlagsApplyInOrder) {
  EXPECT_EQ(Map(LCMAP_HALFWIDTH | LCMAP_KATAKANA, u"がぱう゛ab"), Sj(u"ｶﾞﾊﾟｳﾞab"));
  EXPECT_EQ(Map(LCMAP_FULLWIDTH | LCMAP_HIRAGANA, u"ｶﾞﾊﾟｳﾞ"), Sj(u"がぱヴ"));
  EXPECT_EQ(Map(LCMAP_HALFWIDTH | LCMAP_UPPERCASE, u"ａｂ"), "AB");
  EXPECT_EQ(Map(LCMAP_FULLWIDTH | LCMAP_LOWERCASE, u"AB"), Sj(u"ａｂ"));
  EXPECT_EQ(Map(LCMAP_HALFWIDTH, u"ひらがな"), Sj(u"ひらがな"));
}

TEST(MapStringCombined, ContradictoryOrNoFlagsLeaveTheTextAlone) {
  const std::string text = Sj(u"aＡｶﾞが");
  EXPECT_EQ(MapString(LCMAP_HALFWIDTH | LCMAP_FULLWIDTH, text), text);
  EXPECT_EQ(MapString(LCMAP_HIRAGANA | LCMAP_KATAKANA, text), text);
  EXPECT_EQ(MapString(LCMAP_LOWERCASE | LCMAP_UPPERCASE, text), text);
  EXPECT_EQ(MapString(0, text), text);
  EXPECT_EQ(MapString(0x400, text), text);
}

TEST(MapStringBytes, TrailBytesAreNeverMappedAsCharacters) {
  // "ャ" is 0x83 0x61 and "ソ" is 0x83 0x5C: trail bytes that look like "a" and "\".
  const std::string text = Sj(u"ャソ表");
  EXPECT_EQ(MapString(LCMAP_UPPERCASE, text), text);
  EXPECT_EQ(MapString(LCMAP_FULLWIDTH, text), text);
  EXPECT_EQ(MapString(LCMAP_HALFWIDTH, text), Sj(u"ｬｿ表"));
}

TEST(MapStringBytes, CharactersNoMapConcernsKeepTheirBytes) {
  // Bytes that form no character, a lead byte before a byte that is no trail,
  // an NEC-selected IBM kanji (0xED 0x40, which a code page round trip would
  // rewrite as 0xFA 0x5C), NUL, kanji, and a lead byte alone at the end.
  const std::string text = "\x80\xA0\xFD\xFF\x81\x7F\xED\x40"s + '\0' + Sj(u"漢字") + "\x82";
  for (const std::uint32_t flags : kEveryFlag) {
    EXPECT_EQ(MapString(flags, text), text) << flags;
  }
  EXPECT_EQ(MapString(LCMAP_UPPERCASE, "z\x82"), "Z\x82");
  EXPECT_EQ(MapString(LCMAP_FULLWIDTH, ""), "");
}
