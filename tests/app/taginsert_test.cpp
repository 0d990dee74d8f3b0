// Tag insertion on a control of its own: the three tag modes, end tags,
// BODY attributes and HTML colour values.
#include "app/taginsert.h"

#include <gtest/gtest.h>

#include "app/colorvalues.h"
#include "editfixture.h"
#include "../encoding/sjliteral.h"

namespace {

TEST(EndTagFor, TheElementNameAlone) {
  EXPECT_EQ(EndTagFor("<P ALIGN=CENTER>"), "</P>");
  EXPECT_EQ(EndTagFor("<PRE>"), "</PRE>");
  EXPECT_EQ(EndTagFor("<DIV ALIGN=RIGHT>"), "</DIV>");
  EXPECT_EQ(EndTagFor("<TABLE>"), "</TABLE>");
  EXPECT_EQ(EndTagFor("<SELECT NAME=\"\" SIZE=\"\" MULTIPLE=\"\">"), "</SELECT>");
  EXPECT_EQ(EndTagFor("<FONT COLOR=\"Red\">"), "</FONT>");
  EXPECT_EQ(EndTagFor("<FRAMESET ROWS=\"\">"), "</FRAMESET>");
  EXPECT_EQ(EndTagFor("<H3>"), "</H3>");
  // Words in attribute values name no element.
  EXPECT_EQ(EndTagFor("<A HREF=\"fonts/div.html\">"), "</A>");
  EXPECT_EQ(EndTagFor("<a href=\"x\">"), "</a>");
  EXPECT_EQ(EndTagFor("  <EM>"), "</EM>");
  // Nothing to close: plain text, an end tag, a comment.
  EXPECT_EQ(EndTagFor("H3"), "");
  EXPECT_EQ(EndTagFor("</B>"), "");
  EXPECT_EQ(EndTagFor("<!-- x -->"), "");
  EXPECT_EQ(EndTagFor("<>"), "");
}

TEST(HtmlColorValue, NamesAndHexDigits) {
  EXPECT_EQ(HtmlColorValue(clRed), "\"Red\"");
  EXPECT_EQ(HtmlColorValue(0xC0DCC0), "\"MoneyGreen\"");
  EXPECT_EQ(HtmlColorValue(0xA4A0A0), "\"MedGray\"");
  // Blue 0x12, green 0x34, red 0x56.
  EXPECT_EQ(HtmlColorValue(0x123456), "\"#563412\"");
  EXPECT_EQ(HtmlColorValue(0xABCDEF), "\"#EFCDAB\"");
  EXPECT_EQ(HtmlColorValue(0x000001), "\"#010000\"");
}

class TagInsertTest : public EditFixture {
 protected:
  void Caret(int x, int y) { edit.MoveCaretTo(TPoint{x, y}); }
  TTagInserter tags;
};

TEST_F(TagInsertTest, StartTagAloneReplacesTheSelection) {
  Load("abc def");
  edit.Sel().AnchorPos = TPoint{4, 0};
  edit.Sel().EndPos = TPoint{7, 0};
  Caret(7, 0);
  tags.InsertTag(edit, "<B>", tmStartTag);
  EXPECT_EQ(Save(), "abc <B>");
  EXPECT_EQ(tags.LastTag, "<B>");
  EXPECT_EQ(edit.CaretPos, (TPoint{7, 0}));
}

TEST_F(TagInsertTest, StartAndEndTagLeaveTheEndTagToInsertAgain) {
  Load("xy");
  Caret(1, 0);
  tags.InsertTag(edit, "<B>", tmWithEndTag);
  EXPECT_EQ(Save(), "x<B></B>y");
  EXPECT_EQ(edit.CaretPos, (TPoint{8, 0}));
  EXPECT_EQ(tags.LastTag, "</B>");
}

TEST_F(TagInsertTest, AnUnknownModeInsertsTheStartTagAlone) {
  Load("");
  tags.InsertTag(edit, "<B>", 7);
  EXPECT_EQ(Save(), "<B>");
  EXPECT_EQ(tags.LastTag, "<B>");
}

TEST_F(TagInsertTest, EnclosingEndsBeforeTheNextTagOfTheRow) {
  const std::string kanji = Sj(u"日本語");
  Load(kanji + "<>x<I>\r\nnext");
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  // "<>" is no tag start.
  EXPECT_EQ(Save(), "<B>" + kanji + "<>x</B><I>\r\nnext");
  EXPECT_EQ(tags.LastTag, "</B>");
  // Behind the end tag.
  EXPECT_EQ(edit.CaretPos, (TPoint{static_cast<int>(3 + kanji.size() + 3 + 4), 0}));
}

TEST_F(TagInsertTest, EnclosingEndsAtTheEndOfTheLineBeforeALineThatStartsWithATag) {
  Load("abc\r\ndef\r\n<I>x");
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  EXPECT_EQ(Save(), "<B>abc\r\ndef</B>\r\n<I>x");
  // After an empty line the end tag stands before the tag.
  Load("abc\r\n\r\n<I>x");
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  EXPECT_EQ(Save(), "<B>abc\r\n\r\n</B><I>x");
}

TEST_F(TagInsertTest, EnclosingWithNoTagAfterEndsOnANewLastLine) {
  Load("abc\r\ndef");
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  EXPECT_EQ(Save(), "<B>abc\r\ndef\r\n</B>");
  EXPECT_EQ(edit.CaretPos, (TPoint{4, 2}));
  // A text that ends with a line end has its empty last line already.
  Load("abc\r\n");
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  EXPECT_EQ(Save(), "<B>abc\r\n</B>");
}

TEST_F(TagInsertTest, EnclosingEndsBeforeATagThatStartsAWrappedRow) {
  WrapAt(10);
  Load("aaaaaaa<I>xyz\r\nz", loWrap);
  Caret(0, 0);
  edit.InsertText("<B>");
  // The start tag pushed "<I>" to the start of the row that continues the first.
  ASSERT_EQ(edit.GetRow(1), "<I>xyz\r");
  edit.Undo();
  Caret(0, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  EXPECT_EQ(Save(), "<B>aaaaaaa</B><I>xyz\r\nz");
}

TEST_F(TagInsertTest, OneUndoTakesTheEnclosingBack) {
  Load("abc\r\ndef");
  Caret(1, 0);
  tags.InsertTag(edit, "<B>", tmEnclose);
  ASSERT_EQ(Save(), "a<B>bc\r\ndef\r\n</B>");
  edit.Undo();
  EXPECT_EQ(Save(), "abc\r\ndef");
  EXPECT_EQ(edit.CaretPos, (TPoint{1, 0}));
  edit.Redo();
  EXPECT_EQ(Save(), "a<B>bc\r\ndef\r\n</B>");
}

TEST_F(TagInsertTest, BodyAttributeGoesIntoALowerCaseBodyTag) {
  Load("<html>\r\n<body><p>x</p>\r\ntext");
  Caret(2, 2);
  ASSERT_TRUE(tags.InsertBodyAttribute(edit, "bgcolor=\"Red\""));
  EXPECT_EQ(Save(), "<html>\r\n<body bgcolor=\"Red\"><p>x</p>\r\ntext");
  EXPECT_EQ(tags.LastTag, "bgcolor=\"Red\"");
}

TEST_F(TagInsertTest, BodyAttributeFindsTheTagAcrossRowsAndLines) {
  WrapAt(10);
  Load("<p>123456<BODY\r\n text=\"Red\">", loWrap);
  ASSERT_EQ(edit.GetRow(0), "<p>123456<");
  ASSERT_TRUE(tags.InsertBodyAttribute(edit, "link=\"Blue\""));
  EXPECT_EQ(Save(), "<p>123456<BODY\r\n text=\"Red\" link=\"Blue\">");
}

TEST_F(TagInsertTest, BodyAttributeLeavesTheSelectedTextAlone) {
  Load("<BODY>\r\nkeep this");
  edit.Sel().AnchorPos = TPoint{0, 1};
  edit.Sel().EndPos = TPoint{4, 1};
  Caret(4, 1);
  ASSERT_TRUE(tags.InsertBodyAttribute(edit, "text=\"Red\""));
  EXPECT_EQ(Save(), "<BODY text=\"Red\">\r\nkeep this");
  EXPECT_FALSE(edit.Sel().HasSel());
}

TEST_F(TagInsertTest, WithoutABodyTagNothingChanges) {
  for (const char* text : {"<html><head></head>\r\nplain", "<BODY", "<BOD>"}) {
    Load(text);
    tags.LastTag = "<B>";
    EXPECT_FALSE(tags.InsertBodyAttribute(edit, "bgcolor=\"Red\"")) << text;
    EXPECT_EQ(Save(), text);
    EXPECT_FALSE(edit.UndoBuffer().CanUndo);
    EXPECT_EQ(tags.LastTag, "<B>");
  }
}

}  // namespace
