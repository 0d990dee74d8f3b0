#include <QApplication>
#include <QDir>

#include "app/commandline.h"
#include "app/docrecovery.h"
#include "app/editorfont.h"
#include "app/mainform.h"
#include "app/outsidework.h"
#include "app/qtdialogs.h"
#include "app/recovery.h"
#include "app/singleinstance.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zibeditor"));
  // Made absolute here: a running instance has a working folder of its own.
  const QStringList files = CommandLineFiles(QApplication::arguments().mid(1), QDir::current());
  TSingleInstance instance(TSingleInstance::DefaultServerName());
  if (instance.Start(files) == TSingleInstance::TRole::HandedOver) return 0;

  RegisterFontSubstitutes();
  const auto qtJapanese = InstallQtJapanese();
  // Outlives the documents, whose copies it removes as they close.
  TRecovery recovery(TRecovery::DefaultRoot());
  TMainForm form(TSettingsFiles::ForProgram(QApplication::applicationDirPath()));
  KeepCopies(form, recovery);
  QObject::connect(&instance, &TSingleInstance::Received, &form, &TMainForm::HandOver);
  form.show();
  TOutsideWork::Post(&form, [&form, &recovery, files] {
    OfferLeftCopies(form, recovery);
    form.OpenFiles(files);
  });
  return app.exec();
}
