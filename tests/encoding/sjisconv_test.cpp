#include "encoding/sjisconv.h"

#include <gtest/gtest.h>

#include <string>

#include "encoding/cp932.h"
#include "encoding/sjis.h"
#include "iconv_oracle.h"
#include "sjliteral.h"

namespace {

std::string JisKanji(unsigned j1, unsigned j2) {
  return std::string("\x1B$B") + static_cast<char>(j1) + static_cast<char>(j2) + "\x1B(B";
}

}  // namespace

TEST(JisToSjis, KanjiEscapesSwitchToPairs) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.JisToSjis("\x1B$@\x30\x21\x1B(Jab"), "\x88\x9F" "ab");
  // CR LF inside a kanji run stay, and so does kanji mode.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\x21\r\n\x30\x21\x1B(B"), "\x88\x9F\r\n\x88\x9F");
}

TEST(JisToSjis, KanaBySoSiOrEscape) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.JisToSjis("\x0E\x31\x0F"), "\xB1");
  EXPECT_EQ(conv.JisToSjis("\x1B(I\x31\x1B(B\x31"), "\xB1\x31");
  // Only 0x21-0x5F are kana; 0x60 and the space stay as they are.
  EXPECT_EQ(conv.JisToSjis("\x0E\x5F\x60 "), "\xDF\x60 ");
  // SO leaves kanji mode.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x0E\x31\x32"), "\xB1\xB2");
}

TEST(JisToSjis, EightBitInputIsReadAsSevenBit) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.JisToSjis("\xB1"), "\x31");
  // ESC $ B written with high bits set still switches.
  EXPECT_EQ(conv.JisToSjis("\x9B\xA4\xC2\x30\x21"), "\x88\x9F");
  // The second byte of a pair is taken unmasked: 0x30 0xA1 is d = 1538.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x30\xA1"), "\x89\x62");
  // ... unless an ESC just before masked it.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x1B\x30\xA1"), "\x1B\x88\x9F");
}

TEST(JisToSjis, UnknownEscapeIsKept) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.JisToSjis("\x1B$(D"), "\x1B$(D");
  EXPECT_EQ(conv.JisToSjis("a\x1B"), "a\x1B");
  EXPECT_EQ(conv.JisToSjis("\x1B("), "\x1B(");
  // In kanji mode the bytes after the ESC pair up: "$(" is d = 289, then
  // 'D' is cut short by the end.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x1B$(D"), "\x1B\x82\xA6\x92");
}

TEST(JisToSjis, NulOrEndCutsTheText) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.JisToSjis(std::string("ab\0cd", 5)), "ab");
  // A pair cut short gives the lead computed with a zero second byte.
  EXPECT_EQ(conv.JisToSjis("\x1B$B\x30"), "\x88");
  EXPECT_EQ(conv.JisToSjis(std::string("\x1B$B\x30\0\x21", 6)), "\x88");
  EXPECT_EQ(conv.JisToSjis(""), "");
}

TEST(JisToSjis, ModesDoNotLeakIntoTheNextCall) {
  const TAutoSjisConv conv;
  conv.JisToSjis("\x1B$B");
  EXPECT_EQ(conv.JisToSjis("\x30\x21"), "\x30\x21");
}

TEST(EucToSjis, PairsAndKana) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.EucToSjis("\x8E\xB1" "a"), "\xB1" "a");
  EXPECT_EQ(conv.EucToSjis("\x1B(I\x31\x1B(J\x31"), "\xB1\x31");
  EXPECT_EQ(conv.EucToSjis("\x0E\x31\xB0\x0F\x31"), "\xB1\xB0\x31");
}

TEST(EucToSjis, OddBytesLoseTheirHighBit) {
  const TAutoSjisConv conv;
  // SS2 before a non-kana byte, SS3 before anything but a pair.
  EXPECT_EQ(conv.EucToSjis("\x8E\x41"), "\x0E\x41");
  EXPECT_EQ(conv.EucToSjis("\x8F\x41"), "\x0F\x41");
  EXPECT_EQ(conv.EucToSjis("\x80\xA0\xFF"), std::string("\x00\x20\x7F", 3));
  EXPECT_EQ(conv.EucToSjis("\x8E"), "\x0E");
}

// JIS X 0212 has no Shift-JIS form: it used to come out as a control byte
// and a wrong kanji, saved as such.
TEST(EucToSjis, AJisX0212CharacterBecomesACountedQuestionMark) {
  const TAutoSjisConv conv;
  std::size_t replaced = 0;
  EXPECT_EQ(conv.EucToSjis("a\x8F\xB0\xA1\xB0\xA1\x8F\xF3\xF3", &replaced), "a?\x88\x9F?");
  EXPECT_EQ(replaced, 2u);
  EXPECT_EQ(conv.EucToSjis("\x8F\xB0"), "\x0F\x88");  // cut short: byte by byte
}

TEST(EucToSjis, NulOrEndCutsTheText) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.EucToSjis(std::string("\xB0\xA1\0\xB0\xA1", 5)), "\x88\x9F");
  EXPECT_EQ(conv.EucToSjis("\xB0"), "\x88");
  EXPECT_EQ(conv.EucToSjis(std::string("\xB0\0", 2)), "\x88");
}

TEST(SjisToJis, EscapesWrapKanjiRunsOnly) {
  const TAutoSjisConv conv;
  EXPECT_EQ(conv.SjisToJis("a"), "a");
  EXPECT_EQ(conv.SjisToJis("\xB1"), "\xB1");
  EXPECT_EQ(conv.SjisToJis("\x88\x9F\x88\x9F\r\n\x88\x9F"),
            "\x1B$B\x30\x21\x30\x21\x1B(B\r\n\x1B$B\x30\x21\x1B(B");
}

// The sample: 髙 (0xFB 0xFC, an IBM extension) used to come out as
// ESC $ B 16 7E, and every character after it shifted by a byte.
TEST(SjisToJis, IbmExtensionsAreWrittenAsTheirNecSelectedTwins) {
  const TAutoSjisConv conv;
  const std::string text = Sj(u"髙橋さん、こんにちは。");
  ASSERT_EQ(text.substr(0, 2), "\xFB\xFC");
  std::size_t replaced = 99;
  const std::string jis = conv.SjisToJis(text, &replaced);
  EXPECT_EQ(replaced, 0u);
  EXPECT_EQ(jis.substr(0, 5), "\x1B$B\x7C\x62");  // 0xEE 0xE0, the same 髙
  EXPECT_EQ(cp932::ToUtf16(conv.JisToSjis(jis)), u"髙橋さん、こんにちは。");
  // The NEC special characters and JIS X 0208 symbols that IBM repeats.
  EXPECT_EQ(conv.SjisToJis("\xFA\x4A\xFA\x54"), conv.SjisToJis("\x87\x54\x81\xCA"));  // Ⅰ ¬
}

TEST(SjisToJis, WhatHasNoSevenBitFormBecomesAQuestionMark) {
  const TAutoSjisConv conv;
  std::size_t replaced = 0;
  // A user-defined character, and unused codes of lead 0xFC.
  EXPECT_EQ(conv.SjisToJis("\x88\x9F\xF0\x40\x88\x9F", &replaced),
            "\x1B$B\x30\x21\x1B(B?\x1B$B\x30\x21\x1B(B");
  EXPECT_EQ(replaced, 1u);
  EXPECT_EQ(conv.SjisToJis("\xFC\xFC\xF9\xFC", &replaced), "??");
  EXPECT_EQ(replaced, 2u);
  // A lead byte without its trail: the line end after it stays a line end.
  EXPECT_EQ(conv.SjisToJis("\x88\r\n\x88\x9F\x88", &replaced), "?\r\n\x1B$B\x30\x21\x1B(B?");
  EXPECT_EQ(replaced, 2u);
}

// Every lead byte with every trail byte, followed by a letter: the output is
// 7-bit inside ESC $ B, JIS X 0208 characters come out as iconv writes
// them, our reader brings back each character written, and the letter after
// it is never touched.
TEST(SjisToJis, EveryTwoByteCodeIsSevenBitOrAQuestionMark) {
  const TAutoSjisConv conv;
  IconvOracle jisX0208("SHIFT_JIS");
  IconvOracle iso2022("ISO-2022-JP");
  int asIconv = 0, twins = 0, questionMarks = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!sjis::IsLeadByte(lead) || !sjis::IsTrailByte(trail)) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      std::size_t replaced = 99;
      const std::string jis = conv.SjisToJis(code + "a", &replaced);
      if (replaced == 1) {
        ++questionMarks;
        EXPECT_EQ(jis, "?a");
        EXPECT_GE(lead, 0xF0u) << std::hex << lead << ' ' << trail;
        continue;
      }
      ASSERT_EQ(replaced, 0u);
      ASSERT_EQ(jis.size(), 9u) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(jis.substr(0, 3), "\x1B$B");
      EXPECT_EQ(jis.substr(5), "\x1B(Ba");
      for (const char b : jis.substr(3, 2)) EXPECT_TRUE(b >= 0x21 && b <= 0x7E) << std::hex << lead << ' ' << trail;

      const std::optional<std::u16string> u = jisX0208.Decode(code);
      const std::optional<std::string> expected = u ? iso2022.Encode(*u) : std::nullopt;
      if (expected) {
        ++asIconv;
        EXPECT_EQ(jis, *expected + "a") << std::hex << lead << ' ' << trail;
      }
      const std::string back = conv.JisToSjis(jis);
      if (back == code + "a") continue;
      ++twins;
      EXPECT_GE(lead, 0xFAu) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(cp932::ToUtf16(back), cp932::ToUtf16(code + "a")) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_EQ(asIconv, 6879);          // every character of JIS X 0208
  EXPECT_EQ(twins, 388);             // every IBM extension, 0xFA40-0xFC4B
  EXPECT_EQ(questionMarks, 10 * 188 + 176);  // leads 0xF0-0xF9, and 0xFC4C-0xFCFC
}

TEST(SjisConvTable, EveryJisX0208CharacterAgreesWithIconv) {
  const TAutoSjisConv conv;
  IconvOracle jis("ISO-2022-JP");
  IconvOracle euc("EUC-JP");
  IconvOracle cp932("CP932");
  int defined = 0;
  for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
    for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
      const std::string jisText = JisKanji(j1, j2);
      const std::optional<std::u16string> unicode = jis.Decode(jisText);
      if (!unicode) continue;
      ++defined;
      const std::string eucText{static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
      ASSERT_EQ(euc.Decode(eucText), unicode);
      const std::optional<std::string> sjis = cp932.Encode(*unicode);
      ASSERT_TRUE(sjis) << std::hex << j1 << ' ' << j2;
      EXPECT_EQ(conv.JisToSjis(jisText), *sjis) << std::hex << j1 << ' ' << j2;
      EXPECT_EQ(conv.EucToSjis(eucText), *sjis) << std::hex << j1 << ' ' << j2;
      EXPECT_EQ(conv.SjisToJis(*sjis), jis.Encode(*unicode)) << std::hex << j1 << ' ' << j2;
    }
  }
  EXPECT_EQ(defined, 6879);  // every character of JIS X 0208
}

TEST(SjisConvTable, ArithmeticIsItsOwnInverseOnEveryRowAndCell) {
  const TAutoSjisConv conv;
  for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
    for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
      const std::string jisText = JisKanji(j1, j2);
      EXPECT_EQ(conv.SjisToJis(conv.JisToSjis(jisText)), jisText) << std::hex << j1 << ' ' << j2;
    }
  }
}
