#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "encoding/stringfunc.h"
#include "sjliteral.h"

using namespace stringfunc;

namespace {

void ExpectConversions(std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> cases) {
  for (const auto& [from, to] : cases) {
    EXPECT_EQ(ConvertEraYear(Sj(from)), Sj(to)) << Sj(from);
  }
}

}  // namespace

TEST(ConvertEraYear, WesternYearsAtTheEraBoundaries) {
  ExpectConversions({
      {u"1867", u"1867"},     {u"1868", u"明治1"},   {u"1911", u"明治44"},
      {u"1912", u"大正1"},    {u"1925", u"大正14"},  {u"1926", u"昭和1"},
      {u"1988", u"昭和63"},   {u"1989", u"平成1"},   {u"9999", u"平成8011"},
      {u"10000", u"10000"},  // five characters are never a Western year
      {u"0", u"0"},
  });
}

TEST(ConvertEraYear, KeepsTheYearMarkAndReadsFullWidth) {
  ExpectConversions({
      {u"2006年", u"平成18年"},
      {u"２００６年", u"平成18年"},
      {u" 1989 ", u"平成1"},
      {u"2006年度", u"2006年度"},  // "年" not last: no suffix, and "度" is no digit
  });
}

TEST(ConvertEraYear, EraYearsBackToWestern) {
  ExpectConversions({
      {u"平成18年", u"2006年"}, {u"H.18", u"2006"},    {u"h.18", u"2006"},
      {u"明治1", u"1868"},      {u"大正14", u"1925"},  {u"S.1", u"1926"},
      {u"平成１８年", u"2006年"}, {u"M. 45", u"1912"},
      {u"昭和64", u"1989"},  // an era year past the era's end still counts
  });
}

TEST(ConvertEraYear, LeavesOtherTextUnchanged) {
  for (const std::u16string_view text :
       {u"平成100", u"令和1", u"平成", u"平成元年", u"abc", u"", u"年", u"X.18", u"H.1.8"}) {
    EXPECT_EQ(ConvertEraYear(Sj(text)), Sj(text));
  }
}

TEST(HasEraName, FindsEraNamesAndLatinForms) {
  for (const std::u16string_view text : {u"平成18", u"h.18", u"S.", u"明治", u"abc大正", u"昭和"}) {
    EXPECT_TRUE(HasEraName(Sj(text))) << Sj(text);
  }
  for (const std::u16string_view text : {u"", u"   ", u"2006", u"H18", u"HS"}) {
    EXPECT_FALSE(HasEraName(Sj(text))) << Sj(text);
  }
  // "兜ｽ成" is 8A 95 BD 90 AC: "平成" (95 BD 90 AC) only across a character boundary.
  EXPECT_FALSE(HasEraName(Sj(u"兜ｽ成")));
}

TEST(DateNumbers, AcceptOnlyDigitsWithinTheirRange) {
  EXPECT_TRUE(IsYearText("1868"));
  EXPECT_TRUE(IsYearText("2099"));
  EXPECT_FALSE(IsYearText("1867"));
  EXPECT_FALSE(IsYearText("2100"));
  EXPECT_FALSE(IsYearText(" 1990"));
  EXPECT_FALSE(IsYearText(Sj(u"１９９０")));
  EXPECT_FALSE(IsYearText(""));
  EXPECT_FALSE(IsYearText(std::string(40, '9')));
  EXPECT_TRUE(IsYearText(std::string(40, '0') + "1990"));
  EXPECT_TRUE(IsMonthText("1"));
  EXPECT_TRUE(IsMonthText("07"));
  EXPECT_TRUE(IsMonthText("12"));
  EXPECT_FALSE(IsMonthText("0"));
  EXPECT_FALSE(IsMonthText("13"));
  EXPECT_TRUE(IsDayText("31"));
  EXPECT_FALSE(IsDayText("32"));
  EXPECT_FALSE(IsDayText("-1"));
}

TEST(FormatDateText, WritesADateInEveryPattern) {
  const std::pair<std::u16string_view, std::u16string_view> patterns[] = {
      {u"年号y年mm月dd日", u"平成18年07月06日"}, {u"年号y年m月d日", u"平成18年7月6日"},
      {u"yyyy年mm月dd日", u"2006年07月06日"},   {u"yyyy年m月d日", u"2006年7月6日"},
      {u"yyyy/mm/dd", u"2006/07/06"},           {u"yyyy/m/d", u"2006/7/6"},
      {u"yyyy.mm.dd", u"2006.07.06"},           {u"yyyy.m.d", u"2006.7.6"},
  };
  for (const auto& [pattern, expected] : patterns) {
    for (const std::u16string_view date : {u"2006/7/6", u"2006年07月06日", u"２００６．７．６"}) {
      EXPECT_EQ(FormatDateText(Sj(date), Sj(pattern)), Sj(expected)) << Sj(date) << Sj(pattern);
    }
  }
}

TEST(FormatDateText, WritesPartialAndEraDates) {
  const struct {
    std::u16string_view date, pattern, expected;
  } cases[] = {
      {u"平成18年7月", u"yyyy年mm月dd日", u"2006年07月"},
      {u"2006年7月", u"年号y年m月d日", u"平成18年7月"},
      {u"2006/7", u"yyyy/mm/dd", u"2006/07"},
      {u"7/6", u"yyyy年m月d日", u"7月6日"},
      {u"07/06", u"yyyy/m/d", u"7/6"},
      {u"2006", u"yyyy年m月d日", u"2006年"},
      {u"2006", u"yyyy/m/d", u"2006"},
      {u"平成18年", u"yyyy/m/d", u"2006"},
      {u"H.18", u"yyyy年m月d日", u"2006年"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateText(Sj(c.date), Sj(c.pattern)), Sj(c.expected)) << Sj(c.date);
  }
}

TEST(FormatDateText, LeavesAnythingButOneValidDateUnchanged) {
  const std::u16string_view dates[] = {
      u"2006/13/6", u"2006/7/32", u"1867", u"2100", u"7月", u"abc", u"", u"  ",
      u"1/2/3/4",
      u"平成18年7月6日",  // three numbers: the first must be a Western year
      u"平成18/7",        // no "年" says which number is the era year
      u"7/40",            // month and day, but no such day
      u"99999999999999999999999/1/1",
  };
  for (const std::u16string_view date : dates) {
    EXPECT_EQ(FormatDateText(Sj(date), Sj(u"yyyy年mm月dd日")), Sj(date)) << Sj(date);
  }
  EXPECT_EQ(FormatDateText("2006/7/6", " "), "2006/7/6");
}
