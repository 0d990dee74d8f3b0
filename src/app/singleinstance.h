// One editor per user: the first start listens on a local socket that only
// its user may use; a later start hands its command line over and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class TRole { First, HandedOver };

  explicit TSingleInstance(QString serverName, QObject* parent = nullptr);

  // The socket in the user's runtime folder.
  static QString DefaultServerName();

  // When an instance is running, hands it the joined arguments (none when
  // there are no arguments) and waits until it has dealt with them;
  // otherwise starts listening.
  TRole Start(const QStringList& args);

  // Each argument preceded by one space.
  static QString JoinArguments(const QStringList& args);

 signals:
  // A later start's command line; the sender waits until the slots return.
  void Received(const QString& text);

 private:
  bool HandOver(const QStringList& args);
  bool Listen();
  void Accept();

  QString name_;
  QLocalServer server_;
};

// The path a handed-over text names: its lines joined with CR LF and a CR LF
// added, then blanks and control characters trimmed from both ends.
QString HandedOverPath(const QString& text);
