#include "encoding/unicodeconv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/cp932.h"
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

// Forms a lenient decoder accepts and strict UTF-8 does not; an overlong
// NUL or "/" is the classic way past a check.
TEST(Utf8ToSjis, OverlongSurrogateAndOutOfRangeFormsAreNoUtf8) {
  for (const char* bad : {
           "\xC0\x80",          // overlong U+0000
           "a\xE0\x80\xAF",     // overlong "/"
           "\xF0\x80\x80\xAF",  // overlong "/" in four bytes
           "\xC1\xBF",          // overlong U+007F
           "\xED\xA0\x80",      // the surrogate U+D800
           "\xED\xBF\xBF",      // the surrogate U+DFFF
           "\xF4\x90\x80\x80",  // U+110000
           "\xF5\x80\x80\x80",  // no start byte at all
           "\x8E\x91",          // a continuation byte as start byte
           "\xA3\x81\x82",
           "\xF8\x88\x80\x80\x80",
       }) {
    EXPECT_EQ(Utf8ToSjis(bad), "") << bad;
  }
  // The edges of what is allowed: U+0080, U+0800, U+D7FF, U+E000, U+10FFFF.
  EXPECT_EQ(Utf8ToSjis("\xC2\x80\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"), "\x80??\xF0\x40?");
}

// iconv's UTF-8 decoder is strict; on random text made of valid sequences,
// the forms above and plain noise, both must accept the same inputs and
// give the same characters.
TEST(Utf8ToSjis, AgreesWithAStrictDecoderOnRandomInput) {
  IconvOracle utf8("UTF-8");
  std::mt19937 random(20240611);
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const std::string pieces[] = {"a", "\xE3\x81\x82", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF",
                                "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                std::string(1, '\0')};
  int rejected = 0;
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    for (unsigned k = pick(6); k > 0; --k) {
      if (pick(3) == 0) {
        text += static_cast<char>(pick(256));  // noise
      } else {
        text += pieces[pick(std::size(pieces))];
      }
    }
    const std::optional<std::u16string> strict = utf8.Decode(text);
    std::size_t replaced = 99;
    const std::string got = Utf8ToSjis(text, &replaced);
    if (!strict) {
      ++rejected;
      EXPECT_EQ(got, "") << testing::PrintToString(text);
      continue;
    }
    std::size_t expectedReplaced = 0;
    EXPECT_EQ(got, cp932::FromUtf16(*strict, &expectedReplaced)) << testing::PrintToString(text);
    EXPECT_EQ(replaced, expectedReplaced);
  }
  EXPECT_GT(rejected, 2000);  // both kinds of input were met often
  EXPECT_LT(rejected, 18000);
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
