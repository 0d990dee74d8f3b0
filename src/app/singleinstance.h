// One editor per user: the first start listens on a local socket in a
// folder that only its user may enter; a later start hands over the files
// its command line names and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class TRole { First, HandedOver };

  // With an empty name every start runs on its own.
  explicit TSingleInstance(QString serverName, QObject* parent = nullptr);

  // The socket in the user's runtime folder, else in a folder of our own
  // in the temporary folder; empty when neither is private to the user.
  static QString DefaultServerName();

  // Hands `files` (none for a start without files) to the running instance
  // and returns HandedOver once it has taken them. Otherwise this start is
  // the first and listens; but when an instance holds the socket without
  // answering (stopped, dying), this one runs on its own beside it.
  TRole Start(const QStringList& files);

 signals:
  // A later start's files, taken: that start has ended or is ending.
  void Received(const QStringList& files);

 private:
  enum class THandOver { Done, NobodyListens, NoAnswer };
  THandOver HandOver(const QStringList& files);
  void Accept();

  QString name_;
  QLocalServer server_;
};

// A directory, not a link, owned by this user, with mode 0700.
bool IsPrivateFolder(const QString& path);
