// Recovery after a crash: the copy's format, the copy each modified document
// keeps, and the copies of editors that are gone offered back at a start,
// from editors killed with SIGKILL among them.
#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

#include <sstream>

#include "app/docrecovery.h"
#include "app/recovery.h"
#include "app/recoverydialog.h"
#include "docfixture.h"

namespace {

std::string Written(const TRecoveryCopy& copy) {
  std::ostringstream out;
  WriteRecoveryCopy(out, copy);
  return out.str();
}

TRecoveryCopy SampleCopy() {
  TRecoveryCopy c;
  c.Path = QStringLiteral("/tmp/新しい フォルダ/100% a\nb.txt");
  c.Origin.Encoding = TEncoding::Euc;
  c.Origin.LineEnd = TLineEnd::Lf;
  c.Origin.Identity = TFileIdentity{true, false, "", 64769, 1234567, 42, -5};
  c.Written = QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12, 345), Qt::UTC);
  c.Text = std::string("\x82\xA0\r\n\0tail", 9);
  return c;
}

TEST(RecoveryCopy, ReadsBackWhatWasWrittenAndRefusesDamage) {
  const TRecoveryCopy c = SampleCopy();
  const std::string good = Written(c);
  QString why;
  const std::optional<TRecoveryCopy> back = ReadRecoveryCopy(good, why);
  ASSERT_TRUE(back) << why.toStdString();
  EXPECT_EQ(back->Path, c.Path);
  EXPECT_EQ(back->Origin.Encoding, TEncoding::Euc);
  EXPECT_EQ(back->Origin.LineEnd, TLineEnd::Lf);
  EXPECT_EQ(back->Origin.Identity, c.Origin.Identity);
  EXPECT_EQ(back->Written, c.Written);
  EXPECT_EQ(back->Text, c.Text);

  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string s = good;
    s.replace(s.find(from), from.size(), to);
    return s;
  };
  const std::string damaged[] = {
      good.substr(0, good.size() - 1),          // cut short
      good + "x",                               // longer than said
      good.substr(0, good.size() - 4) + "TAIL",  // as long, but not the text written
      replaced("encoding euc", "encoding ebcdic"),
      replaced("bom 0", "bom 2"),
      replaced("line-end lf", "line-end lf cr"),
      replaced(" 42 ", " -42 "),                // a negative file size
      replaced("1234567", "99999999999999999999"),  // beyond 64 bits
      replaced("10:11:12.345Z", "10:11:12.345"),  // a time without its zone
      replaced("cut-at-nul 0\n", ""),           // a line missing
      replaced("Zib_Editor recovery copy 1", "Zib_Editor recovery copy 2"),
      good.substr(0, good.find("text ")),       // the header alone
  };
  for (const std::string& bytes : damaged) {
    why.clear();
    EXPECT_FALSE(ReadRecoveryCopy(bytes, why)) << bytes;
    EXPECT_FALSE(why.isEmpty()) << bytes;
  }
}

class Recovery : public DocFixture {
 protected:
  void SetUp() override {
    DocFixture::SetUp();
    recovery = NewRecovery();
    KeepCopies(*form, *recovery);
  }
  // Documents go first: they remove their copies through the recovery.
  void TearDown() override { form.reset(); }

  std::unique_ptr<TRecovery> NewRecovery() {
    auto r = std::make_unique<TRecovery>(root);
    EXPECT_EQ(r->Problem(), "");
    r->PauseMs = 20;
    return r;
  }

  QStringList CopiesIn(const QString& folder) const {
    return QDir(folder).entryList({QStringLiteral("*.zibrec")}, QDir::Files);
  }
  QStringList OwnCopies() const { return CopiesIn(recovery->Folder()); }
  bool WaitForOwnCopies(int count) {
    return QTest::qWaitFor([&] {
      recovery->Flush();
      return OwnCopies().size() == count;
    }, 5000);
  }
  std::optional<TRecoveryCopy> OwnCopy() {
    recovery->Flush();
    const QStringList files = OwnCopies();
    if (files.size() != 1) return std::nullopt;
    QFile f(recovery->Folder() + "/" + files[0]);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QString why;
    return ReadRecoveryCopy(f.readAll().toStdString(), why);
  }
  // Instance folders under the root, this editor's own left out.
  QStringList OtherFolders() const {
    QStringList folders = QDir(root).entryList({QStringLiteral("instance-*")}, QDir::Dirs);
    folders.removeAll(QFileInfo(recovery->Folder()).fileName());
    return folders;
  }

  // A copy as an editor that is gone left it: written, and its editor ended
  // without removing it.
  QString LeaveCopy(const QString& path, const std::string& text, TLineEnd lineEnd = TLineEnd::CrLf) {
    TRecovery gone(root);
    TRecoveryCopy c;
    c.Path = path;
    c.Origin.LineEnd = lineEnd;
    c.Written = QDateTime::currentDateTimeUtc();
    c.Text = text;
    const QString file = gone.NewCopyFile();
    gone.Write(file, c);
    gone.Flush();
    return file;
  }

  // Answers the recovery dialog: unchecks the documents of the paths given,
  // then presses the button of that caption.
  void AnswerDialog(const QString& button, const QStringList& unchecked = {}) {
    dialogs->whileShown = [this, button, unchecked] {
      auto* dialog = form->findChild<TRecoveryDialog*>();
      ASSERT_NE(dialog, nullptr);
      offered.clear();
      for (int i = 0; i < dialog->List()->count(); ++i) {
        QListWidgetItem* item = dialog->List()->item(i);
        offered << item->text();
        for (const QString& path : unchecked) {
          if (item->text().endsWith("  " + path)) item->setCheckState(Qt::Unchecked);
        }
      }
      for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == button) b->click();
      }
    };
  }

  QTemporaryDir state;
  QString root = state.filePath("zibeditor/recovery");
  std::unique_ptr<TRecovery> recovery;
  QStringList offered;
};

TEST_F(Recovery, AModifiedDocumentKeepsACopyUntilItIsSaved) {
  const QString path = Write("a.txt", "one\r\ntwo");
  Open(path);
  Type("x");
  ASSERT_TRUE(WaitForOwnCopies(1));
  std::optional<TRecoveryCopy> copy = OwnCopy();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Path, path);
  EXPECT_EQ(copy->Text, "xone\r\ntwo");
  EXPECT_EQ(copy->Origin.Identity, Active()->Origin.Identity);
  // Later typing reaches the copy once typing pauses.
  Type("y");
  ASSERT_TRUE(QTest::qWaitFor([&] {
    copy = OwnCopy();
    return copy && copy->Text == "xyone\r\ntwo";
  }, 5000));
  EXPECT_EQ(Bytes(path), "one\r\ntwo");  // the user's file is left alone
  Action("filesaveExecute")->trigger();
  EXPECT_TRUE(WaitForOwnCopies(0));
}

TEST_F(Recovery, TypingWithoutAPauseStillGetsACopyAfterAWhile) {
  recovery->PauseMs = 60000;
  recovery->LongestWaitMs = 100;
  Open(Write("a.txt", ""));
  EXPECT_TRUE(QTest::qWaitFor([&] {
    Type("x");
    recovery->Flush();
    return OwnCopies().size() == 1;
  }, 5000));
}

TEST_F(Recovery, UndoingBackOrClosingWithoutSavingRemovesTheCopy) {
  Open(Write("a.txt", "text"));
  Type("x");
  ASSERT_TRUE(WaitForOwnCopies(1));
  Edit().Undo();
  EXPECT_TRUE(WaitForOwnCopies(0));
  Type("y");
  ASSERT_TRUE(WaitForOwnCopies(1));
  dialogs->confirmAnswers.push_back(TAnswer::No);
  Active()->close();
  EXPECT_TRUE(WaitForOwnCopies(0));
  // An editor that ends with nothing left takes its folder and lock along.
  form.reset();
  recovery.reset();
  EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(Recovery, LeftCopiesComeBackModifiedUnderTheirPathsAndTheUncheckedGo) {
  const QString kept = Path("kept.txt"), dropped = Path("dropped.txt");
  WriteFile("kept.txt", "on disk");
  LeaveCopy(kept, "restored\r\ntext", TLineEnd::Lf);
  LeaveCopy(dropped, "unwanted");
  ASSERT_EQ(OtherFolders().size(), 2);
  AnswerDialog("復元", {dropped});
  OfferLeftCopies(*form, *recovery);
  ASSERT_EQ(offered.size(), 2);
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Active()->windowTitle(), kept);
  EXPECT_EQ(Edit().Text(), "restored\r\ntext");
  EXPECT_TRUE(Edit().Edited());
  EXPECT_TRUE(Active()->isWindowModified());
  EXPECT_EQ(Active()->Origin.LineEnd, TLineEnd::Lf);
  EXPECT_EQ(Bytes(kept), "on disk");
  // The restored document keeps a copy of its own; the left ones are gone.
  recovery->Flush();
  EXPECT_EQ(OwnCopies().size(), 1);
  EXPECT_EQ(OtherFolders(), QStringList());
}

TEST_F(Recovery, LeftCopiesAreDiscardedOrKeptForLater) {
  LeaveCopy(Path("a.txt"), "a");
  AnswerDialog("後で決める");
  OfferLeftCopies(*form, *recovery);
  EXPECT_EQ(offered.size(), 1);
  EXPECT_EQ(Documents(), 0);
  ASSERT_EQ(OtherFolders().size(), 1);
  EXPECT_EQ(CopiesIn(root + "/" + OtherFolders()[0]).size(), 1);
  AnswerDialog("すべて破棄");
  OfferLeftCopies(*form, *recovery);
  EXPECT_EQ(offered.size(), 1);  // offered again
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(OtherFolders(), QStringList());
}

TEST_F(Recovery, ADamagedCopyIsNamedAndKeptButNotOpened) {
  const QString file = LeaveCopy(Path("a.txt"), "some text");
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.resize(f.size() - 2);
  f.close();
  OfferLeftCopies(*form, *recovery);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  const QString kept = root + "/damaged/" + QFileInfo(file).dir().dirName() + "-" + QFileInfo(file).fileName();
  EXPECT_TRUE(dialogs->messages[0].contains(kept));
  EXPECT_TRUE(dialogs->messages[0].contains("バイトのはずが"));
  EXPECT_TRUE(QFileInfo::exists(kept));
  EXPECT_EQ(dialogs->modalWindows.size(), 0u);
  EXPECT_EQ(Documents(), 0);
}

TEST_F(Recovery, ARootThatIsNotPrivateKeepsNoCopiesAndSaysSo) {
  const QString elsewhere = state.filePath("elsewhere");
  ASSERT_TRUE(QDir().mkpath(elsewhere));
  ASSERT_TRUE(QFile::link(elsewhere, state.filePath("linked")));
  TRecovery linked(state.filePath("linked"));
  EXPECT_NE(linked.Problem(), "");
  EXPECT_EQ(linked.NewCopyFile(), "");
  OfferLeftCopies(*form, linked);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].contains(linked.Problem()));
}

// A real editor process with a modified document, killed with SIGKILL: while
// it runs its copy is its own; once it is gone the copy comes back.
TEST_F(Recovery, TheDocumentOfAKilledEditorIsRestored) {
  const QString path = Write("a.txt", "line\r\n");
  QTemporaryDir settings;
  QProcess editor;
  editor.start(QStringLiteral(ZIB_RECOVERY_HELPER), {root, settings.path(), path, "typed "});
  ASSERT_TRUE(editor.waitForReadyRead(30000)) << editor.readAllStandardError().toStdString();
  ASSERT_EQ(editor.readAllStandardOutput().trimmed(), "ready");
  OfferLeftCopies(*form, *recovery);
  EXPECT_EQ(dialogs->modalWindows.size(), 0u);
  editor.kill();
  ASSERT_TRUE(editor.waitForFinished(10000));
  ASSERT_EQ(editor.exitStatus(), QProcess::CrashExit);
  AnswerDialog("復元");
  OfferLeftCopies(*form, *recovery);
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Active()->windowTitle(), path);
  EXPECT_EQ(Edit().Text(), "typed line\r\n");
  EXPECT_TRUE(Active()->isWindowModified());
  EXPECT_EQ(OtherFolders(), QStringList());
}

// The editor itself, as users start it: its folder under XDG_STATE_HOME is
// held while it runs, and free for a later start once it is killed.
TEST_F(Recovery, TheEditorHoldsItsFolderUnderTheStateHomeWhileItRuns) {
  QTemporaryDir runtime, home;
  ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_STATE_HOME", state.path());
  env.insert("XDG_RUNTIME_DIR", runtime.path());
  env.insert("HOME", home.path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess editor;
  editor.setProcessEnvironment(env);
  editor.start(QStringLiteral(ZIB_EDITOR), {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return OtherFolders().size() == 1; }, 30000));
  const QString folder = root + "/" + OtherFolders()[0];
  recovery->ClaimLeftCopies();
  EXPECT_TRUE(QFileInfo(folder).isDir());
  editor.kill();
  ASSERT_TRUE(editor.waitForFinished(10000));
  recovery->ClaimLeftCopies();  // nothing to offer: the empty folder goes
  EXPECT_FALSE(QFileInfo::exists(folder));
  EXPECT_FALSE(QFileInfo::exists(folder + ".lock"));
}

}  // namespace
