#include "app/singleinstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include "app/commandline.h"
#include "docfixture.h"

namespace {

// Runs the helper as a second start from `workingDir` and keeps this
// process's event loop going meanwhile, since the helper waits for our
// answer. Its exit status: 0 handed over, 3 on its own, -1 did not end.
int RunSecondStart(const QString& server, const QStringList& args, const QString& workingDir = {}) {
  QProcess p;
  if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
  QEventLoop loop;
  QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  p.start(QStringLiteral(ZIB_HANDOVER_HELPER), QStringList{server} + args);
  loop.exec();
  if (p.state() != QProcess::NotRunning || p.exitStatus() != QProcess::NormalExit) return -1;
  return p.exitCode();
}

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString server = dir.filePath("zib.socket");
};

TEST_F(SingleInstanceTest, ASecondStartHandsOverEachFileFromItsOwnFolderAndEnds) {
  TSingleInstance first(server);
  ASSERT_EQ(first.Start({}), TSingleInstance::TRole::First);
  QList<QStringList> received;
  QObject::connect(&first, &TSingleInstance::Received, [&](const QStringList& f) { received << f; });
  ASSERT_TRUE(QDir(dir.path()).mkdir("other"));
  const QDir other(dir.filePath("other"));
  for (const char* name : {"a.txt", "my file.txt", "名前.txt"}) Touch(other.filePath(name));

  EXPECT_EQ(RunSecondStart(server, {"a.txt", "missing.txt", "my", "file.txt", "名前.txt"},
                           other.path()),
            0);
  ASSERT_EQ(received.size(), 1);
  EXPECT_EQ(received[0], (QStringList{other.filePath("a.txt"), other.filePath("my file.txt"),
                                      other.filePath("名前.txt")}));

  // Without files the second start just ends, and nothing arrives.
  EXPECT_EQ(RunSecondStart(server, {}), 0);
  EXPECT_EQ(RunSecondStart(server, {"missing.txt"}), 0);
  EXPECT_EQ(received.size(), 1);
}

TEST_F(SingleInstanceTest, OnlyTheUserMayConnect) {
  TSingleInstance first(server);
  ASSERT_EQ(first.Start({}), TSingleInstance::TRole::First);
  EXPECT_EQ(QFileInfo(server).permissions() & (QFile::ReadGroup | QFile::WriteGroup |
                                               QFile::ReadOther | QFile::WriteOther),
            QFile::Permissions());
}

TEST_F(SingleInstanceTest, AStartWithNobodyListeningBecomesTheFirst) {
  EXPECT_EQ(RunSecondStart(server, {"x"}), 3);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver) {
  Touch(server);
  TSingleInstance first(server);
  EXPECT_EQ(first.Start({}), TSingleInstance::TRole::First);
  QLocalSocket probe;
  probe.connectToServer(server);
  EXPECT_TRUE(probe.waitForConnected(1000));
}

// An instance that was stopped (or is dying) still holds its socket but
// never answers: the later start gives up within seconds, runs on its own
// and has told it nothing.
TEST_F(SingleInstanceTest, AnInstanceThatDoesNotAnswerIsLeftAlone) {
  QLocalServer stopped;
  ASSERT_TRUE(stopped.listen(server));
  Touch(dir.filePath("a.txt"));
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(RunSecondStart(server, {dir.filePath("a.txt")}), 3);
  EXPECT_LT(clock.elapsed(), 8000);
  QLocalSocket* connection = stopped.nextPendingConnection();
  ASSERT_NE(connection, nullptr);
  connection->waitForReadyRead(100);
  EXPECT_TRUE(connection->readAll().isEmpty());
  EXPECT_TRUE(QFileInfo::exists(server));
}

TEST_F(SingleInstanceTest, WithoutAPrivateFolderEveryStartRunsOnItsOwn) {
  TSingleInstance alone{QString()};
  EXPECT_EQ(alone.Start({"/tmp/x"}), TSingleInstance::TRole::First);
  EXPECT_EQ(RunSecondStart(QString(), {}), 3);
}

TEST_F(SingleInstanceTest, OnlyAFolderOfTheUsersOwnWithModeSevenHundredIsPrivate) {
  const QString folder = dir.filePath("f");
  ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0700), 0);
  EXPECT_TRUE(IsPrivateFolder(folder));
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_FALSE(IsPrivateFolder(folder));
  ::chmod(QFile::encodeName(folder).constData(), 0700);
  ASSERT_TRUE(QFile::link(folder, dir.filePath("link")));
  EXPECT_FALSE(IsPrivateFolder(dir.filePath("link")));
  Touch(dir.filePath("file"));
  ::chmod(QFile::encodeName(dir.filePath("file")).constData(), 0700);
  EXPECT_FALSE(IsPrivateFolder(dir.filePath("file")));
  EXPECT_FALSE(IsPrivateFolder(dir.filePath("missing")));
  if (::geteuid() == 0) {  // only root can give a folder away
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
    EXPECT_FALSE(IsPrivateFolder(folder));
  }
}

// Sets an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

TEST_F(SingleInstanceTest, TheSocketLivesOnlyInAFolderPrivateToTheUser) {
  const ScopedEnv tmp("TMPDIR", QFile::encodeName(dir.path()));
  const QString own = dir.filePath(QStringLiteral("zibeditor-%1").arg(::geteuid()));
  {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));  // 0700, ours
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(TSingleInstance::DefaultServerName(), dir.filePath("zibeditor.socket"));
  }
  const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray());
  EXPECT_EQ(TSingleInstance::DefaultServerName(), own + "/zibeditor.socket");
  EXPECT_TRUE(IsPrivateFolder(own));

  // Somebody else made the folder first, open to all.
  ::chmod(QFile::encodeName(own).constData(), 0777);
  EXPECT_EQ(TSingleInstance::DefaultServerName(), QString());
}

TEST(CommandLineFiles, RunsOfArgumentsThatNameFiles) {
  QTemporaryDir dir;
  const QDir base(dir.path());
  for (const char* name : {"a.txt", "b.txt", "file.txt", "my file.txt", "my big file.txt"}) {
    Touch(base.filePath(name));
  }
  ASSERT_TRUE(base.mkdir("sub"));
  const auto abs = [&](const char* name) { return base.filePath(name); };

  EXPECT_EQ(CommandLineFiles({"a.txt", "b.txt"}, base), (QStringList{abs("a.txt"), abs("b.txt")}));
  // An unquoted path with spaces arrives in pieces; the longest run counts.
  EXPECT_EQ(CommandLineFiles({"my", "big", "file.txt", "a.txt"}, base),
            (QStringList{abs("my big file.txt"), abs("a.txt")}));
  EXPECT_EQ(CommandLineFiles({"my", "file.txt"}, base), QStringList{abs("my file.txt")});
  // What names no file does not swallow the files after it.
  EXPECT_EQ(CommandLineFiles({"missing.txt", "a.txt"}, base), QStringList{abs("a.txt")});
  EXPECT_EQ(CommandLineFiles({"sub", "/dev/null", "", "my", "file.txt"}, base),
            QStringList{abs("my file.txt")});
  EXPECT_EQ(CommandLineFiles({abs("b.txt"), "nothing"}, QDir("/")), QStringList{abs("b.txt")});
  EXPECT_TRUE(CommandLineFiles({}, base).isEmpty());
}

// A later start's files arrive while a command shows a message box: they
// wait until the command is done, and nothing it still uses is touched.
using HandOverDuringABox = DocFixture;

TEST_F(HandOverDuringABox, FilesArrivingWhileTheReplacedCountIsShownOpenAfterIt) {
  QTemporaryDir sockets;
  const QString server = sockets.filePath("zib.socket");
  TSingleInstance first(server);
  ASSERT_EQ(first.Start({}), TSingleInstance::TRole::First);
  QObject::connect(&first, &TSingleInstance::Received, form.get(), &TMainForm::HandOver);
  const QString utf8 = Write("u.txt", "\xC3\xA9t\xC3\xA9");
  const QString euc = Write("e.txt", "\xA4\xA2");  // EUC-JP, no UTF-8
  const QString plain = Write("p.txt", "plain");

  bool delivered = false;
  int documentsWhileOpen = -1;
  dialogs->whileShown = [&] {
    if (delivered || dialogs->messages.empty()) return;  // the open dialog comes first
    delivered = true;
    EXPECT_EQ(RunSecondStart(server, {euc, plain}), 0);
    documentsWhileOpen = Documents();
  };
  Open(utf8, "UnicodeUTF8ShiftJIS1Click");
  EXPECT_EQ(documentsWhileOpen, 1);
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Edit().Text(), "?t?");

  QCoreApplication::processEvents();
  // Read in the mode last chosen, UTF-8: the EUC-JP file is refused.
  ASSERT_EQ(Documents(), 2);
  EXPECT_EQ(form->Children()[0]->AFEdit->Text(), "?t?");
  EXPECT_EQ(Active()->windowTitle(), plain);
  EXPECT_EQ(Edit().Text(), "plain");
  EXPECT_EQ(dialogs->messages.back(), euc + " の読み込みに失敗しました(-_-;)");
  EXPECT_EQ(form->RecentFiles().Items().last(), plain);
}

}  // namespace
