#include "app/singleinstance.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalSocket>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kConnectMs = 1000;
// The first instance answers from any event loop, a modal one included;
// one that does not answer within this time is stopped or dying.
constexpr int kAnswerMs = 3000;
constexpr char kHello = 'Z';
constexpr char kTaken = 1;
constexpr quint32 kMaxMessage = 1 << 20;

// Each path followed by a NUL, which no path contains; in UTF-8.
QByteArray Message(const QStringList& files) {
  QByteArray text;
  for (const QString& f : files) text += f.toUtf8() + '\0';
  QByteArray message;
  QDataStream(&message, QIODevice::WriteOnly) << static_cast<quint32>(text.size());
  return message + text;
}

QStringList FilesOf(const QByteArray& text) {
  QStringList files;
  for (const QByteArray& f : text.split('\0')) {
    if (!f.isEmpty()) files << QString::fromUtf8(f);
  }
  return files;
}

bool ReadByte(QLocalSocket& socket, char expected) {
  char c = 0;
  if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kAnswerMs)) return false;
  return socket.getChar(&c) && c == expected;
}

}  // namespace

TSingleInstance::TSingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
}

bool IsPrivateFolder(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

QString TSingleInstance::DefaultServerName() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !IsPrivateFolder(folder)) {
    // Anybody may create folders here: one that is not ours is refused.
    folder = QDir::tempPath() + QStringLiteral("/zibeditor-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    if (!IsPrivateFolder(folder)) return QString();
  }
  return folder + QStringLiteral("/zibeditor.socket");
}

TSingleInstance::TRole TSingleInstance::Start(const QStringList& files) {
  if (name_.isEmpty()) return TRole::First;
  for (int attempt = 0;; ++attempt) {
    switch (HandOver(files)) {
      case THandOver::Done: return TRole::HandedOver;
      case THandOver::NoAnswer: return TRole::First;  // the socket stays the other's
      case THandOver::NobodyListens: break;
    }
    // Another start may win the race; a crashed one may have left its socket.
    if (attempt == 1) QLocalServer::removeServer(name_);
    if (server_.listen(name_) || attempt == 1) return TRole::First;
  }
}

// The files go only to an instance that has said hello.
TSingleInstance::THandOver TSingleInstance::HandOver(const QStringList& files) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return THandOver::NobodyListens;
  if (!ReadByte(socket, kHello)) return THandOver::NoAnswer;
  if (files.isEmpty()) return THandOver::Done;
  socket.write(Message(files));
  if (!socket.waitForBytesWritten(kAnswerMs) || !ReadByte(socket, kTaken)) return THandOver::NoAnswer;
  return THandOver::Done;
}

void TSingleInstance::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->putChar(kHello);
    socket->flush();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // A length in four bytes, then the text.
      if (socket->bytesAvailable() < 4) return;
      quint32 length = 0;
      QDataStream(socket->peek(4)) >> length;
      if (length > kMaxMessage) {
        socket->abort();
        return;
      }
      if (socket->bytesAvailable() < 4 + static_cast<qint64>(length)) return;
      socket->skip(4);
      const QStringList files = FilesOf(socket->read(length));
      socket->putChar(kTaken);
      socket->flush();
      socket->disconnectFromServer();
      emit Received(files);
    });
  }
}
