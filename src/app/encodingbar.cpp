#include "app/encodingbar.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "app/childwin.h"
#include "app/commands.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/outsidework.h"
#include "editor/qt/tafedit.h"

namespace {

constexpr TReopenEncoding kReopenEncodings[] = {
    {TDetected::Euc, "EUC-JP", "EUCJPShiftJIS1Click", omEuc},
    {TDetected::Jis, "JIS", "JISShiftJIS1Click", omJis},
    {TDetected::Utf8, "UTF-8", "UnicodeUTF8ShiftJIS1Click", omUtf8},
    {TDetected::Ucs2, "UCS-2", "UnicodeUCS2ShiftJIS1Click", omUcs2},
};

// Opens the file again as the encoding's open command opens it, in place of
// the document window, which goes only once the new one is open.
void Reopen(TMainForm& main, const QPointer<TMDIChild>& child, const TReopenEncoding& encoding, QString path) {
  const TOutsideWork::THold hold;
  if (child && child->AFEdit->Edited() &&
      !main.Dlg().Ask(path + QStringLiteral(" は変更されています。\r\n変更を破棄して開き直しますか？"))) {
    return;
  }
  if (!QFileInfo(path).isFile()) {
    main.Dlg().ShowMessage(path + QStringLiteral(" の読み込みに失敗しました(-_-;)"));
    return;
  }
  // The mode the user last chose stays for the next drop or start.
  const int mode = main.OpenMode;
  main.OpenMode = encoding.OpenMode;
  main.AddToHistory(path);
  TMDIChild* reopened = main.OpenDocument(path);
  main.OpenMode = mode;
  if (!reopened || !child) return;
  if (!child->isMaximized()) reopened->setGeometry(child->geometry());
  child->AFEdit->SetEdited(false);  // its changes were given up above
  child->close();
}

}  // namespace

const TReopenEncoding* ReopenEncodingFor(TDetected detected) {
  for (const TReopenEncoding& e : kReopenEncodings) {
    if (e.Detected == detected) return &e;
  }
  return nullptr;
}

TEncodingBar::TEncodingBar(const TReopenEncoding& encoding, const QString& path, const QString& commandCaption,
                           QWidget* parent)
    : QFrame(parent), encoding_(encoding), path_(path) {
  setObjectName(QStringLiteral("encodingBar"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  label_ = new QLabel(QStringLiteral("このファイルは %1 のようです。").arg(QLatin1String(encoding.Name)), this);
  auto* reopen = new QPushButton(commandCaption + QStringLiteral("して開き直す"), this);
  reopen->setObjectName(QStringLiteral("reopen"));
  auto* keep = new QPushButton(QStringLiteral("Shift-JIS のまま"), this);
  keep->setObjectName(QStringLiteral("keep"));
  // A click leaves the keyboard with the editor.
  for (QPushButton* button : {reopen, keep}) button->setFocusPolicy(Qt::TabFocus);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 2, 6, 2);
  row->addWidget(label_);
  row->addStretch();
  row->addWidget(reopen);
  row->addWidget(keep);
  connect(reopen, &QPushButton::clicked, this, &TEncodingBar::Reopen);
  connect(keep, &QPushButton::clicked, this, [this] {
    hide();
    deleteLater();
  });
}

QString TEncodingBar::Message() const { return label_->text(); }

void OfferReopen(TMainForm& main, TMDIChild& child, const QString& path, TDetected looksLike) {
  const TReopenEncoding* encoding = ReopenEncodingFor(looksLike);
  if (!encoding) return;
  const QAction* command = main.Commands().Action(QLatin1String(encoding->OpenCommand));
  auto* bar = new TEncodingBar(*encoding, path, command ? command->text() : QString(), &child);
  QObject::connect(bar, &TEncodingBar::Reopen, bar, [&main, window = QPointer<TMDIChild>(&child), bar] {
    Reopen(main, window, bar->Encoding(), bar->Path());
  });
  child.ShowBar(bar);
}
