#include <QApplication>

#include "app/editorfont.h"
#include "app/mainform.h"
#include "app/qtdialogs.h"
#include "app/singleinstance.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zibeditor"));
  const QStringList args = QApplication::arguments().mid(1);
  TSingleInstance instance(TSingleInstance::DefaultServerName());
  if (instance.Start(args) == TSingleInstance::TRole::HandedOver) return 0;

  RegisterFontSubstitutes();
  const auto qtJapanese = InstallQtJapanese();
  TMainForm form(TSettingsFiles::ForProgram(QApplication::applicationDirPath()));
  QObject::connect(&instance, &TSingleInstance::Received, &form, &TMainForm::HandOver);
  form.show();
  form.OpenCommandLine(args);
  return app.exec();
}
