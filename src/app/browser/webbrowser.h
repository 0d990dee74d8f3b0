// The web page component of the preview window, behind the few operations
// the window needs, so that the window's logic can be tested without an
// engine.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

class TWebBrowser {
 public:
  virtual ~TWebBrowser() = default;

  virtual QWidget* Widget() = 0;
  virtual void Navigate(const QUrl& url) = 0;
  // Shows a document held in memory (Shift-JIS HTML) at the local page
  // address of `path`, so that its relative links resolve in its folder.
  virtual void ShowDocument(const QString& path, const QByteArray& sjisHtml) = 0;
  virtual void Refresh() = 0;
  virtual void Stop() = 0;
  // A page has been loaded: the commands that act on a page may run.
  virtual bool HasDocument() const = 0;
  virtual void SetZoomFactor(double factor) = 0;
  virtual void SavePage(const QString& path) = 0;
  // Both ask the user first.
  virtual void PageSetup() = 0;
  virtual void Print() = 0;

  // A navigation of the top page is about to start.
  std::function<void(const QUrl& url)> OnBeforeNavigate;
  std::function<void(const QString& text)> OnStatusTextChange;
  std::function<void(const QString& title)> OnTitleChange;
  // The top page finished loading; `html` is its document's source.
  std::function<void(const QString& html)> OnDocumentComplete;
  // A download asks where to go; nothing cancels it.
  std::function<std::optional<QString>(const QString& suggestedName)> OnDownload;
};
