#include "app/recoverydialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TRecoveryDialog::TRecoveryDialog(QWidget* parent, const QStringList& documents)
    : QDialog(parent), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("RecoveryDialog"));
  setWindowTitle(QStringLiteral("文書の復元"));
  auto* text = new QLabel(QStringLiteral("前回 Zib_Editor が正しく終了しなかったため、保存されていない文書が残っています。\n"
                                         "チェックした文書を、変更されたままの文書として元のファイル名で開きます。"
                                         "チェックしていない文書は破棄します。"),
                          this);
  text->setWordWrap(true);
  for (const QString& document : documents) {
    auto* item = new QListWidgetItem(document, list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* restore = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
  QPushButton* discard = buttons->addButton(QStringLiteral("すべて破棄"), QDialogButtonBox::DestructiveRole);
  QPushButton* later = buttons->addButton(QStringLiteral("後で決める"), QDialogButtonBox::RejectRole);
  restore->setDefault(true);
  connect(restore, &QPushButton::clicked, this, [this] { done(Restore); });
  connect(discard, &QPushButton::clicked, this, [this] { done(DiscardAll); });
  connect(later, &QPushButton::clicked, this, [this] { done(Later); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(560, 300);
}

bool TRecoveryDialog::Checked(int document) const {
  const QListWidgetItem* item = list_->item(document);
  return item && item->checkState() == Qt::Checked;
}
