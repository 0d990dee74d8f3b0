#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/colors.h"
#include "app/inifile.h"

namespace {

TEST(Settings, MissingKeysGiveTheTableDefaultsNotTheValuesWithoutAFile) {
  const TSettings s = ReadSettings(TIniFile(""));
  ASSERT_TRUE(s.Form.has_value());
  EXPECT_EQ(*s.Form, (TFormBounds{0, 0, 640, 460}));
  EXPECT_EQ(s.RowPich, 4);
  EXPECT_EQ(s.TopMgn, 1);
  EXPECT_EQ(s.LeftMgn, 36);
  EXPECT_EQ(s.DefWrapPos, 60);
  EXPECT_FALSE(s.VoRowNum);
  EXPECT_FALSE(s.VoFoldMark);
  EXPECT_EQ(s.ColColumnIndi, clBtnFace);
  EXPECT_EQ(s.ColRowNo, clWindowText);
  EXPECT_EQ(s.Font.Color, clWindowText);
  EXPECT_EQ(s.Font.Size, 9);
  EXPECT_EQ(s.Font.Pitch, TFontPitch::fpDefault);
  EXPECT_TRUE(s.EmphasizeTags);
  EXPECT_FALSE(s.EmphasizeQuotes);
  EXPECT_EQ(s.History, QStringList(5, QString()));
}

TEST(Settings, OutOfRangeValuesAreReplaced) {
  const TSettings s = ReadSettings(TIniFile(
      "[form]\r\nwidth=10\r\nheight=20\r\ntagmode=7\r\nhhtime=5\r\n"
      "[afedit]\r\npich=0\r\ndefwrappos=1\r\numgn=0\r\nlmgn=-5\r\n"
      "[font]\r\nsize=2\r\n"));
  EXPECT_EQ(s.Form->Width, 640);
  EXPECT_EQ(s.Form->Height, 460);
  EXPECT_EQ(s.TagMode, 7);  // kept, though no item shows it
  EXPECT_EQ(s.HourFormat, 5);
  EXPECT_EQ(s.RowPich, 4);
  EXPECT_EQ(s.DefWrapPos, 60);
  EXPECT_EQ(s.TopMgn, 1);
  EXPECT_EQ(s.LeftMgn, 0);
  EXPECT_EQ(s.Font.Size, 9);
}

// Values that crashed the editor, hung it or put the window out of reach.
TEST(Settings, ExtremeNumbersAreBroughtIntoRangesThatWork) {
  const TSettings low = ReadSettings(TIniFile(
      "[form]\r\nleft=-2147483648\r\ntop=-100000\r\nwidth=-2147483648\r\n"
      "[afedit]\r\nlmgn=-2147483648\r\ndefwrappos=3\r\n"
      "[form2]\r\nheight=-1\r\nband0width=-2147483648\r\n"));
  EXPECT_EQ(*low.Form, (TFormBounds{-kMaxWindowExtent, -kMaxWindowExtent, 640, 460}));
  EXPECT_EQ(low.LeftMgn, 0);
  EXPECT_EQ(low.DefWrapPos, kMinWrapPos);
  EXPECT_EQ(low.Preview.Height, 490);
  EXPECT_EQ(low.Preview.BandWidth[0], 0);

  const TSettings high = ReadSettings(TIniFile(
      "[form]\r\nleft=100000\r\ntop=2147483647\r\nwidth=2147483647\r\nheight=$7FFFFFFF\r\n"
      "[afedit]\r\npich=2147483647\r\ndefwrappos=2147483647\r\nlmgn=1073741824\r\n"
      "umgn=99999999\r\n[font]\r\nsize=2147483647\r\n"
      "[form2]\r\nwidth=2147483647\r\nband2width=2147483647\r\n"));
  EXPECT_EQ(*high.Form, (TFormBounds{kMaxWindowExtent, kMaxWindowExtent, kMaxWindowExtent,
                                     kMaxWindowExtent}));
  EXPECT_EQ(high.RowPich, kMaxRowPich);
  EXPECT_EQ(high.DefWrapPos, kMaxWrapPos);
  EXPECT_EQ(high.LeftMgn, kMaxMargin);
  EXPECT_EQ(high.TopMgn, kMaxMargin);
  EXPECT_EQ(high.Font.Size, kMaxFontSize);
  EXPECT_EQ(high.Preview.Width, kMaxWindowExtent);
  EXPECT_EQ(high.Preview.BandWidth[2], kMaxWindowExtent);
}

TEST(Settings, AWindowIsFittedOntoTheScreenItOverlapsMost) {
  const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 24, 1920, 1056)};
  // Already on a screen: unchanged.
  EXPECT_EQ(FitOnScreens(QRect(100, 50, 640, 460), screens), QRect(100, 50, 640, 460));
  // Mostly on the second: pulled wholly onto it.
  EXPECT_EQ(FitOnScreens(QRect(2900, 0, 640, 460), screens), QRect(2560, 24, 640, 460));
  // Off every screen: onto the first, shrunk to fit it.
  EXPECT_EQ(FitOnScreens(QRect(100000, -100000, 32767, 460), screens), QRect(0, 0, 1280, 460));
  EXPECT_EQ(FitOnScreens(QRect(-50, -50, 100, 100), {}), QRect(-50, -50, 100, 100));
}

TEST(Settings, ColoursByNameOrNumberAndFontColourOnlyAsNumber) {
  const TSettings s = ReadSettings(TIniFile(
      "[color]\r\nhtml=clred\r\nquat=$00123456\r\nafColor=-2147483643\r\ntime=clSkyBlue\r\n"
      "[font]\r\ncolor=clRed\r\nname=IPAGothic\r\npitch=fpfixed\r\n"));
  EXPECT_EQ(s.HtmlTagColor, clRed);
  EXPECT_EQ(s.QuoteColor, 0x123456u);
  EXPECT_EQ(s.Background, clWindow);
  EXPECT_EQ(s.ClockBack, 0xF0CAA6u);
  EXPECT_EQ(s.Font.Color, clWindowText);  // a name is no number: the default
  EXPECT_EQ(s.Font.Name, "IPAGothic");
  EXPECT_EQ(s.Font.Pitch, TFontPitch::fpFixed);
}

// A value the framework would have choked on must not cost the user the
// rest of the file, all of which is written back at exit.
TEST(Settings, AMalformedValueSpoilsOnlyItsOwnKey) {
  const TSettings s = ReadSettings(TIniFile(
      "[form]\r\nleft=abc\r\ntop=30\r\n"
      "[history]\r\n0=/tmp/a.txt\r\n"
      "[color]\r\nhtml=banana\r\nquat=$zz\r\nColDependence=clLime\r\n"
      "[options]\r\naowordwrap=maybe\r\naofreecaret=1\r\n"
      "[font]\r\nsize=big\r\nname=Other\r\n"));
  EXPECT_EQ(s.Form->Left, 0);
  EXPECT_EQ(s.Form->Top, 30);
  EXPECT_EQ(s.History.value(0), "/tmp/a.txt");
  EXPECT_EQ(s.HtmlTagColor, clGreen);
  EXPECT_EQ(s.QuoteColor, clPurple);
  EXPECT_EQ(s.ColDependence, clLime);
  EXPECT_TRUE(s.WordWrap);
  EXPECT_TRUE(s.FreeCaret);
  EXPECT_EQ(s.Font.Size, 9);
  EXPECT_EQ(s.Font.Name, "Other");
}

TEST(Settings, RewriteKeepsUnknownKeysAndReadsBackTheSameValues) {
  TIniFile ini(
      "[form]\r\nleft=7\r\nmine=keep me\r\n"
      "[afedit]\r\numgn=0\r\n"
      "[color]\r\nhtml=$00ABCDEF\r\n"
      "[plugin]\r\nanswer=42\r\n");
  TSettings s = ReadSettings(ini);
  s.History = QStringList{"/a/one.txt", "/b/two.html"};
  s.Font.Name = QStringLiteral("ＭＳ 明朝");
  s.Preview.Band = {2, 9, 1};
  WriteSettings(s, ini);

  EXPECT_EQ(ini.ReadString("form", "mine", ""), "keep me");
  EXPECT_EQ(ini.ReadInteger("plugin", "answer", 0), 42);
  EXPECT_EQ(ini.ReadInteger("afedit", "umgn", 0), 1);
  EXPECT_EQ(ini.ReadString("color", "html", ""), "$00ABCDEF");
  EXPECT_EQ(ini.ReadString("color", "ColColumnIndi", ""), "clBtnFace");
  EXPECT_EQ(ini.ReadString("font", "color", ""), "-2147483640");
  // Every history key is written, the empty slots too.
  EXPECT_EQ(ini.Value("history", "4"), QString());
  // A band that holds none of the three tool bars writes nothing.
  EXPECT_FALSE(ini.Value("form2", "band1").has_value());
  EXPECT_EQ(ini.ReadInteger("form2", "band2", 0), 1);

  TSettings back = ReadSettings(ini);
  back.Preview.Band[1] = 9;  // the one value that could not be stored
  s.TopMgn = 1;
  s.History << "" << "" << "";
  EXPECT_EQ(back.Form, s.Form);
  EXPECT_EQ(back.History, s.History);
  EXPECT_EQ(back.TopMgn, s.TopMgn);
  EXPECT_EQ(back.HtmlTagColor, s.HtmlTagColor);
  EXPECT_EQ(back.Font, s.Font);
  EXPECT_EQ(back.Preview, s.Preview);
}

TEST(Colors, NamesAndNumbersBothWays) {
  EXPECT_EQ(ColorToText(clGreen), "clGreen");
  EXPECT_EQ(ColorToText(clWindow), "clWindow");
  EXPECT_EQ(ColorToText(0x404000), "$00404000");
  EXPECT_EQ(ColorToText(clSystemColor + 99), "$80000063");
  for (TColor c : {clBtnFace, clHighlightText, clSilver, TColor{0x404000}, TColor{0x00ABCDEF}}) {
    EXPECT_EQ(TextToColor(ColorToText(c)), c);
  }
  EXPECT_EQ(TextToColor("CLPURPLE"), clPurple);
  EXPECT_EQ(TextToColor("4210688"), 0x404000u);
  EXPECT_FALSE(TextToColor("purple"));
  EXPECT_FALSE(TextToColor("$"));
  EXPECT_FALSE(TextToColor(""));
}

}  // namespace
