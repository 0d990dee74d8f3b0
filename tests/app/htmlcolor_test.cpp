#include "app/htmlcolor.h"

#include <gtest/gtest.h>

#include "editfixture.h"

namespace {

constexpr TColor kTag = 0x00AA00;
constexpr TColor kQuote = 0xAA00AA;

class HtmlColorTest : public EditFixture {
 protected:
  // One letter per byte of the row: T tag colour, Q quote colour, . plain.
  std::string Colours(int row) {
    std::string out;
    const TColAttrList* list = edit.ColAttrsOrNull(row);
    for (std::size_t i = 0; i < edit.GetRow(row).size(); ++i) {
      const int k = static_cast<int>(i);
      if (!list || !list->IsActive(k)) {
        out += '.';
      } else {
        out += const_cast<TColAttrList*>(list)->Items(k).Color == kTag ? 'T' : 'Q';
      }
    }
    return out;
  }
  void DrawAll() {
    for (int r = 0; r < edit.RowCount(); ++r) ColorRow(edit, r, coloring);
  }

  THtmlColoring coloring{true, false, kTag, kQuote};
};

TEST_F(HtmlColorTest, TagsFromTheLessThanToTheGreaterThan) {
  Load("a < b\r\n<p>x</p>\r\n<!-- c -->z\r\n<1>");
  DrawAll();
  EXPECT_EQ(Colours(0), "......");
  EXPECT_EQ(Colours(1), "TTT.TTTT.");
  EXPECT_EQ(Colours(2), "TTTTTTTTTT..");
  EXPECT_EQ(Colours(3), "...");
}

TEST_F(HtmlColorTest, ATagGoesOnOnTheNextRowButItsLineEndStaysPlain) {
  Load("x<a\r\nhref=1>y\r\nend<\r\nb>");
  DrawAll();
  EXPECT_EQ(Colours(0), ".TT.");
  EXPECT_EQ(Colours(1), "TTTTTTT..");
  EXPECT_EQ(Colours(2), ".....");  // "<" before the line end is no tag
  EXPECT_EQ(Colours(3), "..");
}

TEST_F(HtmlColorTest, ALessThanAsTheLastByteStartsATag) {
  Load("ab<");
  DrawAll();
  EXPECT_EQ(Colours(0), "..T");
  EXPECT_EQ(edit.RowAttr(0)->Tag2, 1);
}

TEST_F(HtmlColorTest, ABlankRowKeepsItsOldFlags) {
  Load("x\r\n   \r\nb>c");
  edit.RowAttr(1)->Tag2 = 1;  // as last drawn, when a tag was open above
  DrawAll();
  EXPECT_EQ(edit.RowAttr(1)->Tag2, 1);
  EXPECT_EQ(Colours(2), "TT.");
}

TEST_F(HtmlColorTest, QuotesWinOverTagsAndTakeTwoByteCharactersButNoTabs) {
  coloring.EmphasizeQuotes = true;
  Load("<a href=\"x\">y</a>\r\n\"\x82\xA0\t\"");
  DrawAll();
  EXPECT_EQ(Colours(0), "TTTTTTTTQQQT.TTTT.");
  EXPECT_EQ(Colours(1), "QQQ.Q");
}

TEST_F(HtmlColorTest, AQuotationCarriesIntoTheNextRow) {
  coloring = {false, true, kTag, kQuote};
  Load("say \"hi\r\nthere\" ok");
  DrawAll();
  EXPECT_EQ(Colours(0), "....QQQ.");
  EXPECT_EQ(Colours(1), "QQQQQQ...");
  EXPECT_EQ(edit.RowAttr(0)->Tag1, 1);
  EXPECT_EQ(edit.RowAttr(1)->Tag1, 0);
}

TEST_F(HtmlColorTest, WithBothSwitchesOffColoursGoAtTheNextDraw) {
  Load("<b>bold</b>");
  DrawAll();
  ASSERT_EQ(Colours(0), "TTT....TTTT");
  coloring.EmphasizeTags = false;
  DrawAll();
  EXPECT_EQ(Colours(0), "...........");
}

TEST_F(HtmlColorTest, ABeforeChangeDropsTheAttributesOfRowsThatAreColoured) {
  coloring.EmphasizeQuotes = true;
  Load("<b>\r\nplain\r\n\"q\r\nrest\r\nx\"\r\na<1");
  DrawAll();
  for (int r = 0; r < 6; ++r) ASSERT_TRUE(edit.ColAttrsOrNull(r)) << r;
  for (int r = 0; r < 6; ++r) ForgetRowColors(edit, r, coloring);
  EXPECT_FALSE(edit.ColAttrsOrNull(0));  // has a tag
  EXPECT_TRUE(edit.ColAttrsOrNull(1));   // nothing to colour
  EXPECT_FALSE(edit.ColAttrsOrNull(2));  // has a quote mark
  EXPECT_FALSE(edit.ColAttrsOrNull(3));  // inside the quotation of the row above
  EXPECT_FALSE(edit.ColAttrsOrNull(4));  // closes the quotation
  EXPECT_TRUE(edit.ColAttrsOrNull(5));   // "<1" starts no tag
}

}  // namespace
