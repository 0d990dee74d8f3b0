#include "app/printsettings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A titled group of radio buttons, the first one chosen.
QGroupBox* NewRadioGroup(QWidget* parent, const char* name, const QString& title,
                         const QStringList& items, QButtonGroup* group) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(QLatin1String(name));
  auto* layout = new QVBoxLayout(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items.at(i), box);
    group->addButton(button, i);
    layout->addWidget(button);
  }
  group->button(0)->setChecked(true);
  return box;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TForm3::TForm3(QWidget* parent, TPrintSettings& settings, std::function<void()> print)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("印刷設定"));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);

  sizes_ = new QButtonGroup(this);
  orientations_ = new QButtonGroup(this);
  QGroupBox* sizeBox = NewRadioGroup(
      this, "RadioGroup1", QStringLiteral("印刷サイズ"),
      {QStringLiteral("等倍"), QStringLiteral("拡大200％"), QStringLiteral("拡大300％"),
       QStringLiteral("拡大400％"), QStringLiteral("フィットページ")},
      sizes_);
  QGroupBox* orientationBox = NewRadioGroup(
      this, "RadioGroup2", QStringLiteral("印刷方向"),
      {QStringLiteral("ページを垂直方向に印刷する"), QStringLiteral("ページを水平方向に印刷する")},
      orientations_);
  auto* label = new QLabel(QStringLiteral("部数"), this);
  label->setObjectName(QStringLiteral("Label1"));
  copies_ = new QSpinBox(this);
  copies_->setObjectName(QStringLiteral("SpinEdit1"));
  copies_->setRange(1, kMaxPrintCopies);
  label->setBuddy(copies_);
  QPushButton* printButton = NewButton(this, "Button1", QStringLiteral("印刷"));
  QPushButton* applyButton = NewButton(this, "Button3", QStringLiteral("適用"));
  QPushButton* cancelButton = NewButton(this, "Button2", QStringLiteral("キャンセル"));

  auto* copiesRow = new QHBoxLayout;
  copiesRow->addWidget(label);
  copiesRow->addWidget(copies_);
  copiesRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {printButton, applyButton, cancelButton}) buttons->addWidget(b);
  auto* right = new QVBoxLayout;
  right->addWidget(orientationBox);
  right->addLayout(copiesRow);
  right->addStretch();
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(sizeBox);
  layout->addLayout(right, 1);
  setFixedSize(sizeHint().expandedTo(QSize(398, 175)));

  connect(printButton, &QPushButton::clicked, this, [this, print = std::move(print)] {
    hide();
    Store();
    print();
  });
  connect(applyButton, &QPushButton::clicked, this, [this] {
    hide();
    Store();
  });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

void TForm3::Store() {
  settings_.PrintSize = sizes_->checkedId();
  settings_.PrintCopies = copies_->value();
  settings_.PrintOrientation = orientations_->checkedId();
}
