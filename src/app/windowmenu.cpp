// "ウィンドウ(&W)": arranging the document windows, and the list of them.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include "app/childwin.h"
#include "app/commands.h"
#include "app/mainform.h"

namespace {

QList<QMdiSubWindow*> Shown(const QMdiArea& mdi) {
  QList<QMdiSubWindow*> shown;
  for (QMdiSubWindow* w : mdi.subWindowList()) {
    if (!w->isMinimized()) shown << w;
  }
  return shown;
}

// Lays the windows out in n equal strips, across or down the area.
void Tile(QMdiArea& mdi, bool sideBySide) {
  const QList<QMdiSubWindow*> windows = Shown(mdi);
  if (windows.isEmpty()) return;
  const QRect area = mdi.viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    windows[i]->showNormal();
    if (sideBySide) {
      const int x0 = area.width() * i / n;
      const int x1 = area.width() * (i + 1) / n;
      windows[i]->setGeometry(x0, 0, x1 - x0, area.height());
    } else {
      const int y0 = area.height() * i / n;
      const int y1 = area.height() * (i + 1) / n;
      windows[i]->setGeometry(0, y0, area.width(), y1 - y0);
    }
  }
}

}  // namespace

void TMainForm::TileOneAboveTheOther() { Tile(*mdi_, false); }

void TMainForm::TileSideBySide() { Tile(*mdi_, true); }

void TMainForm::MinimizeAll() {
  for (QMdiSubWindow* w : mdi_->subWindowList()) w->showMinimized();
}

// Minimised windows in a row along the bottom, wrapping upwards.
void TMainForm::ArrangeIcons() {
  const QRect area = mdi_->viewport()->rect();
  int x = 0;
  int y = area.bottom();
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    if (!w->isMinimized()) continue;
    const QSize size = w->size();
    if (x > 0 && x + size.width() > area.width()) {
      x = 0;
      y -= size.height();
    }
    w->move(x, y - size.height() + 1);
    x += size.width();
  }
}

void TMainForm::FillWindowMenu() {
  QMenu* menu = commands_->Menu(QStringLiteral("WindowMenu"));
  for (QAction* a : menu->actions()) {
    if (a->property("windowListItem").toBool()) delete a;
  }
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  QAction* separator = menu->addSeparator();
  separator->setProperty("windowListItem", true);
  int number = 0;
  for (QMdiSubWindow* w : windows) {
    const auto* child = qobject_cast<const TMDIChild*>(w);
    QString title = child ? child->windowTitle() : w->windowTitle();  // a document's path, without "[*]"
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(title));
    a->setProperty("windowListItem", true);
    a->setCheckable(true);
    a->setChecked(w == mdi_->activeSubWindow());
    connect(a, &QAction::triggered, this, [this, p = QPointer<QMdiSubWindow>(w)] {
      if (p) mdi_->setActiveSubWindow(p);
    });
  }
}
