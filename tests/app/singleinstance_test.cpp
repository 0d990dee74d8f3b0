#include "app/singleinstance.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Runs the helper as a second start and keeps this process's event loop
// going meanwhile, since the helper waits for our answer.
int RunSecondStart(const QString& server, const QStringList& args) {
  QProcess p;
  QEventLoop loop;
  QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  p.start(QStringLiteral(ZIB_HANDOVER_HELPER), QStringList{server} + args);
  loop.exec();
  if (p.state() != QProcess::NotRunning || p.exitStatus() != QProcess::NormalExit) return -1;
  return p.exitCode();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString server = dir.filePath("zib.socket");
};

TEST_F(SingleInstanceTest, ASecondStartHandsOverItsJoinedArgumentsAndEnds) {
  TSingleInstance first(server);
  ASSERT_EQ(first.Start({}), TSingleInstance::TRole::First);
  QStringList received;
  QObject::connect(&first, &TSingleInstance::Received, [&](const QString& t) { received << t; });

  EXPECT_EQ(RunSecondStart(server, {"/tmp/my", "file ", "名前.txt"}), 0);
  EXPECT_EQ(received, QStringList{" /tmp/my file  名前.txt"});

  // Without arguments the second start just ends.
  EXPECT_EQ(RunSecondStart(server, {}), 0);
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
  {
    QFile stale(server);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  }
  TSingleInstance first(server);
  EXPECT_EQ(first.Start({}), TSingleInstance::TRole::First);
  QLocalSocket probe;
  probe.connectToServer(server);
  EXPECT_TRUE(probe.waitForConnected(1000));
}

TEST(HandedOverPath, LinesJoinedAndTrimmed) {
  EXPECT_EQ(HandedOverPath(" /tmp/a b.txt"), "/tmp/a b.txt");
  EXPECT_EQ(HandedOverPath(" /tmp/a\nb.txt\t"), "/tmp/a\r\nb.txt");
  EXPECT_EQ(HandedOverPath("\x01 x \x1f"), "x");
  // A full-width space is no blank.
  EXPECT_EQ(HandedOverPath(" 　x"), "　x");
  EXPECT_EQ(HandedOverPath(""), "");
}

}  // namespace
