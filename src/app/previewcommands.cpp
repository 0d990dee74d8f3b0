// The preview command, the web search and the source transfer: where the
// main window meets the preview browser.
#include <QFileInfo>
#include <QToolBar>

#include "app/browser/previewform.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "app/recentlist.h"
#include "app/sjistext.h"
#include "editor/memstream.h"
#include "editor/qt/tafedit.h"

namespace {

// Where a document shows: at its own path when its folder exists, so that
// its relative links and images resolve there; else in `fallbackDir`.
// Nothing is written at either place: the document is served from memory.
QString PreviewPath(const QString& caption, const QString& fallbackDir) {
  const QString folder = FolderOf(caption);
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return caption;
  return fallbackDir + QFileInfo(caption).fileName();
}

}  // namespace

void TMainForm::SetUpPreview() {
  form2_ = new TForm2(*this, favorites_, settings_.Preview);
  commands_->SetHandler(QStringLiteral("PreviewButton"), [this] { PreviewDocument(); });
  commands_->SetHandler(QStringLiteral("inserchExecute"), [this] { WebSearch(); });
}

void TMainForm::PreviewDocument() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  const QString caption = w->windowTitle();
  // The text as a save with no options writes it.
  const QByteArray text = QByteArray::fromStdString(w->AFEdit->Text());
  form2_->ShowPreview(caption, PreviewPath(caption, files_.Dir), text);
}

void TMainForm::WebSearch() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  const std::string words = w->AFEdit->SelText();
  if (words.empty()) return;
  form2_->Go(QStringLiteral("? ") + FromSjis(words));
  form2_->ShowAndFocus();
}

// A name that is an existing file opens that file: the new window must not
// carry a path that saving would overwrite with the page's source.
void TMainForm::TransferSource(const QString& name, const std::string& source) {
  const bool existing = QFileInfo(name).isFile();
  TMDIChild* w = OpenDocument(name);
  if (!w || existing) return;
  TMemoryInStream in(source);
  w->AFEdit->LoadFromStream(in, 0);
  if (toolBar1_->isHidden()) toolBar1_->show();
}
