#include "app/browser/localpages.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

void RegisterLocalPageScheme() {
  QWebEngineUrlScheme scheme(kLocalPageScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  // An opaque origin for every page: not even another local page can be
  // read by script. The scheme is not "local" to the engine, which would
  // either keep pages from their own images or open every file to them.
  scheme.setFlags(QWebEngineUrlScheme::NoAccessAllowed);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl LocalPageUrl(const QString& path) {
  QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  url.setScheme(QLatin1String(kLocalPageScheme));
  return url;
}

QString LocalPagePath(const QUrl& url) {
  QUrl file = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
  file.setScheme(QStringLiteral("file"));
  return file.toLocalFile();
}

bool MayLoadLocalPage(const QUrl& firstParty, const QUrl& initiator) {
  if (initiator.isEmpty()) return true;
  const bool fromLocalPage = initiator.scheme().isEmpty() || initiator.scheme() == QLatin1String(kLocalPageScheme);
  return fromLocalPage && firstParty.scheme() == QLatin1String(kLocalPageScheme);
}

void TLocalPages::SetDocument(const QString& path, const QByteArray& sjisHtml) {
  documentPath_ = QFileInfo(path).absoluteFilePath();
  document_ = sjisHtml;
}

void TLocalPages::requestStarted(QWebEngineUrlRequestJob* job) {
  if (job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QString path = LocalPagePath(job->requestUrl());
  if (path == documentPath_) {
    auto* buffer = new QBuffer(job);
    buffer->setData(document_);
    buffer->open(QIODevice::ReadOnly);
    // The document is Shift-JIS whatever its text declares.
    job->reply("text/html;charset=Shift_JIS", buffer);
    return;
  }
  auto* file = new QFile(path, job);
  if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  const QMimeDatabase types;
  job->reply(types.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1(), file);
}

void TLocalPageGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (info.requestUrl().scheme() != QLatin1String(kLocalPageScheme)) return;
  if (!MayLoadLocalPage(info.firstPartyUrl(), info.initiator())) info.block(true);
}
