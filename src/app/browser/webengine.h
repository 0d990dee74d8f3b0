// The preview's web page component on QtWebEngine: one view on a private
// profile that keeps nothing on disk, serves local pages through its own
// scheme, keeps local files from reading each other, and asks before a
// download is written.
#pragma once

#include <QObject>
#include <QPointer>
#include <QPrinter>

#include <memory>

#include "app/browser/webbrowser.h"

class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWebEngineView;
class TLocalPageGuard;
class TLocalPages;
class TPreviewPage;

class TWebEngineBrowser : public QObject, public TWebBrowser {
  Q_OBJECT
 public:
  explicit TWebEngineBrowser(QWidget* parent);
  ~TWebEngineBrowser() override;

  QWidget* Widget() override;
  void Navigate(const QUrl& url) override;
  void ShowDocument(const QString& path, const QByteArray& sjisHtml) override;
  void Refresh() override;
  void Stop() override;
  bool HasDocument() const override { return loaded_; }
  void SetZoomFactor(double factor) override;
  void SavePage(const QString& path) override;
  void PageSetup() override;
  void Print() override;

 private:
  void ConnectPage();
  void LoadFinished();
  void Download(QWebEngineDownloadRequest* request);

  QWebEngineProfile* profile_;
  TLocalPages* localPages_;
  TLocalPageGuard* guard_;
  QPointer<QWebEngineView> view_;
  TPreviewPage* page_;
  QPrinter printer_;
  bool printing_ = false;
  bool loaded_ = false;
  bool asking_ = false;  // a download's question is open
  // Counts loads, so that a source that arrives after a later load started
  // is dropped.
  unsigned loads_ = 0;
};

// Made once per process: the first one prepares the engine.
std::unique_ptr<TWebBrowser> NewWebEngineBrowser(QWidget* parent);
