// Finding the dates of a text and writing them in another notation.
#include "app/datenotation.h"

#include <gtest/gtest.h>

#include "../encoding/sjliteral.h"

namespace {

std::string Convert(std::u16string_view text, std::u16string_view pattern) {
  return ConvertDateNotation(Sj(text), Sj(pattern));
}

TEST(DateNotation, EveryOccurrenceOfADate) {
  EXPECT_EQ(Convert(u"2006/7/6", u"yyyy年mm月dd日"), Sj(u"2006年07月06日"));
  EXPECT_EQ(Convert(u"発売 2006/7/6、再版 2006/7/6。", u"yyyy年mm月dd日"),
            Sj(u"発売 2006年07月06日、再版 2006年07月06日。"));
  EXPECT_EQ(Convert(u"2006.7.6\r\n2007/1/2", u"yyyy/mm/dd"), "2006/07/06\r\n2007/01/02");
}

TEST(DateNotation, YearsMonthsAndEras) {
  EXPECT_EQ(Convert(u"7/6です", u"yyyy年m月d日"), Sj(u"7月6日です"));
  EXPECT_EQ(Convert(u"2006/7", u"年号y年m月d日"), Sj(u"平成18年7月"));
  EXPECT_EQ(Convert(u"H.18/7", u"yyyy/m/d"), Sj(u"H.18/7"));  // no "年" says which is the era year
  EXPECT_EQ(Convert(u"平成18年7月の", u"yyyy/mm/dd"), Sj(u"2006/07の"));
  EXPECT_EQ(Convert(u"h.18年 と H.18年", u"yyyy年m月d日"), Sj(u"2006年 と 2006年"));
  // "？" is 81 48: its second byte is no "H".
  EXPECT_EQ(Convert(u"H.18年 ？.18年", u"yyyy年m月d日"), Sj(u"2006年 ？.18年"));
  // Full-width digits read as digits.
  EXPECT_EQ(Convert(u"２００６年７月", u"yyyy/m/d"), "2006/7");
}

// The new notation writes its own marks: the "年", "月" or "日" that closes a
// date goes with it instead of being written twice.
TEST(DateNotation, ClosingMarksAreNotDoubled) {
  EXPECT_EQ(Convert(u"2006年7月6日に", u"yyyy年mm月dd日"), Sj(u"2006年07月06日に"));
  EXPECT_EQ(Convert(u"2006年7月6日に", u"yyyy/m/d"), Sj(u"2006/7/6に"));
  EXPECT_EQ(Convert(u"7月6日", u"yyyy/mm/dd"), "07/06");
  EXPECT_EQ(Convert(u"2006年です", u"yyyy/m/d"), Sj(u"2006です"));
  EXPECT_EQ(Convert(u"2006年7月", u"yyyy/mm/dd"), "2006/07");  // ending the text
}

TEST(DateNotation, TextThatIsNoDateStays) {
  for (const std::u16string_view text : {u"12", u"1999/13/40", u"第12章", u"", u"年月", u"a/b"}) {
    EXPECT_EQ(Convert(text, u"yyyy年mm月dd日"), Sj(text)) << Sj(text);
  }
}

// A date whose new text was produced before is left alone: "2006.7.6"
// would give "2006/07/06" a second time.
TEST(DateNotation, EachNewTextOnce) {
  EXPECT_EQ(Convert(u"2006/7/6 2006/07/06 2006.7.6", u"yyyy/mm/dd"), "2006/07/06 2006/07/06 2006.7.6");
}

}  // namespace
