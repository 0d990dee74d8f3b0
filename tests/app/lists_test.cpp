#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/recentlist.h"
#include "app/textlist.h"

namespace {

TEST(TextList, LinesInAnyEndingAndWrittenWithCrLf) {
  QTemporaryDir dir;
  const QString path = dir.filePath("key.lst");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("one\r\n\r\ntwo\nthree\r\x82\xA0\r\n");
  }
  TStringList list;
  ASSERT_EQ(LoadList(path, list), TReadResult::Read);
  EXPECT_EQ(list, (TStringList{"one", "", "two", "three", "\x82\xA0"}));

  ASSERT_TRUE(SaveList(path, list));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("one\r\n\r\ntwo\r\nthree\r\n\x82\xA0\r\n"));
  EXPECT_EQ(LoadList(dir.filePath("missing.lst"), list), TReadResult::Missing);
  EXPECT_TRUE(list.empty());
  list = {"x"};
  EXPECT_EQ(LoadList("/proc/self/mem", list), TReadResult::Failed);
  EXPECT_TRUE(list.empty());
}

TEST(RecentList, NewestLastAndAtMostFive) {
  TRecentList r;
  for (const char* p : {"a", "b", "c"}) r.Add(p);
  r.Add("a");  // moves to the newest place, no second entry
  EXPECT_EQ(r.Items(), (QStringList{"b", "c", "a"}));
  for (const char* p : {"d", "e"}) r.Add(p);
  EXPECT_EQ(r.Items(), (QStringList{"b", "c", "a", "d", "e"}));
  r.Add("f");  // a sixth path drops the oldest
  EXPECT_EQ(r.Items(), (QStringList{"c", "a", "d", "e", "f"}));
  r.Add("d");
  EXPECT_EQ(r.Items(), (QStringList{"c", "a", "e", "f", "d"}));
}

TEST(RecentList, TheLastOfTwoEqualEntriesIsTheOneThatMoves) {
  TRecentList r;
  for (const char* p : {"x", "y", "x"}) r.Append(p);
  r.Add("x");
  EXPECT_EQ(r.Items(), (QStringList{"x", "y", "x"}));
  r.Add("y");
  EXPECT_EQ(r.Items(), (QStringList{"x", "x", "y"}));
}

TEST(RecentList, FolderOfAPath) {
  EXPECT_EQ(FolderOf("/home/u/doc.txt"), "/home/u");
  EXPECT_EQ(FolderOf("/doc.txt"), "/");
  EXPECT_EQ(FolderOf("doc.txt"), "");
}

}  // namespace
