#include "encoding/unicodeconv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/sjis.h"
#include "iconv_oracle.h"

namespace {

// Every character of code page 932 that iconv maps to one unit and back to
// the same bytes.
std::vector<std::string> RoundTripCharacters() {
  IconvOracle cp932("CP932");
  std::vector<std::string> chars;
  for (unsigned b = 0; b < 256; ++b) {
    for (unsigned trail = 0; trail < (sjis::IsLeadByte(b) ? 256u : 1u); ++trail) {
      std::string s(1, static_cast<char>(b));
      if (sjis::IsLeadByte(b)) s += static_cast<char>(trail);
      const std::optional<std::u16string> u = cp932.Decode(s);
      if (u && u->size() == 1 && cp932.Encode(*u) == s) chars.push_back(s);
    }
  }
  return chars;
}

}  // namespace

TEST(UnicodeConvRoundTrip, EveryCodePage932CharacterThroughUtf8AndUcs2) {
  IconvOracle utf8("UTF-8");
  IconvOracle cp932("CP932");
  const std::vector<std::string> chars = RoundTripCharacters();
  EXPECT_GT(chars.size(), 7000u);
  for (const std::string& s : chars) {
    const std::u16string unicode = *cp932.Decode(s);
    std::size_t replaced = 99;
    std::size_t invalid = 99;
    const std::string asUtf8 = SjisToUtf8(s, &invalid);
    EXPECT_EQ(invalid, 0u);
    EXPECT_EQ(asUtf8, utf8.Encode(unicode));
    EXPECT_EQ(Utf8ToSjis(asUtf8, &replaced), s);
    EXPECT_EQ(replaced, 0u);
    if (s == std::string(1, '\0')) continue;  // a zero unit ends UCS-2 input
    const std::string asUcs2 = SjisToUcs2(s);
    EXPECT_EQ(asUcs2, ToLeBytes(unicode));
    EXPECT_EQ(Ucs2ToSjis(asUcs2, &replaced), s);
    EXPECT_EQ(replaced, 0u);
  }
}

TEST(Utf8ToSjis, MalformedSequenceEmptiesTheWholeResult) {
  std::size_t replaced = 99;
  EXPECT_EQ(Utf8ToSjis("abc\xC3", &replaced), "");  // text ends inside a sequence
  EXPECT_EQ(replaced, 0u);
  EXPECT_EQ(Utf8ToSjis("\xE3\x81" "a"), "");         // continuation not 10xxxxxx
  EXPECT_EQ(Utf8ToSjis("\xF0\x9F\x98"), "");        // four-byte sequence cut short
}

TEST(Utf8ToSjis, StartByteBit0x20DecidesTheLength) {
  // 0x8E is no UTF-8 start byte, but reads like 0xCE 0x91: U+0391 GREEK CAPITAL ALPHA.
  EXPECT_EQ(Utf8ToSjis("\x8E\x91"), "\x83\x9F");
  // 0xA3 takes two continuation bytes, like 0xE3: U+3042 HIRAGANA A.
  EXPECT_EQ(Utf8ToSjis("\xA3\x81\x82"), "\x82\xA0");
}

TEST(Utf8ToSjis, CharactersWithoutShiftJisFormBecomeQuestionMarks) {
  std::size_t replaced = 0;
  // A byte-order mark is the character U+FEFF, which code page 932 lacks.
  EXPECT_EQ(Utf8ToSjis("\xEF\xBB\xBF" "a", &replaced), "?a");
  EXPECT_EQ(replaced, 1u);
  // A four-byte character is one "?", and the text around it survives.
  EXPECT_EQ(Utf8ToSjis("a\xF0\x9F\x98\x80\xE3\x81\x82", &replaced), "a?\x82\xA0");
  EXPECT_EQ(replaced, 1u);
  // An encoded surrogate.
  EXPECT_EQ(Utf8ToSjis("\xED\xA0\x80", &replaced), "?");
  EXPECT_EQ(replaced, 1u);
}

TEST(SjisToUnicode, InvalidShiftJisIsCountedAndWrittenAsReplacementCharacter) {
  std::size_t invalid = 0;
  EXPECT_EQ(SjisToUtf8("a\x88", &invalid), "a\xEF\xBF\xBD");
  EXPECT_EQ(invalid, 1u);
  EXPECT_EQ(SjisToUcs2("\x85\x40\r", &invalid), std::string("\xFD\xFF\r\0", 4));
  EXPECT_EQ(invalid, 1u);
}

TEST(Ucs2ToSjis, ZeroUnitEndsTheTextAndAnOddByteIsHalfAUnit) {
  std::size_t replaced = 0;
  EXPECT_EQ(Ucs2ToSjis(std::string("a\0\0\0b\0", 6)), "a");
  // A zero byte inside a unit is no zero unit: U+3042 U+3000.
  EXPECT_EQ(Ucs2ToSjis(std::string("\x42\x30\x00\x30", 4)), "\x82\xA0\x81\x40");
  EXPECT_EQ(Ucs2ToSjis(std::string("a\0b", 3), &replaced), "a?");
  EXPECT_EQ(replaced, 1u);
  // An odd byte after the zero unit is past the end of the text.
  EXPECT_EQ(Ucs2ToSjis(std::string("a\0\0\0b", 5), &replaced), "a");
  EXPECT_EQ(replaced, 0u);
  // Byte-order mark FF FE, a surrogate pair, a lone high surrogate.
  EXPECT_EQ(Ucs2ToSjis(std::string("\xFF\xFE" "a\0" "\x3D\xD8\x00\xDE" "\x3D\xD8", 10), &replaced), "?a??");
  EXPECT_EQ(replaced, 3u);
}
