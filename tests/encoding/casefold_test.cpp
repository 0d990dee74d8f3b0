#include "encoding/casefold.h"

#include <gtest/gtest.h>

#include "encoding/mapstring.h"
#include "encoding/sjis.h"
#include "encoding/sjistext.h"
#include "sjliteral.h"

using namespace stringfunc;

TEST(CaseFold, EveryCharacterAsMapStringUpperCasesIt) {
  for (int code = 0; code < 0x10000; ++code) {
    const unsigned char lead = static_cast<unsigned char>(code >> 8);
    std::string ch;
    if (code < 0x100) {
      if (sjis::IsLeadByte(static_cast<unsigned char>(code))) continue;
      ch = std::string(1, static_cast<char>(code));
    } else if (sjis::IsLeadByte(lead)) {
      ch = {static_cast<char>(lead), static_cast<char>(code & 0xFF)};
    } else {
      continue;
    }
    const std::string mapped = MapString(LCMAP_UPPERCASE, ch);
    // Forms of another length would move offsets; none exist.
    ASSERT_EQ(mapped.size(), ch.size()) << std::hex << code;
    EXPECT_EQ(UpperCase(ch), mapped) << std::hex << code;
  }
}

TEST(CaseFold, WholeTextsKeepTheirLengthAndTrailBytes) {
  const std::string text = Sj(u"aｂ∥Ωд漢z") + "\x82";  // a lead byte alone at the end
  EXPECT_EQ(UpperCase(text), Sj(u"AＢ∥ΩД漢Z") + "\x82");
  EXPECT_EQ(UpperCase("\x81\x61"), "\x81\x61");  // ∥: its trail byte 'a' stays
}

TEST(CaseFold, ComparingIsComparingTheUpperCasedTexts) {
  const std::string texts[] = {"", "a", "B", "ab", "AB", "abc", Sj(u"ａ"), Sj(u"Ａb"), "\x81\x61", "[", "_"};
  for (const std::string& a : texts) {
    for (const std::string& b : texts) {
      const int expected = UpperCase(a).compare(UpperCase(b));
      const int got = CompareUpperCase(a, b);
      EXPECT_EQ(got < 0, expected < 0) << a << " / " << b;
      EXPECT_EQ(got == 0, expected == 0) << a << " / " << b;
    }
  }
}

TEST(CharMatches, OnlyOccurrencesThatStartACharacter) {
  const std::string text = "\x82\x60" "`" "\x82\x60" "`";  // Ａ`Ａ`: 0x60 is also Ａ's second byte
  sjis::TCharMatches matches(text, "`");
  EXPECT_EQ(matches.Next(0), 2u);
  EXPECT_EQ(matches.Next(3), 5u);
  EXPECT_EQ(matches.Next(6), std::string::npos);
  EXPECT_TRUE(matches.StartsChar(0));  // back to an earlier byte
  EXPECT_FALSE(matches.StartsChar(1));
  EXPECT_EQ(sjis::TCharMatches(text, "").Next(0), std::string::npos);
}

TEST(CaseFold, SourcesAreTheBytesThatCanBeginAnUpperCasedMatch) {
  EXPECT_EQ(UpperCaseSources('A'), "Aa");
  EXPECT_EQ(UpperCaseSources('-'), "-");
  EXPECT_EQ(UpperCaseSources('\x82'), "\x82");  // full-width letters keep their lead byte
}
