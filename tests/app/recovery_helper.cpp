// An editor with a modified document, to be killed: opens argv[3] with the
// settings of folder argv[2], types argv[4] into it, and once the recovery
// copy under root argv[1] is on disk prints "ready" and runs until killed.
#include <QApplication>
#include <QDir>
#include <QThread>

#include <cstdio>

#include "app/childwin.h"
#include "app/docrecovery.h"
#include "app/mainform.h"
#include "app/recovery.h"
#include "editor/qt/tafedit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 5) return 2;
  TRecovery recovery(args[1]);
  recovery.PauseMs = 50;
  TMainForm form(TSettingsFiles{args[2] + QLatin1Char('/')});
  KeepCopies(form, recovery);
  form.show();
  if (form.OpenFiles({args[3]}) != 1) return 3;
  form.ActiveChild()->AFEdit->InsertText(args[4].toStdString());
  while (QDir(recovery.Folder()).entryList({QStringLiteral("*.zibrec")}, QDir::Files).isEmpty()) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  recovery.Flush();
  std::puts("ready");
  std::fflush(stdout);
  return app.exec();
}
