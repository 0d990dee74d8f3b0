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
  EXPECT_EQ(EndTagFor("<SELECT NAME=\"\" SIZE=\"\" MULTIPLE=\"\">"), "</SELECT>");
  // Words in attribute values name no element.
  EXPECT_EQ(EndTagFor("<A HREF=\"fonts/div.html\">"), "</A>");
  EXPECT_EQ(EndTagFor("<a href=\"x\">"), "</a>");
  // Nothing to close.
  for (const char* s : {"H3", "</B>", "<!-- x -->", "<>"}) EXPECT_EQ(EndTagFor(s), "") << s;
}

TEST(HtmlColorValue, NamesAndHexDigits) {
  EXPECT_EQ(HtmlColorValue(clRed), "\"Red\"");
  EXPECT_EQ(HtmlColorValue(0xC0DCC0), "\"MoneyGreen\"");
  // Blue 0x12, green 0x34, red 0x56.
  EXPECT_EQ(HtmlColorValue(0x123456), "\"#563412\"");
  EXPECT_EQ(HtmlColorValue(0xABCDEF), "\"#EFCDAB\"");
}

class TagInsertTest : public EditFixture {
 protected:
  void Caret(int x, int y) { edit.MoveCaretTo(TPoint{x, y}); }
  void Enclose(std::string_view text, TPoint caret) {
    Load(text);
    edit.MoveCaretTo(caret);
    tags.InsertTag(edit, "<B>", tmEnclose);
  }
  TTagInserter tags;
};

TEST_F(TagInsertTest, StartTagAloneOrWithItsEndTag) {
  Load("abc def");
  edit.Sel().AnchorPos = TPoint{4, 0};
  edit.Sel().EndPos = TPoint{7, 0};
  Caret(7, 0);
  tags.InsertTag(edit, "<B>", tmStartTag);
  EXPECT_EQ(Save(), "abc <B>");
  EXPECT_EQ(tags.LastTag, "<B>");

  Caret(1, 0);
  tags.InsertTag(edit, "<I>", tmWithEndTag);
  EXPECT_EQ(Save(), "a<I></I>bc <B>");
  EXPECT_EQ(edit.CaretPos, (TPoint{8, 0}));
  EXPECT_EQ(tags.LastTag, "</I>");

  // A mode that no item shows inserts the start tag alone.
  tags.InsertTag(edit, "<U>", 7);
  EXPECT_EQ(Save(), "a<I></I><U>bc <B>");
}

TEST_F(TagInsertTest, EnclosingEndsBeforeTheNextTagStart) {
  const std::string kanji = Sj(u"日本語");
  Enclose(kanji + "<>x<I>\r\nnext", TPoint{0, 0});
  // "<>" is no tag start.
  EXPECT_EQ(Save(), "<B>" + kanji + "<>x</B><I>\r\nnext");
  EXPECT_EQ(tags.LastTag, "</B>");
  EXPECT_EQ(edit.CaretPos, (TPoint{static_cast<int>(3 + kanji.size() + 3 + 4), 0}));

  // At the end of the line before a line that starts with a tag, or before
  // the tag itself after an empty line.
  Enclose("abc\r\ndef\r\n<I>x", TPoint{0, 0});
  EXPECT_EQ(Save(), "<B>abc\r\ndef</B>\r\n<I>x");
  Enclose("abc\r\n\r\n<I>x", TPoint{0, 0});
  EXPECT_EQ(Save(), "<B>abc\r\n\r\n</B><I>x");
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

TEST_F(TagInsertTest, EnclosingWithNoTagAfterEndsOnANewLastLineAndUndoesInOneStep) {
  Enclose("abc\r\ndef", TPoint{1, 0});
  EXPECT_EQ(Save(), "a<B>bc\r\ndef\r\n</B>");
  EXPECT_EQ(edit.CaretPos, (TPoint{4, 2}));
  edit.Undo();
  EXPECT_EQ(Save(), "abc\r\ndef");
  EXPECT_EQ(edit.CaretPos, (TPoint{1, 0}));
  // A text that ends with a line end has its empty last line already.
  Enclose("abc\r\n", TPoint{0, 0});
  EXPECT_EQ(Save(), "<B>abc\r\n</B>");
}

TEST_F(TagInsertTest, BodyAttributeGoesIntoTheBodyTagWhateverItsCase) {
  Load("<html>\r\n<body><p>x</p>\r\nkeep this");
  edit.Sel().AnchorPos = TPoint{0, 2};
  edit.Sel().EndPos = TPoint{4, 2};
  Caret(4, 2);
  ASSERT_TRUE(tags.InsertBodyAttribute(edit, "bgcolor=\"Red\""));
  // Into the BODY tag, not the last tag of its row; the selected text stays.
  EXPECT_EQ(Save(), "<html>\r\n<body bgcolor=\"Red\"><p>x</p>\r\nkeep this");
  EXPECT_FALSE(edit.Sel().HasSel());
  EXPECT_EQ(tags.LastTag, "bgcolor=\"Red\"");

  WrapAt(10);
  Load("<p>123456<BODY\r\n text=\"Red\">", loWrap);
  ASSERT_EQ(edit.GetRow(0), "<p>123456<");
  ASSERT_TRUE(tags.InsertBodyAttribute(edit, "link=\"Blue\""));
  EXPECT_EQ(Save(), "<p>123456<BODY\r\n text=\"Red\" link=\"Blue\">");
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
