// A page component that records what the preview window asks of it, and
// lets a test play the engine's part by firing its events.
#pragma once

#include <QWidget>

#include <vector>

#include "app/browser/webbrowser.h"

class FakeBrowser : public TWebBrowser {
 public:
  explicit FakeBrowser(QWidget* parent) : widget(new QWidget(parent)) {}

  QWidget* Widget() override { return widget; }
  void Navigate(const QUrl& url) override { navigated.push_back(url); }
  void ShowDocument(const QString& path, const QByteArray& sjisHtml) override {
    documentPath = path;
    document = sjisHtml;
  }
  void Refresh() override { ++refreshes; }
  void Stop() override { ++stops; }
  bool HasDocument() const override { return loaded; }
  void SetZoomFactor(double factor) override { zoom.push_back(factor); }
  void SavePage(const QString& path) override { saved.push_back(path); }
  void PageSetup() override { ++pageSetups; }
  void Print() override { ++prints; }

  // The engine finished a page with this title and source.
  void Complete(const QString& title, const QString& html) {
    loaded = true;
    OnTitleChange(title);
    OnDocumentComplete(html);
  }

  QWidget* widget;
  bool loaded = false;
  std::vector<QUrl> navigated;
  QString documentPath;
  QByteArray document;
  std::vector<double> zoom;
  std::vector<QString> saved;
  int refreshes = 0;
  int stops = 0;
  int pageSetups = 0;
  int prints = 0;
};
