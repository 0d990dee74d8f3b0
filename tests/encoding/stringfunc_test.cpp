#include "encoding/stringfunc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sjliteral.h"

using namespace stringfunc;

TEST(CharLength, CountsEachCharacterOnce) {
  EXPECT_EQ(CharLength(Sj(u"aあ")), 2u);
  EXPECT_EQ(CharLength(Sj(u"ｶﾞ")), 2u);  // half-width kana are one byte each
  EXPECT_EQ(CharLength(""), 0u);
  EXPECT_EQ(CharLength("a\x82"), 2u);  // a lead byte at the end stands alone
}

TEST(ConsistsOf, ComparesWholeCharacters) {
  EXPECT_TRUE(ConsistsOf("", "0123456789"));
  EXPECT_TRUE(ConsistsOf("2006", "0123456789"));
  EXPECT_FALSE(ConsistsOf("2O06", "0123456789"));
  EXPECT_TRUE(ConsistsOf(Sj(u"ソアソ"), Sj(u"アソ")));
  // "ソ" is 0x83 0x5C: its trail byte is no backslash, nor its lead byte a character.
  EXPECT_FALSE(ConsistsOf("\\", Sj(u"ソ")));
  EXPECT_FALSE(ConsistsOf("\x83", Sj(u"ソ")));
  EXPECT_FALSE(ConsistsOf(Sj(u"ソ"), "\\\x83"));
  EXPECT_FALSE(ConsistsOf("a", "A"));
}

TEST(ConsistsOfText, IgnoresLetterCase) {
  EXPECT_TRUE(ConsistsOfText("ABcd", "abcd"));
  EXPECT_TRUE(ConsistsOfText("ff", "0123456789ABCDEF"));
  EXPECT_TRUE(ConsistsOfText(Sj(u"ａＢ"), Sj(u"ＡＢ")));
  EXPECT_TRUE(ConsistsOfText(Sj(u"ωЖё"), Sj(u"ΩжЁ")));
  EXPECT_FALSE(ConsistsOfText("abx", "abcd"));
  EXPECT_FALSE(ConsistsOfText("", "abcd"));
}

TEST(ConsistsOfText, WantsMoreThanBlanksWhenSpacesAreAllowed) {
  EXPECT_FALSE(ConsistsOfText("  ", " abcd"));
  EXPECT_TRUE(ConsistsOfText("a b", " abcd"));
  EXPECT_FALSE(ConsistsOfText(Sj(u"　\r\n "), Sj(u"　\r\nab ")));
  EXPECT_TRUE(ConsistsOfText(Sj(u"　a"), Sj(u"　ab")));
  // Without a space among the allowed characters blanks may stand alone.
  EXPECT_TRUE(ConsistsOfText("\r\n", "\r\n"));
}

TEST(RemoveBlankLines, RemovesEveryBlankEntryInPlace) {
  std::vector<std::string> list{"a", "", " \t", "\r", "b", " c ", ""};
  EXPECT_TRUE(RemoveBlankLines(&list));
  EXPECT_EQ(list, (std::vector<std::string>{"a", "b", " c "}));
  EXPECT_FALSE(RemoveBlankLines(nullptr));
}

TEST(Binary, WritesGroupsOfFourMostSignificantFirst) {
  EXPECT_EQ(LongToBin(5), "0000 0000 0000 0000 0000 0000 0000 0101");
  EXPECT_EQ(LongToBin(0x12345678), "0001 0010 0011 0100 0101 0110 0111 1000");
  EXPECT_EQ(LongToBin(0xFFFFFFFF), "1111 1111 1111 1111 1111 1111 1111 1111");
  EXPECT_EQ(WordToBin(0xABCD1234), "0001 0010 0011 0100");
  EXPECT_EQ(ByteToBin(0x1A5), "1010 0101");
  EXPECT_EQ(NibbleToBin(0x1C), "1100");
}

TEST(HexToDec, ReadsSignsPrefixesAndFullWidthDigits) {
  EXPECT_EQ(HexToDec("$1F"), "31");
  EXPECT_EQ(HexToDec("-ff"), "-255");
  EXPECT_EQ(HexToDec("#FF"), "255");
  EXPECT_EQ(HexToDec("$ff"), "255");
  EXPECT_EQ(HexToDec(Sj(u"ＦＦ")), "255");
  EXPECT_EQ(HexToDec(Sj(u"＄１ｆ")), "31");
  EXPECT_EQ(HexToDec(" 1f "), "31");
  EXPECT_EQ(HexToDec("- 1F"), "-31");
  EXPECT_EQ(HexToDec("0"), "0");
}

TEST(HexToDec, LeavesOtherTextUnchanged) {
  for (const std::string text : {"xyz", "", "$", "#-", "1 F", "0x1F", "1F\x82", "1-F"}) {
    EXPECT_EQ(HexToDec(text), text);
  }
  EXPECT_EQ(HexToDec(Sj(u"ＦＧ")), Sj(u"ＦＧ"));  // the input, not its half-width form
}

TEST(HexToDec, KeepsTheLow32BitsAsASignedNumber) {
  EXPECT_EQ(HexToDec("7FFFFFFF"), "2147483647");
  EXPECT_EQ(HexToDec("FFFFFFFF"), "-1");
  EXPECT_EQ(HexToDec("80000000"), "-2147483648");
  EXPECT_EQ(HexToDec("100000000"), "0");
  EXPECT_EQ(HexToDec("1FFFFFFFF"), "-1");
  EXPECT_EQ(HexToDec(std::string(300, 'F')), "-1");
  // A sign before a negative value negates it instead of writing "--".
  EXPECT_EQ(HexToDec("-FFFFFFFF"), "1");
  EXPECT_EQ(HexToDec("-80000000"), "2147483648");
}

TEST(SplitLineEnd, SeparatesTheTrailingLineEnd) {
  struct Case {
    std::string text, lineEnd, body;
  };
  const Case cases[] = {
      {"abc\r", "\r", "abc"},     {"abc\n", "\n", "abc"},     {"abc\n\r", "\n\r", "abc"},
      {"abc\r\n", "\r\n", "abc"}, {"abc\r\r", "\r\r", "abc"}, {"abc\n\n", "\n", "abc\n"},
      {"abc", "", "abc"},         {"", "", ""},               {"\n", "\n", ""},
      // A line end before the last character belongs to the body.
      {"ab\nc", "", "ab\nc"},     {"ab\rc", "", "ab\rc"},
  };
  for (const Case& c : cases) {
    const auto [lineEnd, body] = SplitLineEnd(c.text);
    EXPECT_EQ(lineEnd, c.lineEnd) << c.text;
    EXPECT_EQ(body, c.body) << c.text;
  }
}

TEST(ReplaceHead, ReplacesTheFirstCharactersAndKeepsTheLineEnd) {
  EXPECT_EQ(ReplaceHead("abcdef\r", 2, "P"), "Pcdef\r");
  EXPECT_EQ(ReplaceHead("abcdef\r", 5, "P"), "Pf\r");
  EXPECT_EQ(ReplaceHead("abcdef\r", 0, "P"), "Pabcdef\r");
  EXPECT_EQ(ReplaceHead("abcd", 2, ">"), ">cd");
  EXPECT_EQ(ReplaceHead("abcd", 2, ""), "cd");
  EXPECT_EQ(ReplaceHead("abcd\n", 2, ">"), ">cd\n");
  EXPECT_EQ(ReplaceHead("abcd\r\n", 2, ">"), ">cd\r\n");
  EXPECT_EQ(ReplaceHead("abcd\n\r", 3, ">"), ">d\n\r");
  EXPECT_EQ(ReplaceHead(Sj(u"あいう\r"), 1, "P"), Sj(u"Pいう\r"));
  EXPECT_EQ(ReplaceHead("abc", -1, "P"), "Pabc");
}

TEST(ReplaceHead, ShortRowsBecomePrefixAndLineEnd) {
  EXPECT_EQ(ReplaceHead("abcdef\r", 10, "P"), "P\r");
  EXPECT_EQ(ReplaceHead("abcdef\r", 6, "P"), "P\r");
  EXPECT_EQ(ReplaceHead("abcd", 4, ">"), ">");
  EXPECT_EQ(ReplaceHead("abcd\r\n", 4, ">"), ">\r\n");
  EXPECT_EQ(ReplaceHead("ab\n\r", 5, ">"), ">\n\r");
  EXPECT_EQ(ReplaceHead(Sj(u"あいう"), 3, "P"), "P");
  EXPECT_EQ(ReplaceHead("", 0, "P"), "P");
}
