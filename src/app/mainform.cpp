#include "app/mainform.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Zib_Editor"));
  resize(800, 600);
}
