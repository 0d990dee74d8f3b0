#include "app/filecommands.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

std::string UpToZeroByte(const QByteArray& data) {
  const qsizetype zero = data.indexOf('\0');
  return std::string(data.constData(), static_cast<std::size_t>(zero < 0 ? data.size() : zero));
}

// The extension as the file-name part carries it, dot included.
QString Extension(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

}  // namespace

TDocumentText ReadDocument(const QString& path, int mode) {
  TDocumentText doc;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return doc;
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) return doc;
  doc.Ok = true;
  const TAutoSjisConv conv;
  switch (mode) {
    case omUcs2:
      doc.Text = Ucs2ToSjis(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                            &doc.Replaced);
      break;
    case omEuc: doc.Text = conv.EucToSjis(UpToZeroByte(data)); break;
    case omJis: doc.Text = conv.JisToSjis(UpToZeroByte(data)); break;
    case omUtf8: {
      const std::string utf8 = UpToZeroByte(data);
      doc.Text = Utf8ToSjis(utf8, &doc.Replaced);
      // An empty result from bytes means they were no UTF-8: opening them
      // as an empty document would invite saving nothing over the file.
      doc.Ok = !(doc.Text.empty() && !utf8.empty());
      break;
    }
    default: doc.Text = UpToZeroByte(data); break;
  }
  return doc;
}

TFileDialogSpec OpenDialogSpec() {
  return TFileDialogSpec{QStringLiteral("TEXT(*.txt)|*.txt|HTML(*.html;*.htm)|*.html;*.htm|"
                                        "全てのファイル(*.*)|*.*"),
                         3, QString(), QString()};
}

TFileDialogSpec InitialSaveDialog() {
  return TFileDialogSpec{QStringLiteral("テキスト(*.txt)|*.txt|HTML(*.html;*.htm)|*.html;*.htm"), 1,
                         QString(), QString()};
}

void PrepareSaveDialog(TFileDialogSpec& dialog, const QString& caption) {
  dialog.FileName = caption;
  const QString e = Extension(caption);
  if (e == QLatin1String(".html") || e == QLatin1String(".htm")) {
    dialog.FilterIndex = 2;
    dialog.DefaultExt = QStringLiteral("html");
  } else if (e == QLatin1String(".txt")) {
    dialog.FilterIndex = 1;
    dialog.DefaultExt = QStringLiteral("txt");
  } else {
    dialog.Filter += QStringLiteral("|(*%1)|*%1").arg(e);
    dialog.FilterIndex = static_cast<int>(dialog.Filter.count(QLatin1Char('(')));
    dialog.DefaultExt = e.mid(1);
  }
}

QString NewDocumentName(const QStringList& captions) {
  const auto n = std::count_if(captions.begin(), captions.end(), [](const QString& c) {
    return c.contains(QLatin1String("NONAME"), Qt::CaseInsensitive);
  });
  return QStringLiteral("NONAME%1.txt").arg(n + 1);
}

void OpenFolder(const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); }
