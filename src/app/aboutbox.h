// "バージョン情報": the program's icon, name, version and date.
#pragma once

#include <QDialog>

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent);
  // Opens beside the main window's top-left corner.
  void PlaceBeside(const QWidget& mainWindow);
};
