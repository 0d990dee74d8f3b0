// A later start as the editor makes it: hands its arguments to the instance
// listening on argv[1]. Exit status 0 after a hand-over, 3 when it would
// have become the first instance itself.
#include <QCoreApplication>

#include "app/singleinstance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(2);
  TSingleInstance instance(app.arguments().value(1));
  return instance.Start(args) == TSingleInstance::TRole::HandedOver ? 0 : 3;
}
