#include "app/listeditor.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/sjistext.h"

Teditform::Teditform(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("editform"));
  setWindowTitle(QStringLiteral("定型文リストの編集"));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);
  resize(403, 242);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo1);
}

bool Teditform::Open(TListEditMode mode, const QString& caption, const TStringList& list) {
  if (isVisible()) return false;
  ListEditMode = mode;
  // Every line ends with a line end, so that trailing blank lines come
  // back as they went in.
  std::string text;
  for (const std::string& line : list) text += line + '\n';
  Memo1->setPlainText(FromSjis(text));
  setWindowTitle(caption);
  show();
  raise();
  activateWindow();
  Memo1->setFocus();
  return true;
}

TStringList Teditform::Lines() const { return SplitLines(ToSjis(Memo1->toPlainText())); }

// A hidden window has nothing to apply: its text is what it showed last time.
void Teditform::closeEvent(QCloseEvent* e) {
  if (isVisible() && OnApply) OnApply(ListEditMode, Lines());
  e->accept();
}

void Teditform::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && OnActivation) OnActivation(isActiveWindow());
  QWidget::changeEvent(e);
}
