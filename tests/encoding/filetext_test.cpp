#include "encoding/filetext.h"

#include <gtest/gtest.h>

#include <string>

#include "sjliteral.h"

// A mark is no text: it used to come back as "?" and be counted.
TEST(DecodeText, ALeadingByteOrderMarkIsSkippedAndRemembered) {
  TDecodedText d = DecodeText("\xEF\xBB\xBF" "a\xE3\x81\x82", TEncoding::Utf8, true);
  EXPECT_EQ(d.Text, "a\x82\xA0");
  EXPECT_TRUE(d.Bom);
  EXPECT_EQ(d.Replaced, 0u);
  d = DecodeText(Bytes("\xFF\xFE" "a\0", 4), TEncoding::Ucs2, true);
  EXPECT_EQ(d.Text, "a");
  EXPECT_TRUE(d.Bom);
  // A mark alone is an empty text, not malformed UTF-8.
  d = DecodeText("\xEF\xBB\xBF", TEncoding::Utf8, true);
  EXPECT_EQ(d.Text, "");
  EXPECT_FALSE(d.Malformed);
  // Only at the start, and only the mark of the encoding read.
  d = DecodeText("a\xEF\xBB\xBF", TEncoding::Utf8, true);
  EXPECT_EQ(d.Text, "a?");
  EXPECT_FALSE(d.Bom);
  EXPECT_FALSE(DecodeText("\xFF\xFE", TEncoding::ShiftJis, true).Bom);
}

TEST(DecodeText, ANulEndsTheTextAndSaysSo) {
  for (const TEncoding e : {TEncoding::ShiftJis, TEncoding::Jis, TEncoding::Euc, TEncoding::Utf8}) {
    const TDecodedText d = DecodeText(Bytes("ab\0cd", 5), e, true);
    EXPECT_EQ(d.Text, "ab");
    EXPECT_TRUE(d.CutAtNul);
    EXPECT_FALSE(DecodeText("abcd", e, true).CutAtNul);
  }
  // A NUL as the very last byte still ends the text early: it is lost.
  EXPECT_TRUE(DecodeText(Bytes("ab\0", 3), TEncoding::ShiftJis, true).CutAtNul);
  // UCS-2: a zero unit, not a zero byte inside a unit.
  TDecodedText d = DecodeText(Bytes("\x42\x30\x00\x30", 4), TEncoding::Ucs2, true);
  EXPECT_FALSE(d.CutAtNul);
  d = DecodeText(Bytes("a\0\0\0b\0", 6), TEncoding::Ucs2, false);
  EXPECT_EQ(d.Text, "a");
  EXPECT_TRUE(d.CutAtNul);
  // A converter keeps Shift-JIS and UTF-8 NULs as characters.
  d = DecodeText(Bytes("a\0b", 3), TEncoding::Utf8, false);
  EXPECT_EQ(d.Text, Bytes("a\0b", 3));
  EXPECT_FALSE(d.CutAtNul);
  EXPECT_TRUE(DecodeText(Bytes("a\0b", 3), TEncoding::Jis, false).CutAtNul);
}

TEST(DecodeText, MalformedUtf8IsToldApartFromEmptyText) {
  EXPECT_TRUE(DecodeText("\xC0\x80", TEncoding::Utf8, true).Malformed);
  EXPECT_FALSE(DecodeText("", TEncoding::Utf8, true).Malformed);
  // What follows a NUL is never read, valid or not.
  EXPECT_FALSE(DecodeText(Bytes("a\0\xFF", 3), TEncoding::Utf8, true).Malformed);
}

TEST(EncodeText, TheMarkIsWrittenOnRequestAndLossesCounted) {
  EXPECT_EQ(EncodeText("a", TEncoding::Utf8, true).Bytes, "\xEF\xBB\xBF" "a");
  EXPECT_EQ(EncodeText("a", TEncoding::Ucs2, true).Bytes, Bytes("\xFF\xFE" "a\0", 4));
  EXPECT_EQ(EncodeText("a", TEncoding::Ucs2, false).Bytes, Bytes("a\0", 2));
  EXPECT_EQ(EncodeText("a", TEncoding::Jis, true).Bytes, "a");
  EXPECT_EQ(EncodeText("\xF0\x40", TEncoding::Jis, false).Lost, 1u);
  const TEncodedText utf8 = EncodeText("a\x88", TEncoding::Utf8, false);
  EXPECT_EQ(utf8.Bytes, "a\xEF\xBF\xBD");
  EXPECT_EQ(utf8.Lost, 1u);
}

TEST(LineEnds, TheStyleMostLinesUseWinsAndTiesGoToCrLf) {
  EXPECT_EQ(MostUsedLineEnd("a\nb\nc"), TLineEnd::Lf);
  EXPECT_EQ(MostUsedLineEnd("a\rb\r"), TLineEnd::Cr);
  EXPECT_EQ(MostUsedLineEnd("a\r\nb\nc\nd\r\ne\n"), TLineEnd::Lf);
  EXPECT_EQ(MostUsedLineEnd("a\r\nb\nc"), TLineEnd::CrLf);
  EXPECT_EQ(MostUsedLineEnd("a\nb\rc"), TLineEnd::Lf);
  EXPECT_EQ(MostUsedLineEnd("no line end"), TLineEnd::CrLf);
  EXPECT_EQ(MostUsedLineEnd(""), TLineEnd::CrLf);
  // Paired as the loader pairs them: LF CR is one line end of no style, and
  // CR CR two CRs.
  EXPECT_EQ(MostUsedLineEnd("a\n\rb\n\rc\nd"), TLineEnd::Lf);
  EXPECT_EQ(MostUsedLineEnd("a\r\rb\r\nc"), TLineEnd::Cr);
  EXPECT_EQ(MostUsedLineEnd("a\n\r\nb\nc"), TLineEnd::Lf);  // LF CR, then two LFs
  // A Shift-JIS trail byte is never a line end: 0x0A and 0x0D are below 0x40.
  EXPECT_EQ(MostUsedLineEnd("\x82\xA0\n\x95\x5C\n"), TLineEnd::Lf);
}

TEST(LineEnds, EveryCrLfIsWrittenInTheStyle) {
  EXPECT_EQ(WithLineEnds("a\r\n\r\nb\r\n", TLineEnd::Lf), "a\n\nb\n");
  EXPECT_EQ(WithLineEnds("a\r\n\r\nb\r\n", TLineEnd::Cr), "a\r\rb\r");
  EXPECT_EQ(WithLineEnds("a\r\nb", TLineEnd::CrLf), "a\r\nb");
  EXPECT_EQ(WithLineEnds("", TLineEnd::Lf), "");
}
