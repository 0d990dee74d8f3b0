#include "app/placepanel.h"

#include <QLabel>

#include "app/childwin.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"

namespace {

QString EncodingName(TEncoding encoding) {
  switch (encoding) {
    case TEncoding::ShiftJis: return QStringLiteral("SJIS");
    case TEncoding::Jis: return QStringLiteral("JIS");
    case TEncoding::Euc: return QStringLiteral("EUC");
    case TEncoding::Utf8: return QStringLiteral("UTF-8");
    case TEncoding::Ucs2: return QStringLiteral("UCS-2");
  }
  return QString();
}

QString LineEndName(TLineEnd lineEnd) {
  switch (lineEnd) {
    case TLineEnd::CrLf: return QStringLiteral("CRLF");
    case TLineEnd::Lf: return QStringLiteral("LF");
    case TLineEnd::Cr: return QStringLiteral("CR");
  }
  return QString();
}

}  // namespace

// "上書き保存" writes Shift-JIS whatever the file was read as.
QString PlaceText(const TFilePos& pos, const TFileOrigin& origin) {
  QString encoding = EncodingName(TEncoding::ShiftJis);
  if (origin.Encoding != TEncoding::ShiftJis) encoding.prepend(EncodingName(origin.Encoding) + QStringLiteral("→"));
  return QStringLiteral("%1 行 %2 桁　%3 %4").arg(pos.Line).arg(pos.Column).arg(encoding, LineEndName(origin.LineEnd));
}

// Wide enough for a long place, so that the bar does not jump as it changes.
QLabel* NewPlacePanel(QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QStringLiteral("PlacePanel"));
  panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("999999 行 9999 桁　UCS-2→SJIS CRLF")));
  return panel;
}

void TMainForm::ShowPlace(const TMDIChild* child) {
  if (!child) {
    place_->clear();
    return;
  }
  const TAFEdit& edit = *child->AFEdit;
  place_->setText(PlaceText(edit.FilePosOf(edit.CaretPos), child->Origin));
}
