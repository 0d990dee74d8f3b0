// A later start as the editor makes it: hands the files its arguments name
// to the instance listening on argv[1]. Exit status 0 after a hand-over, 3
// when it would have run on its own.
#include <QCoreApplication>
#include <QDir>

#include "app/commandline.h"
#include "app/singleinstance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList files = CommandLineFiles(app.arguments().mid(2), QDir::current());
  TSingleInstance instance(app.arguments().value(1));
  return instance.Start(files) == TSingleInstance::TRole::HandedOver ? 0 : 3;
}
