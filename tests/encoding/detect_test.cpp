#include "encoding/detect.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "encoding/filetext.h"
#include "japanesetext.h"
#include "sjliteral.h"

namespace {

std::string Repeated(const std::string& text, std::size_t size) {
  std::string out;
  while (out.size() < size) out += text;
  return out;
}

const std::string kProse = Sj(u"日本語の文章です。「テキスト」を保存しました。\r\n");

TEST(Detect, EmptyShortAndPlainText) {
  EXPECT_EQ(DetectEncoding(""), TDetected::Ascii);
  EXPECT_EQ(DetectEncoding("a"), TDetected::Ascii);
  EXPECT_EQ(DetectEncoding("plain\r\ntext\twith tabs\f"), TDetected::Ascii);
  EXPECT_EQ(DetectEncoding("\x82\xA0"), TDetected::ShiftJis);  // あ
  EXPECT_EQ(DetectEncoding("\x82"), TDetected::ShiftJis);      // a lead byte cut short
  EXPECT_EQ(DetectEncoding("\xB1\xB2\xB3"), TDetected::ShiftJis);  // ｱｲｳ
  EXPECT_EQ(DetectEncoding("\xA4\xA2\xA4\xA4"), TDetected::Euc);     // あい
  EXPECT_EQ(DetectEncoding("\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86"), TDetected::Utf8);  // あいう
}

TEST(Detect, AByteOrderMarkDecides) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"), TDetected::Utf8);
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF" + kProse), TDetected::Utf8);
  EXPECT_EQ(DetectEncoding(Bytes("\xFF\xFE" "a\0", 4)), TDetected::Ucs2);
}

TEST(Detect, JisIsSevenBitWithEscapesAndRawHalfWidthKatakana) {
  EXPECT_EQ(DetectEncoding("\x1B$B$\"\x1B(B"), TDetected::Jis);
  EXPECT_EQ(DetectEncoding("old \x1B$@0!\x1B(J text"), TDetected::Jis);
  EXPECT_EQ(DetectEncoding("\x1B$B%F\x1B(B \xB1\xB2"), TDetected::Jis);  // テ ｱｲ
  // Switching to ASCII only, or a terminal's colour, is no JIS.
  EXPECT_EQ(DetectEncoding("a\x1B(Bb"), TDetected::Ascii);
  EXPECT_EQ(DetectEncoding("\x1B[31mred\x1B[0m"), TDetected::Ascii);
  // Shift-JIS beside an escape is still Shift-JIS.
  EXPECT_EQ(DetectEncoding("\x1B$B" + kProse), TDetected::ShiftJis);
}

TEST(Detect, Ucs2WithAndWithoutZeroBytes) {
  EXPECT_EQ(DetectEncoding(EncodeText(kProse, TEncoding::Ucs2, false).Bytes), TDetected::Ucs2);
  EXPECT_EQ(DetectEncoding(EncodeText("English only\r\n", TEncoding::Ucs2, false).Bytes), TDetected::Ucs2);
  // Kanji and kana only: no unit has a zero byte.
  const std::string noZero = EncodeText(Repeated(Sj(u"漢字と仮名だけの文章"), 300), TEncoding::Ucs2, false).Bytes;
  ASSERT_EQ(noZero.find('\0'), std::string::npos);
  EXPECT_EQ(DetectEncoding(noZero), TDetected::Ucs2);
  // Big-endian is no encoding the editor reads.
  std::string bigEndian = EncodeText(kProse, TEncoding::Ucs2, false).Bytes;
  for (std::size_t i = 0; i + 1 < bigEndian.size(); i += 2) std::swap(bigEndian[i], bigEndian[i + 1]);
  EXPECT_EQ(DetectEncoding(bigEndian), TDetected::Binary);
}

TEST(Detect, BinaryIsNoText) {
  EXPECT_EQ(DetectEncoding(Bytes("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20)), TDetected::Binary);
  EXPECT_EQ(DetectEncoding("a\x01\x02\x03\x04 b"), TDetected::Binary);
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  EXPECT_EQ(DetectEncoding(noise), TDetected::Binary);
  // Shift-JIS with one stray byte stays Shift-JIS.
  EXPECT_EQ(DetectEncoding(Repeated(kProse, 2000) + "\xFF"), TDetected::ShiftJis);
}

// Text that is valid in two encodings goes to the one it reads better in;
// Shift-JIS wins every doubt.
TEST(Detect, AmbiguousBytesResolveToTheBetterReading) {
  // ﾃｽ is also UTF-8 for ý; ｱ｢ also EUC-JP for a kanji.
  EXPECT_EQ(DetectEncoding("test \xC3\xBD\r\n"), TDetected::ShiftJis);
  EXPECT_EQ(DetectEncoding("\xB1\xA2"), TDetected::ShiftJis);
  // UTF-8 for é is ﾃｩ: here too Shift-JIS wins.
  EXPECT_EQ(DetectEncoding("caf\xC3\xA9"), TDetected::ShiftJis);
  // à ends in 0xA0, which is no Shift-JIS.
  EXPECT_EQ(DetectEncoding("voil\xC3\xA0"), TDetected::Utf8);
}

TEST(Detect, LargeInputsAreSampledAcrossTheirWhole) {
  const std::string euc = EncodedAs(kProse, TDetected::Euc).value();
  // ASCII beyond the head, then EUC-JP.
  EXPECT_EQ(DetectEncoding(std::string(300 << 10, 'a') + Repeated(euc, 3 << 20)), TDetected::Euc);
  const std::string sjis = Repeated(kProse + Sj(u"ｶﾀｶﾅ ﾃﾞｰﾀ\r\n"), 3 << 20);
  EXPECT_EQ(DetectEncoding(sjis), TDetected::ShiftJis);
  EXPECT_EQ(DetectEncoding(EncodedAs(sjis, TDetected::Utf8).value()), TDetected::Utf8);
  EXPECT_EQ(DetectEncoding(EncodedAs(sjis, TDetected::Ucs2).value()), TDetected::Ucs2);
  EXPECT_EQ(DetectEncoding(EncodedAs(sjis, TDetected::Jis).value()), TDetected::Jis);
  // One line of 2 MB: no window but the head starts on a character.
  EXPECT_EQ(DetectEncoding(Repeated(Sj(u"長い行"), 2 << 20)), TDetected::ShiftJis);
}

// The measure asked of the detector, on a smaller draw than the benchmark's.
TEST(Detect, NamesTheEncodingOfJapaneseTextsAndNeverMistakesShiftJis) {
  std::mt19937 random(14);
  TDetectionTally tally;
  tally.Measure(CorpusPieces(ZIB_CORPUS_DIR, random, 600, TTextSize{}));
  tally.Measure(GeneratedTexts(random, 1000, 200, 10));
  std::string someMisses;
  for (std::size_t i = 0; i < tally.misses.size() && i < 5; ++i) someMisses += "\n" + tally.misses[i];
  for (const TDetected encoding : kTextEncodings) {
    EXPECT_GE(tally.Of(encoding).texts, 1400u) << DetectedName(encoding);
    EXPECT_GE(tally.RecallPercent(encoding), 99.9) << DetectedName(encoding) << someMisses;
  }
  EXPECT_EQ(tally.Of(TDetected::ShiftJis).right, tally.Of(TDetected::ShiftJis).texts) << someMisses;
}

// With a character or two of Japanese among ASCII, EUC-JP and Shift-JIS
// may be the same bytes read two ways: then no other encoding is named.
TEST(Detect, TextsWithLittleJapaneseGetNoWrongSuggestion) {
  std::mt19937 random(15);
  TDetectionTally tally;
  tally.Measure(CorpusPieces(ZIB_CORPUS_DIR, random, 300, TTextSize{200, 1, 9}));
  tally.Measure(CorpusPieces(ZIB_CORPUS_DIR, random, 100, TTextSize{200, 0, 0}));
  for (const TDetected answer : {TDetected::Jis, TDetected::Euc, TDetected::Utf8, TDetected::Ucs2}) {
    EXPECT_EQ(tally.Of(answer).wrongAnswers, 0u) << DetectedName(answer);
  }
  EXPECT_EQ(tally.Of(TDetected::ShiftJis).right, tally.Of(TDetected::ShiftJis).texts);
  EXPECT_EQ(tally.Of(TDetected::Ascii).right, tally.Of(TDetected::Ascii).texts);
  EXPECT_GE(tally.Of(TDetected::Ascii).texts, 400u);
}

}  // namespace
