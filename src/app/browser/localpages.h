// Local pages: the preview browser's own URL scheme. The document being
// previewed is answered from memory at the address of its path, any other
// local file from the disk, so that a page's relative links and images
// resolve in its folder and nothing is ever written there. Every page of
// the scheme has an origin of its own, so its scripts cannot read other
// local files; pages from the web cannot load local pages at all.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

inline constexpr char kLocalPageScheme[] = "zibpreview";

// Once, before the first web engine profile is made.
void RegisterLocalPageScheme();

// The address of a local file as a local page, and back.
QUrl LocalPageUrl(const QString& path);
QString LocalPagePath(const QUrl& url);

// Whether a request for a local page may go ahead: asked for by the program
// or the user (no initiator), or by a local page (an opaque initiator) of a
// tab that shows a local page.
bool MayLoadLocalPage(const QUrl& firstParty, const QUrl& initiator);

class TLocalPages : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  // The document answered from memory from now on, in place of the last one.
  void SetDocument(const QString& path, const QByteArray& sjisHtml);
  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  QString documentPath_;
  QByteArray document_;
};

// Blocks requests for local pages that MayLoadLocalPage refuses.
class TLocalPageGuard : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};
