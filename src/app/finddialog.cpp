#include "app/finddialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* AddTextRow(QGridLayout* grid, const QString& caption, const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  auto* label = new QLabel(caption);
  label->setBuddy(edit);
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

}  // namespace

TFindDialog::TFindDialog(TKind kind, QWidget* parent) : QDialog(parent) {
  const bool replacing = kind == TKind::Replace;
  setObjectName(replacing ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
  setWindowTitle(replacing ? QStringLiteral("置換") : QStringLiteral("検索"));
  setModal(false);

  auto* texts = new QGridLayout;
  searchText_ = AddTextRow(texts, QStringLiteral("検索する文字列(&N):"), "SearchText");
  if (replacing) replaceText_ = AddTextRow(texts, QStringLiteral("置換後の文字列(&P):"), "ReplaceText");
  connect(searchText_, &QLineEdit::textChanged, this, &TFindDialog::EnableButtons);

  matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"));
  matchCase_->setObjectName(QStringLiteral("MatchCase"));
  auto* direction = new QGroupBox(QStringLiteral("方向"));
  up_ = new QRadioButton(QStringLiteral("上へ(&U)"));
  up_->setObjectName(QStringLiteral("Up"));
  auto* down = new QRadioButton(QStringLiteral("下へ(&D)"));
  down->setObjectName(QStringLiteral("Down"));
  down->setChecked(true);
  auto* directionRow = new QHBoxLayout(direction);
  directionRow->addWidget(up_);
  directionRow->addWidget(down);

  auto* options = new QHBoxLayout;
  auto* boxes = new QVBoxLayout;
  // The whole-word option is never used: disabled in the find dialog and
  // absent from the replace dialog.
  if (!replacing) {
    auto* wholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"));
    wholeWord->setEnabled(false);
    boxes->addWidget(wholeWord);
  }
  boxes->addWidget(matchCase_);
  options->addLayout(boxes);
  options->addWidget(direction);

  auto* fields = new QVBoxLayout;
  fields->addLayout(texts);
  fields->addLayout(options);
  fields->addStretch();

  auto* buttons = new QVBoxLayout;
  QPushButton* findNext = AddButton(QStringLiteral("次を検索(&F)"), "FindNextButton");
  buttons->addWidget(findNext);
  findNext->setDefault(true);
  connect(findNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
  if (replacing) {
    QPushButton* replace = AddButton(QStringLiteral("置換して次に(&R)"), "ReplaceButton");
    QPushButton* replaceAll = AddButton(QStringLiteral("すべて置換(&A)"), "ReplaceAllButton");
    buttons->addWidget(replace);
    buttons->addWidget(replaceAll);
    connect(replace, &QPushButton::clicked, this, &TFindDialog::Replace);
    connect(replaceAll, &QPushButton::clicked, this, &TFindDialog::ReplaceAll);
  }
  auto* close = new QPushButton(QStringLiteral("キャンセル"));
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  EnableButtons();
}

QPushButton* TFindDialog::AddButton(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  searchButtons_ << button;
  return button;
}

void TFindDialog::EnableButtons() {
  for (QPushButton* b : searchButtons_) b->setEnabled(!searchText_->text().isEmpty());
}

QString TFindDialog::SearchText() const { return searchText_->text(); }
void TFindDialog::SetSearchText(const QString& text) { searchText_->setText(text); }
QString TFindDialog::ReplaceText() const { return replaceText_ ? replaceText_->text() : QString(); }
bool TFindDialog::MatchCase() const { return matchCase_->isChecked(); }
bool TFindDialog::SearchUp() const { return up_->isChecked(); }

void TFindDialog::ShowAt(const QPoint& at) {
  move(at);
  show();
  raise();
  activateWindow();
  searchText_->setFocus();
  searchText_->selectAll();
}
