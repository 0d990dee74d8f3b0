// TForm2: the preview browser window. It shows the active document or any
// page, keeps the favourites, captures the source of every page it loads
// and hands it to the editor as a new document.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/settings.h"
#include "app/textlist.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class TMainForm;
class TWebBrowser;

class TForm2 : public QMainWindow {
  Q_OBJECT
 public:
  // `favorites` is the main window's FavoritesList, shown in the
  // favourites menu.
  TForm2(TMainForm& main, TStringList& favorites, const TPreviewLayout& layout);
  ~TForm2() override;

  // The page component, made on first use.
  TWebBrowser& Browser();
  // Puts a component of the caller's in place before the first use.
  void SetBrowser(std::unique_ptr<TWebBrowser> browser);

  // "移動": an address, a local path, or "? " and words to search the web.
  void Go(const QString& location);
  // Shows a document held in memory under its caption.
  void ShowPreview(const QString& caption, const QString& path, const QByteArray& sjisHtml);
  void ShowAndFocus();
  // The favourites menu anew from the list.
  void RebuildFavorites();
  // The window and its bands as they are, for the settings.
  TPreviewLayout Layout() const;

  QLineEdit* Edit1 = nullptr;
  QLabel* StatusPanel = nullptr;
  int ZoomLevel = 2;  // 0 "最小" ... 4 "最大"
  // The last loaded page's source: Shift-JIS, every line ended by CR LF.
  std::string SourceTransferStream;

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildToolBars();
  QToolBar* NewToolBar(const char* name);
  QAction* NewCommand(const char* name, const char* caption, const char* icon, const std::function<void()>& run);
  QMenu* BuildZoomMenu();
  QMenu* BuildFavoritesMenu(QAction* addFavorite, QAction* organize);
  void ApplyLayout();
  void ConnectBrowser(TWebBrowser& b);
  void SetZoom(int level);
  void AddFavorite();
  void OrganizeFavorites();
  void SavePage();
  void TransferSource();
  void DocumentComplete(const QString& html);

  TMainForm& main_;
  TStringList& favorites_;
  std::unique_ptr<TWebBrowser> browser_;
  TPreviewLayout layout_;
  std::array<QToolBar*, 3> toolBars_{};
  QMenu* favoritesMenu_ = nullptr;
  QList<QAction*> favoriteItems_;
  QList<QAction*> zoomItems_;  // "最小" first
  bool shown_ = false;
};
