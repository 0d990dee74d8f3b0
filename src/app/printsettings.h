// The print settings and their window "印刷設定" (TForm3).
#pragma once

#include <QDialog>

#include <functional>

#include "app/printlayout.h"

class QButtonGroup;
class QSpinBox;

struct TPrintSettings {
  int PrintSize = psSameSize;  // TPrintSize
  int PrintCopies = 1;
  int PrintOrientation = 0;  // 0 portrait, 1 landscape
};

inline constexpr int kMaxPrintCopies = 999;

// Not modal. "印刷" and "適用" store the controls into the settings, "印刷"
// then prints; "キャンセル" stores nothing. Either way the window is hidden
// and shows its controls as they were left the next time it opens.
class TForm3 : public QDialog {
  Q_OBJECT
 public:
  TForm3(QWidget* parent, TPrintSettings& settings, std::function<void()> print);

 private:
  void Store();

  TPrintSettings& settings_;
  QButtonGroup* sizes_;
  QButtonGroup* orientations_;
  QSpinBox* copies_;
};
