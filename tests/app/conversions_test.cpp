// The conversion table on texts of its own, and each conversion through the
// selection of a control: one undo step, the bytes around it untouched.
#include "app/convtable.h"

#include <gtest/gtest.h>

#include <string>

#include "../encoding/sjliteral.h"
#include "app/selectionedit.h"
#include "editfixture.h"

namespace {

using TOutcome = TConverted::TOutcome;

const TConversion& Conversion(std::string_view id) {
  for (const TConversion& c : kConversions) {
    if (c.Id == id) return c;
  }
  ADD_FAILURE() << "no conversion " << id;
  return kConversions.front();
}

// The text a conversion puts in place of `selected`, or a note of what it did instead.
std::string Converted(std::string_view id, std::string_view selected) {
  const TConverted result = Conversion(id).Convert(selected);
  switch (result.Outcome) {
    case TOutcome::Replaced: return result.Text;
    case TOutcome::Unchanged: return "<unchanged>";
    case TOutcome::NotANumber: return "<not a number: " + result.Text + ">";
  }
  return {};
}

std::string Converted(std::string_view id, std::u16string_view selected) { return Converted(id, Sj(selected)); }

TEST(Conversions, CharacterKinds) {
  EXPECT_EQ(Converted("N116Click", u"abcＡｂｃあ"), Sj(u"ABCＡＢＣあ"));
  EXPECT_EQ(Converted("N117Click", u"ABCＡＢＣ"), Sj(u"abcａｂｃ"));
  EXPECT_EQ(Converted("N120Click", u"ＡＢ１　ガ"), Sj(u"AB1 ｶﾞ"));
  EXPECT_EQ(Converted("N121Click", u"AB1 ｶﾞ"), Sj(u"ＡＢ１　ガ"));
  EXPECT_EQ(Converted("N123Click", u"ひらがなカナ"), Sj(u"ヒラガナカナ"));
  EXPECT_EQ(Converted("N124Click", u"カタカナひら"), Sj(u"かたかなひら"));
  // Letters, digits and the listed signs only; kana and other full-width
  // signs stay, and so does what follows them.
  EXPECT_EQ(Converted("ei_hanClick", u"ＡＢＣ１２３あいう"), Sj(u"ABC123あいう"));
  EXPECT_EQ(Converted("ei_hanClick", u"ｚ＿＋―＝＆％＄＃？！"), "z_+-=&%$#?!");
  EXPECT_EQ(Converted("ei_hanClick", u"ガ、。（）＠"), Sj(u"ガ、。（）＠"));
}

// "ソ" and "表" end in 0x5C, "堰" in 0x81: trail bytes that look like
// something else never match.
TEST(Conversions, SeparatorsAreFoundOnlyAsWholeCharacters) {
  EXPECT_EQ(Converted("tabtospClick", u"a\tb\t\tc"), "a b  c");
  EXPECT_EQ(Converted("sptotabClick", u"a b  c"), "a\tb\t\tc");
  EXPECT_EQ(Converted("sptokanmaClick", u"ソ 表"), Sj(u"ソ,表"));
  EXPECT_EQ(Converted("kanmatospClick", u"1,2,ｱ"), Sj(u"1 2 ｱ"));
  EXPECT_EQ(Converted("delzenspClick", u"堰@　a"), Sj(u"堰@ a"));
}

TEST(Conversions, QuotesKeepTheLineEndOutside) {
  EXPECT_EQ(Converted("kkagiClick", u"会話\r\n"), Sj(u"「会話」\r\n"));
  EXPECT_EQ(Converted("kkagiClick", u"一\r\n二"), Sj(u"「一\r\n二」"));
  EXPECT_EQ(Converted("khtmcomClick", u"x"), "<!-- x -->");
  EXPECT_EQ(Converted("kshaClick", u"x\r\n"), "//x\r\n");
  EXPECT_EQ(Converted("kinyoClick", u"a\r\nb\r\n"), ">a\r\nb\r\n");  // the first line only
  // Nothing selected: the pair alone, at the caret.
  EXPECT_EQ(Converted("kdoubleClick", u""), "\"\"");
  EXPECT_EQ(Converted("N110Click", u""), "{}");
  EXPECT_EQ(Converted("kzenmaruClick", u""), Sj(u"（）"));
}

TEST(Conversions, NumberNotations) {
  EXPECT_EQ(Converted("poptentosixClick", u"255"), "$FF");
  EXPECT_EQ(Converted("poptentosixClick", u"5"), "$05");
  EXPECT_EQ(Converted("poptentosixClick", u"256"), "$100");
  EXPECT_EQ(Converted("poptentosixClick", u"-1"), "$FFFFFFFF");
  EXPECT_EQ(Converted("poptentosixClick", u"２５５"), "$FF");
  EXPECT_EQ(Converted("poptentotwoClick", u"5"), "0000 0000 0000 0000 0000 0000 0000 0101");
  EXPECT_EQ(Converted("popsixtotenClick", u"#FF"), "255");
  EXPECT_EQ(Converted("popsixtotenClick", u"$ff"), "255");
  EXPECT_EQ(Converted("popsixtotenClick", u"FFFFFFFF"), "-1");
  EXPECT_EQ(Converted("popsixtotwoClick", u"$A"), "0000 0000 0000 0000 0000 0000 0000 1010");
  // Other characters: nothing happens.
  for (const std::u16string_view text : {u"12a", u"1 2", u"+5", u"255\r\n"}) {
    EXPECT_EQ(Converted("poptentosixClick", text), "<unchanged>") << Sj(text);
  }
  EXPECT_EQ(Converted("poptentotwoClick", u"-5"), "<unchanged>");
  EXPECT_EQ(Converted("popsixtotenClick", u"0x1F"), "<unchanged>");
  // The right characters, but no 32-bit integer.
  EXPECT_EQ(Converted("poptentosixClick", u"2147483648"), "<not a number: 2147483648>");
  EXPECT_EQ(Converted("poptentosixClick", u"-2147483648"), "$80000000");
  EXPECT_EQ(Converted("poptentosixClick", u"5-3"), "<not a number: 5-3>");
  EXPECT_EQ(Converted("poptentosixClick", u"－"), "<not a number: ->");
  EXPECT_EQ(Converted("poptentotwoClick", u"１２３４５６７８９０１２"), "<not a number: 123456789012>");
  EXPECT_EQ(Converted("poptentotwoClick", u""), "<not a number: >");
  EXPECT_EQ(Converted("popsixtotwoClick", u"#"), "<not a number: #>");
}

TEST(Conversions, WesternAndEraYears) {
  EXPECT_EQ(Converted("toyearClick", u"2006年"), Sj(u"平成18年"));
  EXPECT_EQ(Converted("toyearClick", u"H.18"), "2006");
}

class SelectionConversion : public EditFixture {
 protected:
  // Converts the selection from..to (display positions) of `text` with the
  // command `id`, as the command does; the text afterwards.
  std::string Run(std::string_view id, std::string_view text, TPoint from, TPoint to) {
    Load(text);
    edit.Sel().AnchorPos = from;
    edit.Sel().EndPos = to;
    edit.CaretPos = to;
    loaded = Rows();
    const TConverted result = Conversion(id).Convert(SelectedBytes(edit));
    EXPECT_EQ(result.Outcome, TOutcome::Replaced) << id;
    ReplaceSelection(edit, result.Text);
    return Save();
  }
  void ExpectOneUndoStep() {
    edit.Undo();
    EXPECT_EQ(Rows(), loaded);
  }

  std::vector<std::string> loaded;
};

// Double-byte characters, ASCII, half-width kana and a platform-dependent
// character ("①"), selected in the middle of the second line.
TEST_F(SelectionConversion, OnlyTheSelectionChangesAndOneUndoRestoresIt) {
  const std::string text = Sj(u"漢字abc\r\nxyｱｲ①ａｂｃ漢字def\r\nend");
  const struct {
    const char* id;
    std::u16string_view second;
  } cases[] = {
      {"N116Click", u"xyｱｲ①ＡＢＣ漢字DEf"}, {"N120Click", u"xyｱｲ①abc漢字def"},
      {"N121Click", u"xyアイ①ａｂｃ漢字ｄｅf"}, {"ei_hanClick", u"xyｱｲ①abc漢字def"},
      {"kkagiClick", u"xy「ｱｲ①ａｂｃ漢字de」f"},
  };
  for (const auto& c : cases) {
    // From before "ｱ" (column 2) to before the last "f" (column 2 + 2 + 2 + 6 + 4 + 2).
    const std::string after = Run(c.id, text, TPoint{2, 1}, TPoint{18, 1});
    EXPECT_EQ(after, Sj(u"漢字abc\r\n") + Sj(c.second) + "\r\nend") << c.id;
    ExpectOneUndoStep();
  }
}

TEST_F(SelectionConversion, BlanksAtTheEndOfTheSelectionAreConvertedNotLost) {
  EXPECT_EQ(Run("sptotabClick", "a b  \r\nnext", TPoint{0, 0}, TPoint{5, 0}), "a\tb\t\t\r\nnext");
  ExpectOneUndoStep();
  EXPECT_EQ(Run("N116Click", "ab \t", TPoint{0, 0}, TPoint{4, 0}), "AB \t");
}

// A command's text takes the selection's place; in overwrite mode it must
// not eat what follows.
TEST_F(SelectionConversion, OverwriteModeReplacesOnlyTheSelection) {
  edit.InsertMode = false;
  EXPECT_EQ(Run("N116Click", "abcdef", TPoint{0, 0}, TPoint{3, 0}), "ABCdef");
  EXPECT_FALSE(edit.InsertMode);
}

TEST_F(SelectionConversion, ARowSelectionIsReplacedWhereItsRowsWere) {
  Load("one\r\ntwo\r\nthree\r\nfour");
  edit.Sel().RowSelFrom = 1;
  edit.Sel().RowSelTo = 2;
  edit.CaretPos = TPoint{2, 0};  // a caret elsewhere, as after select-all
  loaded = Rows();
  ReplaceSelection(edit, Conversion("N116Click").Convert(SelectedBytes(edit)).Text);
  EXPECT_EQ(Save(), "one\r\nTWO\r\nTHREE\r\nfour");
  EXPECT_FALSE(edit.Sel().HasRowSel());
  ExpectOneUndoStep();
}

}  // namespace
