#include "app/singleinstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>

#include <unistd.h>

namespace {

constexpr int kConnectMs = 1000;
// The first instance may be showing a message box about the file.
constexpr int kAnswerMs = 60000;
constexpr char kDone = 1;
constexpr quint32 kMaxText = 1 << 20;

}  // namespace

TSingleInstance::TSingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
}

QString TSingleInstance::DefaultServerName() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty()) return runtime + QStringLiteral("/zibeditor.socket");
  return QDir::tempPath() + QStringLiteral("/zibeditor-%1.socket").arg(::getuid());
}

QString TSingleInstance::JoinArguments(const QStringList& args) {
  QString text;
  for (const QString& a : args) text += QLatin1Char(' ') + a;
  return text;
}

TSingleInstance::TRole TSingleInstance::Start(const QStringList& args) {
  if (HandOver(args)) return TRole::HandedOver;
  if (Listen()) return TRole::First;
  // Another start may have won the race, or a crashed one left its socket.
  if (HandOver(args)) return TRole::HandedOver;
  QLocalServer::removeServer(name_);
  Listen();
  return TRole::First;
}

bool TSingleInstance::HandOver(const QStringList& args) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  if (args.isEmpty()) return true;
  const QByteArray text = JoinArguments(args).toUtf8();
  QByteArray message;
  QDataStream(&message, QIODevice::WriteOnly) << static_cast<quint32>(text.size());
  socket.write(message + text);
  socket.waitForBytesWritten(kConnectMs);
  socket.waitForReadyRead(kAnswerMs);
  return true;
}

bool TSingleInstance::Listen() { return server_.listen(name_); }

void TSingleInstance::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // A length in four bytes, then the text in UTF-8.
      if (socket->bytesAvailable() < 4) return;
      quint32 length = 0;
      QDataStream(socket->peek(4)) >> length;
      if (length > kMaxText) {
        socket->abort();
        return;
      }
      if (socket->bytesAvailable() < 4 + static_cast<qint64>(length)) return;
      socket->skip(4);
      emit Received(QString::fromUtf8(socket->read(length)));
      socket->write(&kDone, 1);
      socket->flush();
      socket->disconnectFromServer();
    });
  }
}

QString HandedOverPath(const QString& text) {
  static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = text.split(kLineEnd);
  if (lines.size() > 1 && lines.constLast().isEmpty()) lines.removeLast();
  const QString joined = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  qsizetype first = 0;
  qsizetype last = joined.size();
  while (first < last && joined.at(first).unicode() <= 0x20) ++first;
  while (last > first && joined.at(last - 1).unicode() <= 0x20) --last;
  return joined.mid(first, last - first);
}
