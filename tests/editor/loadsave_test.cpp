// Reading rows from bytes and writing them back, to streams and files.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "editfixture.h"

using LoadSave = EditFixture;

TEST_F(LoadSave, EveryLineEndFormBecomesOneCrAndSavesAsCrLf) {
  Load("x\r\ny\nz\rw");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"x\r", "y\r", "z\r", "w"}));
  EXPECT_EQ(Save(), "x\r\ny\r\nz\r\nw");
  Load("a\n\rb\r\rc");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a\r", "b\r", "\r", "c"}));
  Load("");
  EXPECT_EQ(Rows(), std::vector<std::string>{""});
}

TEST_F(LoadSave, ZeroByteEndsTheText) {
  Load(std::string("ab\r\ncd\0ef\r\ngh", 12));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ab\r", "cd"}));
}

TEST_F(LoadSave, LineEndAcrossTheReadChunkIsOneLineEnd) {
  std::string text(65535, 'a');
  text += "\r\nnext";
  Load(text);
  ASSERT_EQ(edit.RowCount(), 2);
  EXPECT_EQ(edit.GetRow(0).size(), 65536u);
  EXPECT_EQ(edit.GetRow(1), "next");
}

TEST_F(LoadSave, OverlongLinesAreCutWithoutLoss) {
  std::string text(65536 * 2 + 10, 'b');
  text += "\r\n";
  Load(text);
  EXPECT_EQ(edit.GetRow(0).size(), 65536u);
  EXPECT_FALSE(edit.RowHasCR(0));
  EXPECT_EQ(edit.Text(), text);
}

TEST_F(LoadSave, LeadingTabsBecomeIndentLimitedByTheWrapPosition) {
  Load("\t\t\tword\r\n\t\t\t", loTabsToIndent);
  EXPECT_EQ(edit.GetRow(0), "word\r");
  EXPECT_EQ(edit.RowAttr(0)->Indent, 12);
  EXPECT_EQ(edit.GetRow(1), "\t");  // a row of only tabs keeps its last
  edit.SetDefWrapPos(10);
  Load("\t\t\tword", loTabsToIndent);
  EXPECT_EQ(edit.RowAttr(0)->Indent, 2);
}

TEST_F(LoadSave, IndentIsWrittenAsTabsOrSpacesAndSoftRowsAsLinesOnRequest) {
  WrapAt(6);
  Load("abcdefghij\r\nk", loWrap);
  edit.RowAttr(0)->Indent = 5;
  EXPECT_EQ(Save(soIndentAsTabs), "\t\tabcdefghij\r\nk");
  EXPECT_EQ(Save(soIndentAsSpaces), "     abcdefghij\r\nk");
  EXPECT_EQ(Save(soEveryRowALine), "abcdef\r\nghij\r\nk");
  EXPECT_EQ(Save(soTabsToSpaces | soIndentAsTabs), "        abcdefghij\r\nk");
  Load("k\r\n");  // no line is added at the end, however often it is saved
  EXPECT_EQ(Save(soEveryRowALine), "k\r\n");
}

// The rows keep their CR whatever is written.
TEST_F(LoadSave, EachRowEndIsWrittenInTheStyleAskedFor) {
  WrapAt(6);
  Load("abcdefghij\r\n\tk\r\n", loWrap);
  EXPECT_EQ(Save(0, TLineEnd::Lf), "abcdefghij\n\tk\n");
  EXPECT_EQ(Save(soEveryRowALine, TLineEnd::Cr), "abcdef\rghij\r\tk\r");
  EXPECT_EQ(Save(soTabsToSpaces, TLineEnd::Lf), "abcdefghij\n    k\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abcdef", "ghij\r", "\tk\r", ""}));
}

TEST_F(LoadSave, TabsToSpacesKeepsOtherControlBytes) {
  Load("a\tb\x0B" "c");
  EXPECT_EQ(Save(soTabsToSpaces), "a   b\x0B" "c");
}

class SaveFile : public EditFixture {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("zibsave" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir);
  }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path dir;
};

TEST_F(SaveFile, WritesAndMarksTheTextSaved) {
  Load("one\r\ntwo");
  edit.InsertText("x");
  ASSERT_TRUE(edit.Edited());
  EXPECT_TRUE(edit.SaveToFile((dir / "a.txt").string(), 0));
  EXPECT_EQ(Read(dir / "a.txt"), "xone\r\ntwo");
  EXPECT_FALSE(edit.Edited());
}

TEST_F(SaveFile, KeepsPermissionsAndWritesThroughASymbolicLink) {
  const auto target = dir / "real.txt";
  std::ofstream(target) << "old";
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink(target, dir / "link.txt");
  Load("new");
  ASSERT_TRUE(edit.SaveToFile((dir / "link.txt").string(), 0));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
  EXPECT_EQ(Read(target), "new");
  struct stat st {};
  ::stat(target.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A failed save must leave the old file whole and the text unsaved. The
// write is made to fail by a file size limit, which binds root as well; the
// signal that the limit raises must not end the process (the test with it).
TEST_F(SaveFile, AFailedWriteLeavesTheOldFileAndTheTextEdited) {
  const auto target = dir / "kept.txt";
  std::ofstream(target) << "precious";
  Load(std::string(200000, 'x'));
  edit.InsertText("y");
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string error;
  const bool ok = edit.SaveToFile(target.string(), 0, &error);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
  EXPECT_EQ(Read(target), "precious");
  EXPECT_TRUE(edit.Edited());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
}

// A save killed half-way leaves its temporary behind; the next save of the
// same file clears it up, and only it: other files, other documents'
// temporaries and names that merely look alike stay.
TEST_F(SaveFile, TheNextSaveRemovesTemporariesAnInterruptedOneLeft) {
  const auto target = dir / "doc.txt";
  for (const char* name : {".doc.txt.zibA1b2C3", ".doc.txt.zib000000", ".doc.txt.zibABC", ".doc.txt.zibAB-CDE",
                           ".other.txt.zibA1b2C3", "doc.txt.zibA1b2C3"}) {
    std::ofstream(dir / name) << "half";
  }
  Load("text");
  ASSERT_TRUE(edit.SaveToFile(target.string(), 0));
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"doc.txt", ".doc.txt.zibABC", ".doc.txt.zibAB-CDE", ".other.txt.zibA1b2C3",
                                         "doc.txt.zibA1b2C3"}));

  // A path relative to the working folder, written without following links.
  std::ofstream(dir / ".doc.txt.zibZ9y8X7") << "half";
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  EXPECT_TRUE(edit.SaveToFile("doc.txt", 0, nullptr, TLinkPolicy::Replace));
  std::filesystem::current_path(cwd);
  EXPECT_FALSE(std::filesystem::exists(dir / ".doc.txt.zibZ9y8X7"));
}

// Where a link appeared after the document was read, the save replaces the
// link and never writes into the file it names.
TEST_F(SaveFile, ALinkIsReplacedWhenItMustNotBeFollowed) {
  const auto victim = dir / "victim.txt";
  std::ofstream(victim) << "theirs";
  std::filesystem::create_symlink(victim, dir / "doc.txt");
  Load("mine");
  ASSERT_TRUE(edit.SaveToFile((dir / "doc.txt").string(), 0, nullptr, TLinkPolicy::Replace));
  EXPECT_EQ(Read(victim), "theirs");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "doc.txt"));
  EXPECT_EQ(Read(dir / "doc.txt"), "mine");
}

TEST_F(SaveFile, AnIdentityTellsEveryKindOfChange) {
  const auto path = (dir / "a.txt").string();
  EXPECT_FALSE(IdentityOf(path).Exists);
  std::ofstream(path) << "one";
  const TFileIdentity first = IdentityOf(path);
  EXPECT_TRUE(first.Exists);
  EXPECT_FALSE(first.IsLink);
  EXPECT_EQ(IdentityOf(path), first);

  std::ofstream(path, std::ios::app) << "two";  // grown in place
  EXPECT_NE(IdentityOf(path), first);
  EXPECT_TRUE(IdentityOf(path).SameFile(first));
  const TFileIdentity grown = IdentityOf(path);
  struct timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};  // touched, same size
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  EXPECT_NE(IdentityOf(path), grown);

  Load("x");
  ASSERT_TRUE(edit.SaveToFile(path, 0));  // a new file took its place
  EXPECT_FALSE(IdentityOf(path).SameFile(first));

  std::filesystem::create_symlink(path, dir / "link.txt");
  const TFileIdentity link = IdentityOf((dir / "link.txt").string());
  EXPECT_TRUE(link.IsLink);
  EXPECT_EQ(link.Target, std::filesystem::canonical(path).string());
  EXPECT_TRUE(link.SameFile(IdentityOf(path)));
}

// A device is written in place: replacing it by a plain file would be
// wrong, and the full device's refusal is reported.
TEST_F(SaveFile, ADeviceIsWrittenInPlaceAndAFullDiskIsReported) {
  if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP();
  Load("text");
  std::string error;
  EXPECT_FALSE(edit.SaveToFile("/dev/full", 0, &error));
  EXPECT_NE(error.find("No space"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  EXPECT_TRUE(edit.SaveToFile("/dev/null", 0));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}
