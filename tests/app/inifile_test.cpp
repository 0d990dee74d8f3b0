#include "app/inifile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const char kSample[] =
    "; written by hand\r\n"
    "[Form]\r\n"
    "Left = 12 \r\n"
    "top=\"34\"\r\n"
    "width=50\r\n"
    "width=60\r\n"
    "\r\n"
    "[other]\n"
    "name=  'quoted value'  \n"
    "keep=me\r"
    "[form]\r\n"
    "left=99\r\n";

TEST(IniFile, ReadsKeysAsTheSystemDoes) {
  const TIniFile ini(kSample);
  // Names match in any letter case, blanks and one pair of quotes go.
  EXPECT_EQ(ini.ReadInteger("form", "LEFT", -1), 12);
  EXPECT_EQ(ini.ReadInteger("form", "top", -1), 34);
  EXPECT_EQ(ini.ReadString("other", "name", ""), "quoted value");
  // Lines may end in CR alone or LF alone.
  EXPECT_EQ(ini.ReadString("other", "keep", ""), "me");
  // The first of two equal keys, and the first of two equal sections.
  EXPECT_EQ(ini.ReadInteger("form", "width", -1), 50);
  // A key of another section, or none at all.
  EXPECT_FALSE(ini.Value("form", "keep").has_value());
  EXPECT_EQ(ini.ReadString("nosuch", "left", "def"), "def");
}

TEST(IniFile, IntegersInEveryFormTheFileMayHold) {
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger(" -7 "), -7);
  EXPECT_EQ(ParseIniInteger("+7"), 7);
  EXPECT_EQ(ParseIniInteger("$1F"), 31);
  EXPECT_EQ(ParseIniInteger("0x10"), 16);
  EXPECT_EQ(ParseIniInteger("-2147483640"), -2147483640);
  EXPECT_EQ(ParseIniInteger("$80000008"), -2147483640);  // the same bits
  EXPECT_EQ(ParseIniInteger("-2147483648"), INT32_MIN);
  EXPECT_FALSE(ParseIniInteger("2147483648"));
  EXPECT_FALSE(ParseIniInteger("$100000000"));
  EXPECT_FALSE(ParseIniInteger(""));
  EXPECT_FALSE(ParseIniInteger("-"));
  EXPECT_FALSE(ParseIniInteger("12px"));
  EXPECT_FALSE(ParseIniInteger("clWindowText"));
  EXPECT_FALSE(ParseIniInteger("--1"));
}

TEST(IniFile, BooleansAreAnyNonZeroNumber) {
  const TIniFile ini("[b]\r\nzero=0\r\ntwo=2\r\nminus=-1\r\nword=yes\r\n");
  EXPECT_FALSE(ini.ReadBool("b", "zero", true));
  EXPECT_TRUE(ini.ReadBool("b", "two", false));
  EXPECT_TRUE(ini.ReadBool("b", "minus", false));
  EXPECT_TRUE(ini.ReadBool("b", "word", true));
  EXPECT_FALSE(ini.ReadBool("b", "word", false));
}

TEST(IniFile, WritingChangesOnlyTheKeysWritten) {
  TIniFile ini(kSample);
  ini.WriteInteger("form", "left", 5);          // replaced where it stands
  ini.WriteString("other", "added", "new");     // at the end of its section
  ini.WriteBool("fresh", "flag", true);         // a new section at the end
  EXPECT_EQ(ini.Text(),
            "; written by hand\r\n"
            "[Form]\r\n"
            "left=5\r\n"
            "top=\"34\"\r\n"
            "width=50\r\n"
            "width=60\r\n"
            "\r\n"
            "[other]\r\n"
            "name=  'quoted value'  \r\n"
            "keep=me\r\n"
            "added=new\r\n"
            "[form]\r\n"
            "left=99\r\n"
            "\r\n"
            "[fresh]\r\n"
            "flag=1\r\n");
}

TEST(IniFile, TextIsShiftJisOnDisk) {
  QTemporaryDir dir;
  const QString path = dir.filePath("t.ini");
  TIniFile ini;
  ini.WriteString("font", "name", QStringLiteral("ＭＳ ゴシック"));
  ASSERT_TRUE(ini.Save(path));

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("[font]\r\nname=\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E\r\n"));

  TIniFile back;
  ASSERT_EQ(back.Load(path), TReadResult::Read);
  EXPECT_EQ(back.ReadString("font", "name", ""), QStringLiteral("ＭＳ ゴシック"));
}

TEST(IniFile, AMissingOrUnreadableFileLoadsNothingAndSaysWhich) {
  QTemporaryDir dir;
  TIniFile ini("[a]\r\nb=1\r\n");
  EXPECT_EQ(ini.Load(dir.filePath("none.ini")), TReadResult::Missing);
  EXPECT_EQ(ini.Text(), "");
  ini = TIniFile("[a]\r\nb=1\r\n");
  EXPECT_EQ(ini.Load(dir.path()), TReadResult::Failed);  // a folder
  EXPECT_EQ(ini.Text(), "");
  EXPECT_EQ(ini.Load("/proc/self/mem"), TReadResult::Failed);  // an I/O error
}

TEST(IniFile, SaveIntoAMissingFolderFailsWithAReason) {
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(TIniFile("[a]\r\n").Save(dir.filePath("no/such/dir/x.ini"), &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
