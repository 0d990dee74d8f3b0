#include "app/browser/webengine.h"

#include <unistd.h>

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/browser/localpages.h"

// The page tells the component where each navigation of the top page goes;
// a local file shown directly would be a file URL, which is opened as a
// local page instead.
class TPreviewPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;
  std::function<void(const QUrl&)> OnBeforeNavigate;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (!isMainFrame) return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    if (url.isLocalFile()) {
      const QUrl local = LocalPageUrl(url.toLocalFile());
      QTimer::singleShot(0, this, [this, local] { load(local); });
      return false;
    }
    if (OnBeforeNavigate) OnBeforeNavigate(url);
    return true;
  }
};

namespace {

void PrepareEngine() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  // Chromium refuses to start its sandbox for root; without it, as root,
  // there would be no preview at all.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  RegisterLocalPageScheme();
}

void SecureSettings(QWebEngineSettings* s) {
  // Local files are shown as local pages; a file URL that still loads (in
  // a frame) may not read other files, nor anything on the network.
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
  s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
  // Pages that do not say otherwise are Japanese text of this editor's kind.
  s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
}

QWebEngineDownloadRequest::SavePageFormat FormatFor(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  return ext == QLatin1String("mht") || ext == QLatin1String("mhtml")
             ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
             : QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
}

}  // namespace

std::unique_ptr<TWebBrowser> NewWebEngineBrowser(QWidget* parent) {
  PrepareEngine();
  return std::make_unique<TWebEngineBrowser>(parent);
}

TWebEngineBrowser::TWebEngineBrowser(QWidget* parent)
    : profile_(new QWebEngineProfile(this)),  // off the record
      localPages_(new TLocalPages(this)),
      guard_(new TLocalPageGuard(this)),
      view_(new QWebEngineView(parent)),
      page_(new TPreviewPage(profile_, view_)) {
  SecureSettings(profile_->settings());
  profile_->installUrlSchemeHandler(kLocalPageScheme, localPages_);
  profile_->setUrlRequestInterceptor(guard_);
  connect(profile_, &QWebEngineProfile::downloadRequested, this, &TWebEngineBrowser::Download);
  view_->setPage(page_);
  ConnectPage();
}

// The page goes before the profile it was made on.
TWebEngineBrowser::~TWebEngineBrowser() { delete view_; }

void TWebEngineBrowser::ConnectPage() {
  page_->OnBeforeNavigate = [this](const QUrl& url) {
    if (OnBeforeNavigate) OnBeforeNavigate(url);
  };
  connect(page_, &QWebEnginePage::titleChanged, this, [this](const QString& title) {
    if (OnTitleChange) OnTitleChange(title);
  });
  connect(page_, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
    if (OnStatusTextChange) OnStatusTextChange(url);
  });
  connect(page_, &QWebEnginePage::loadStarted, this, [this] {
    ++loads_;
    if (OnStatusTextChange) OnStatusTextChange(QString());  // the link pointed at is gone
  });
  connect(page_, &QWebEnginePage::loadFinished, this, &TWebEngineBrowser::LoadFinished);
  connect(view_, &QWebEngineView::printFinished, this, [this] { printing_ = false; });
}

void TWebEngineBrowser::LoadFinished() {
  loaded_ = true;
  // The source arrives later; by then the page may be loading another
  // document, or be gone (the callback then runs during its destruction).
  const QPointer<TWebEngineBrowser> self(this);
  const unsigned load = loads_;
  page_->toHtml([self, load](const QString& html) {
    if (self && self->loads_ == load && self->OnDocumentComplete) self->OnDocumentComplete(html);
  });
}

QWidget* TWebEngineBrowser::Widget() { return view_; }

void TWebEngineBrowser::Navigate(const QUrl& url) {
  view_->load(url.isLocalFile() ? LocalPageUrl(url.toLocalFile()) : url);
}

void TWebEngineBrowser::ShowDocument(const QString& path, const QByteArray& sjisHtml) {
  localPages_->SetDocument(path, sjisHtml);
  view_->load(LocalPageUrl(path));
}

void TWebEngineBrowser::Refresh() { view_->reload(); }

void TWebEngineBrowser::Stop() { view_->stop(); }

void TWebEngineBrowser::SetZoomFactor(double factor) { view_->setZoomFactor(factor); }

void TWebEngineBrowser::SavePage(const QString& path) { page_->save(path, FormatFor(path)); }

void TWebEngineBrowser::PageSetup() {
  QPageSetupDialog dialog(&printer_, view_);
  dialog.exec();
}

// Printing runs on after the call returns and needs the printer till then.
void TWebEngineBrowser::Print() {
  if (printing_) return;
  QPrintDialog dialog(&printer_, view_);
  if (dialog.exec() != QDialog::Accepted || !view_) return;
  printing_ = true;
  view_->print(&printer_);
}

// The request lives only while this runs unless accepted, so the question
// is asked here; a second download arriving meanwhile is refused.
void TWebEngineBrowser::Download(QWebEngineDownloadRequest* request) {
  if (request->state() != QWebEngineDownloadRequest::DownloadRequested) return;  // a page save
  if (asking_ || !OnDownload) {
    request->cancel();
    return;
  }
  asking_ = true;
  const QPointer<TWebEngineBrowser> self(this);
  const QPointer<QWebEngineDownloadRequest> stillThere(request);
  const std::optional<QString> path = OnDownload(request->suggestedFileName());
  if (!self || !stillThere) return;
  asking_ = false;
  if (!path) {
    request->cancel();
    return;
  }
  const QFileInfo target(*path);
  request->setDownloadDirectory(target.absolutePath());
  request->setDownloadFileName(target.fileName());
  request->accept();
}
