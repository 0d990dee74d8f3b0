// A visible sign that a long operation runs: the wait cursor always, and a
// small busy dialog when the work is large enough to take more than about
// half a second. The operations themselves report no progress, so the size
// of the work decides in advance. Work from outside waits meanwhile: the
// dialog is drawn from a nested event loop.
#pragma once

#include <QString>

#include <memory>

#include "app/outsidework.h"

class QProgressDialog;
class QWidget;

class TBusyIndicator {
 public:
  TBusyIndicator(QWidget* parent, const QString& text, long long workBytes);
  ~TBusyIndicator();
  TBusyIndicator(const TBusyIndicator&) = delete;
  TBusyIndicator& operator=(const TBusyIndicator&) = delete;

  // Bytes of text the slowest of these operations handles in half a second.
  static long long threshold;

 private:
  TOutsideWork::THold hold_;
  std::unique_ptr<QProgressDialog> dialog_;
};
