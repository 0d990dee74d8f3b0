#include "app/aboutbox.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* icon = new QLabel(panel);
  icon->setPixmap(QPixmap(QStringLiteral(":/zibeditor.png")));
  auto* text = new QVBoxLayout;
  for (const char* line : {"Zib_Editor", "ver.1.38", "2006.7.6"}) {
    text->addWidget(new QLabel(QString::fromLatin1(line), panel));
  }
  auto* row = new QHBoxLayout(panel);
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addSpacing(16);
  row->addLayout(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(buttons, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint());
}

void TAboutBox::PlaceBeside(const QWidget& mainWindow) {
  move(mainWindow.pos() + QPoint(400, 100));
}
