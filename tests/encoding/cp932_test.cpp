#include "encoding/cp932.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "encoding/sjis.h"
#include "iconv_oracle.h"

namespace {

// The single bytes glibc leaves undefined and Windows maps.
const std::map<unsigned char, char16_t> kWindowsSingles{
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

bool IsTrailByte(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::string ByteList(std::initializer_list<unsigned> values) {
  std::string s;
  for (const unsigned v : values) s += static_cast<char>(v);
  return s;
}

}  // namespace

TEST(Cp932Tables, EveryByteAndPairDecodesAsIconvDoes) {
  IconvOracle oracle("CP932");
  int defined = 0;
  for (unsigned b = 0; b < 256; ++b) {
    const bool lead = sjis::IsLeadByte(b);
    for (unsigned trail = lead ? 0x40 : 0; trail <= (lead ? 0xFCu : 0u); ++trail) {
      if (lead && !IsTrailByte(trail)) continue;
      const std::string sjis = lead ? ByteList({b, trail}) : ByteList({b});
      const std::optional<std::u16string> expected = oracle.Decode(sjis);
      std::size_t invalid = 99;
      const std::u16string got = cp932::ToUtf16(sjis, &invalid);
      if (expected && expected->size() == 1) {
        ++defined;
        EXPECT_EQ(got, *expected) << std::hex << b << ' ' << trail;
        EXPECT_EQ(invalid, 0u);
      } else if (!lead && kWindowsSingles.count(b)) {
        EXPECT_EQ(got, std::u16string(1, kWindowsSingles.at(b)));
      } else {
        EXPECT_EQ(got, u"\uFFFD") << std::hex << b << ' ' << trail;
        EXPECT_EQ(invalid, 1u);
      }
    }
  }
  EXPECT_GT(defined, 7000);  // the oracle really knows code page 932
}

TEST(Cp932Tables, EveryUtf16UnitEncodesAsIconvDoes) {
  IconvOracle oracle("CP932");
  std::map<char16_t, unsigned char> windowsUnits;
  for (const auto& [byte, unit] : kWindowsSingles) windowsUnits[unit] = byte;
  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::u16string text(1, static_cast<char16_t>(u));
    const std::optional<std::string> expected = oracle.Encode(text);
    std::size_t replaced = 99;
    const std::string got = cp932::FromUtf16(text, &replaced);
    if (expected) {
      EXPECT_EQ(got, *expected) << std::hex << u;
      EXPECT_EQ(replaced, 0u);
    } else if (windowsUnits.count(u)) {
      EXPECT_EQ(got, std::string(1, static_cast<char>(windowsUnits[u])));
    } else {
      EXPECT_EQ(got, "?") << std::hex << u;
      EXPECT_EQ(replaced, 1u);
    }
  }
}

TEST(Cp932Invalid, LeadByteTakesATrailByteOrStandsAlone) {
  std::size_t invalid = 0;
  // 0x88 at the very end, or before CR LF or 0x7F (no trail bytes): the next byte is kept.
  EXPECT_EQ(cp932::ToUtf16("a\x88", &invalid), u"a\uFFFD");
  EXPECT_EQ(cp932::ToUtf16("\x88\r\n\x88\x7F", &invalid), u"\uFFFD\r\n\uFFFD\x7F");
  EXPECT_EQ(invalid, 2u);
  // 0x85 0x40 is lead and trail, but row 0x85 is empty: one character, the 'A' kept.
  EXPECT_EQ(cp932::ToUtf16("\x85\x40" "A", &invalid), u"\uFFFDA");
  EXPECT_EQ(invalid, 1u);
  // 0x88 0x88 is an undefined pair (row 16 starts at 0x889F), leaving 0x9F alone.
  EXPECT_EQ(cp932::ToUtf16("\x88\x88\x9F", &invalid), u"\uFFFD\uFFFD");
  EXPECT_EQ(invalid, 2u);
}

TEST(Cp932Surrogates, EachCharacterWithoutAFormIsOneQuestionMark) {
  std::size_t replaced = 0;
  EXPECT_EQ(cp932::FromUtf16(u"a\U0001F600b", &replaced), "a?b");
  EXPECT_EQ(replaced, 1u);
  // Lone surrogates, and a low one before a high one, are one "?" each.
  EXPECT_EQ(cp932::FromUtf16(std::u16string{0xDE00, 0xD83D}, &replaced), "??");
  EXPECT_EQ(replaced, 2u);
  // A high surrogate must not swallow the character after it.
  EXPECT_EQ(cp932::FromUtf16(std::u16string{0xD83D, 0x4E9C}, &replaced), "?\x88\x9F");
  EXPECT_EQ(replaced, 1u);
  EXPECT_EQ(cp932::FromUtf16(std::u16string{0xD83D}, &replaced), "?");
  EXPECT_EQ(replaced, 1u);
}
