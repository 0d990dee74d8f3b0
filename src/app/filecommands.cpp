#include "app/filecommands.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace {

// The extension as the file-name part carries it, dot included.
QString Extension(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

TEncoding EncodingOf(int openMode) {
  switch (openMode) {
    case omEuc: return TEncoding::Euc;
    case omJis: return TEncoding::Jis;
    case omUtf8: return TEncoding::Utf8;
    case omUcs2: return TEncoding::Ucs2;
    default: return TEncoding::ShiftJis;
  }
}

}  // namespace

TDocumentText ReadDocument(const QString& path, int mode) {
  TDocumentText doc;
  // Taken before reading: a change meanwhile then shows at the next save.
  const TFileIdentity identity = IdentityOf(path.toStdString());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return doc;
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) return doc;
  const TEncoding encoding = EncodingOf(mode);
  TDecodedText decoded =
      DecodeText(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), encoding, true);
  // Bytes that are no UTF-8 give no text; opening them as an empty
  // document would invite saving nothing over the file.
  doc.Ok = !decoded.Malformed;
  doc.Text = std::move(decoded.Text);
  doc.Replaced = decoded.Replaced;
  doc.Origin = TFileOrigin{
      .Encoding = encoding, .Bom = decoded.Bom, .CutAtNul = decoded.CutAtNul, .Identity = identity};
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
