#include "app/filecommands.h"
#include "app/wholefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <tuple>

namespace {

class DocumentFiles : public ::testing::Test {
 protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  QTemporaryDir dir;
};

// あ in each encoding, with a line end and a character after the zero.
TEST_F(DocumentFiles, EveryEncodingGivesTheSameShiftJis) {
  const std::string sjis = "A\x82\xA0\r\n";
  const QString plain = Write("p.txt", QByteArray("A\x82\xA0\r\n\0zz", 8));
  const QString euc = Write("e.txt", QByteArray("A\xA4\xA2\r\n\0zz", 8));
  const QString jis = Write("j.txt", QByteArray("A\x1B$B$\"\x1B(B\r\n\0z", 13));
  const QString utf8 = Write("u.txt", QByteArray("A\xE3\x81\x82\r\n\0zz", 9));
  const QString ucs2 = Write("w.txt", QByteArray("A\0\x42\x30\r\0\n\0\0\0z\0", 12));
  const std::tuple<QString, TOpenMode, TEncoding> files[] = {
      {plain, omPlain, TEncoding::ShiftJis}, {plain, omAutoFormat, TEncoding::ShiftJis},
      {euc, omEuc, TEncoding::Euc},          {jis, omJis, TEncoding::Jis},
      {utf8, omUtf8, TEncoding::Utf8},       {ucs2, omUcs2, TEncoding::Ucs2}};
  for (const auto& [path, mode, encoding] : files) {
    const TDocumentText doc = ReadDocument(path, mode);
    EXPECT_TRUE(doc.Ok) << mode;
    EXPECT_EQ(doc.Text, sjis) << mode;
    EXPECT_EQ(doc.Replaced, 0u) << mode;
    EXPECT_EQ(doc.Origin.Encoding, encoding) << mode;
    EXPECT_TRUE(doc.Origin.CutAtNul) << mode;
    EXPECT_TRUE(doc.Origin.Identity.Exists) << mode;
  }
}

TEST_F(DocumentFiles, CharactersWithoutShiftJisFormAreCounted) {
  // é and the snowman have no Shift-JIS form.
  const QString utf8 = Write("u.txt", "\xC3\xA9x\xE2\x98\x83");
  TDocumentText doc = ReadDocument(utf8, omUtf8);
  EXPECT_EQ(doc.Text, "?x?");
  EXPECT_EQ(doc.Replaced, 2u);
  const QString ucs2 = Write("w.txt", QByteArray("\xE9\0x\0", 4));
  doc = ReadDocument(ucs2, omUcs2);
  EXPECT_EQ(doc.Text, "?x");
  EXPECT_EQ(doc.Replaced, 1u);
}

TEST_F(DocumentFiles, WhatCannotBeReadIsNoEmptyDocument) {
  EXPECT_FALSE(ReadDocument(dir.filePath("missing.txt"), omPlain).Ok);
  EXPECT_FALSE(ReadDocument(dir.path(), omPlain).Ok);  // a folder
  // Opens, but reading fails (its first page is never mapped), even for root.
  EXPECT_FALSE(ReadDocument("/proc/self/mem", omPlain).Ok);
  // Bytes that are no UTF-8 would convert to nothing.
  EXPECT_FALSE(ReadDocument(Write("bad.txt", "ok \xC3x"), omUtf8).Ok);
  // An empty file is an empty document.
  const TDocumentText empty = ReadDocument(Write("empty.txt", ""), omUtf8);
  EXPECT_TRUE(empty.Ok);
  EXPECT_EQ(empty.Text, "");
}

TEST_F(DocumentFiles, WholeFileWritesReplaceAndFollowLinks) {
  const QString target = Write("t.txt", "old");
  const QString link = dir.filePath("link.txt");
  ASSERT_TRUE(QFile::link(target, link));
  QString error;
  ASSERT_TRUE(WriteWholeFile(link, std::string("new\0bytes", 9), &error));
  EXPECT_EQ(Read(target), QByteArray("new\0bytes", 9));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_FALSE(WriteWholeFile(dir.filePath("no/such/dir/x.txt"), "x", &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(SaveDialog, FilterAndExtensionFromTheCaption) {
  TFileDialogSpec d = InitialSaveDialog();
  PrepareSaveDialog(d, "NONAME1.txt");
  EXPECT_EQ(d.FileName, "NONAME1.txt");
  EXPECT_EQ(d.FilterIndex, 1);
  EXPECT_EQ(d.DefaultExt, "txt");
  PrepareSaveDialog(d, "/w/site.v2/index.htm");
  EXPECT_EQ(d.FilterIndex, 2);
  EXPECT_EQ(d.DefaultExt, "html");

  const QString initial = d.Filter;
  PrepareSaveDialog(d, "/w/report.csv");
  EXPECT_EQ(d.Filter, initial + "|(*.csv)|*.csv");
  EXPECT_EQ(d.FilterIndex, 3);
  EXPECT_EQ(d.DefaultExt, "csv");
  PrepareSaveDialog(d, "/w/report.csv");  // appended again
  EXPECT_EQ(d.Filter, initial + "|(*.csv)|*.csv|(*.csv)|*.csv");
  EXPECT_EQ(d.FilterIndex, 4);

  // ".HTML" is not ".html".
  PrepareSaveDialog(d, "/w/page.HTML");
  EXPECT_EQ(d.FilterIndex, 5);
  EXPECT_EQ(d.DefaultExt, "HTML");
  // A dot in a folder name is no extension.
  PrepareSaveDialog(d, "/w/site.v2/README");
  EXPECT_TRUE(d.Filter.endsWith("|(*)|*"));
  EXPECT_EQ(d.DefaultExt, "");
}

TEST(NewDocument, NumberedByTheNonameWindowsOpen) {
  EXPECT_EQ(NewDocumentName({}), "NONAME1.txt");
  EXPECT_EQ(NewDocumentName({"/a/b.txt", "NONAME1.txt"}), "NONAME2.txt");
  // With NONAME1 closed and NONAME2 open, the next is NONAME2 again.
  EXPECT_EQ(NewDocumentName({"NONAME2.txt"}), "NONAME2.txt");
  EXPECT_EQ(NewDocumentName({"/x/noname.txt", "/x/MyNoName/a.txt"}), "NONAME3.txt");
}

}  // namespace
