#include "scripteddialogs.h"

#include <QDialog>

void ScriptedDialogs::RunModal(QDialog& dialog) {
  modalWindows.push_back(dialog.objectName());
  Shown();
}
