#include "app/browser/previewform.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>

#include "app/browser/webbrowser.h"
#include "app/browser/webengine.h"
#include "app/browser/websearch.h"
#include "app/listeditor.h"
#include "app/mainform.h"
#include "app/menucaption.h"
#include "app/sjistext.h"

namespace {

const QString kCaptionPrefix = QStringLiteral("Zib_Browser  ");

// Text sizes "最小" to "最大" as zoom factors of the page.
constexpr double kZoomFactors[] = {0.5, 0.75, 1.0, 1.25, 1.5};
const char* const kZoomCaptions[] = {"最小", "小", "中", "大", "最大"};

// A window side read from the settings, kept to sizes that can be used.
int Side(int pixels) { return std::clamp(pixels, 200, 8000); }

// The page's source as a document: Shift-JIS, every line ended by CR LF.
std::string SourceText(const QString& html) {
  std::string text;
  for (const std::string& line : SplitLines(ToSjis(html))) text += line + "\r\n";
  return text;
}

// An address without a Shift-JIS form is kept percent-encoded, not with
// "?" in place of its characters.
std::string FavoriteEntry(const QString& address) {
  std::size_t replaced = 0;
  const std::string sjis = ToSjis(address, &replaced);
  return replaced == 0 ? sjis : QUrl::fromUserInput(address).toEncoded().toStdString();
}

// A menu on a tool bar opens at a click on its button.
void AddMenuButton(QToolBar* bar, QMenu* menu) {
  bar->addAction(menu->menuAction());
  qobject_cast<QToolButton*>(bar->widgetForAction(menu->menuAction()))->setPopupMode(QToolButton::InstantPopup);
}

bool IsBandOrder(std::array<int, 3> bands) {
  std::sort(bands.begin(), bands.end());
  return bands == std::array<int, 3>{1, 2, 3};
}

}  // namespace

TForm2::TForm2(TMainForm& main, TStringList& favorites, const TPreviewLayout& layout)
    : QMainWindow(&main, Qt::Window), main_(main), favorites_(favorites), layout_(layout) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(kCaptionPrefix);
  setWindowIcon(main.windowIcon());
  BuildToolBars();
  StatusPanel = new QLabel(this);
  StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
  StatusPanel->setMinimumWidth(50);
  StatusPanel->setAutoFillBackground(true);
  QPalette silver = StatusPanel->palette();
  silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  StatusPanel->setPalette(silver);
  statusBar()->addWidget(StatusPanel, 1);
  ApplyLayout();
  move(main.x() + 50, 20);
  RebuildFavorites();
}

TForm2::~TForm2() = default;

TWebBrowser& TForm2::Browser() {
  if (!browser_) SetBrowser(NewWebEngineBrowser(this));
  return *browser_;
}

void TForm2::SetBrowser(std::unique_ptr<TWebBrowser> browser) {
  browser_ = std::move(browser);
  setCentralWidget(browser_->Widget());
  ConnectBrowser(*browser_);
}

void TForm2::ConnectBrowser(TWebBrowser& b) {
  b.OnBeforeNavigate = [this](const QUrl& url) { Edit1->setText(url.toDisplayString()); };
  b.OnStatusTextChange = [this](const QString& text) { StatusPanel->setText(text); };
  b.OnTitleChange = [this](const QString& title) { setWindowTitle(kCaptionPrefix + title); };
  b.OnDocumentComplete = [this](const QString& html) { DocumentComplete(html); };
  b.OnDownload = [this](const QString& name) {
    return main_.Dlg().SaveFile(TFileDialogSpec{QStringLiteral("全てのファイル(*.*)|*.*"), 1, name, {}});
  };
}

QToolBar* TForm2::NewToolBar(const char* name) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QLatin1String(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setMinimumHeight(30);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  return bar;
}

QAction* TForm2::NewCommand(const char* name, const char* caption, const char* icon,
                           const std::function<void()>& run) {
  auto* a = new QAction(QIcon::fromTheme(QLatin1String(icon)), QString::fromUtf8(caption), this);
  a->setObjectName(QLatin1String(name));
  connect(a, &QAction::triggered, this, run);
  return a;
}

void TForm2::BuildToolBars() {
  QToolBar* navigation = NewToolBar("ToolBar1");
  navigation->addActions({
      NewCommand("navi", "移動", "go-jump", [this] { Go(Edit1->text()); }),
      NewCommand("refresh", "最新の情報に更新", "view-refresh", [this] { Browser().Refresh(); }),
      NewCommand("stop", "中止", "process-stop", [this] { Browser().Stop(); }),
  });

  const auto onPage = [this](void (TWebBrowser::*command)()) {
    return [this, command] {
      if (Browser().HasDocument()) (Browser().*command)();
    };
  };
  QAction* send = NewCommand("Action1", "Zib_Editorにソースを取り込む", "document-send", [this] { TransferSource(); });
  send->setToolTip(QStringLiteral("Zib_Editor にソースを送る"));
  QAction* addFavorite = NewCommand("addfavorite", "お気に入りに追加", "bookmark-new", [this] { AddFavorite(); });
  QAction* organize = NewCommand("organizefavorites", "お気に入りを整理", "bookmarks-organize",
                                 [this] { OrganizeFavorites(); });
  QToolBar* commands = NewToolBar("ToolBar2");
  AddMenuButton(commands, BuildZoomMenu());
  commands->addActions({
      NewCommand("saveas", "名前をつけて保存", "document-save-as", [this] { SavePage(); }),
      send,
      NewCommand("pagesetup", "印刷設定", "document-page-setup", onPage(&TWebBrowser::PageSetup)),
      NewCommand("print", "印刷", "document-print", onPage(&TWebBrowser::Print)),
  });
  AddMenuButton(commands, BuildFavoritesMenu(addFavorite, organize));
  commands->addActions({addFavorite, organize, NewCommand("close", "閉じる", "window-close", [this] { close(); })});

  QToolBar* address = NewToolBar("ToolBar3");
  auto* icon = new QLabel(address);
  icon->setPixmap(windowIcon().pixmap(16, 16));
  address->addWidget(icon);
  Edit1 = new QLineEdit(address);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setToolTip(QStringLiteral("ダブルクリックで全て選択"));
  Edit1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  Edit1->installEventFilter(this);
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { Go(Edit1->text()); });
  address->addWidget(Edit1);
  toolBars_ = {navigation, commands, address};
}

QMenu* TForm2::BuildZoomMenu() {
  auto* menu = new QMenu(QStringLiteral("表示(&V)"), this);
  menu->setObjectName(QStringLiteral("ZoomMenu"));
  auto* group = new QActionGroup(menu);
  for (int level = 0; level < 5; ++level) {
    auto* a = new QAction(QString::fromUtf8(kZoomCaptions[level]), group);
    a->setCheckable(true);
    a->setChecked(level == ZoomLevel);
    connect(a, &QAction::triggered, this, [this, level] { SetZoom(level); });
    zoomItems_ << a;
  }
  for (int level = 4; level >= 0; --level) menu->addAction(zoomItems_[level]);  // "最大" first
  return menu;
}

// Four fixed entries; the favourites follow them.
QMenu* TForm2::BuildFavoritesMenu(QAction* addFavorite, QAction* organize) {
  favoritesMenu_ = new QMenu(QStringLiteral("お気に入り(&B)"), this);
  favoritesMenu_->setObjectName(QStringLiteral("FavoritesMenu"));
  favoritesMenu_->setSeparatorsCollapsible(false);
  favoritesMenu_->addAction(addFavorite);
  favoritesMenu_->addSeparator();
  favoritesMenu_->addAction(organize);
  favoritesMenu_->addSeparator();
  return favoritesMenu_;
}

// The bands as the settings place them; an order that does not hold each
// tool bar once keeps the usual one. The address box is as wide as its
// band less the icon before it.
void TForm2::ApplyLayout() {
  if (!IsBandOrder(layout_.Band)) layout_.Band = TPreviewLayout{}.Band;
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && layout_.BandBreak[i]) addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, toolBars_[layout_.Band[i] - 1]);
    if (layout_.Band[i] == 3) Edit1->setMinimumWidth(std::clamp(layout_.BandWidth[i] - 21, 100, 2000));
  }
  resize(Side(layout_.Width), Side(layout_.Height));
}

// The bands cannot be resized here, so their widths go back as they came;
// the address box follows the window's width instead.
TPreviewLayout TForm2::Layout() const {
  TPreviewLayout layout = layout_;
  if (shown_) {
    layout.Width = width();
    layout.Height = height();
  }
  return layout;
}

void TForm2::Go(const QString& location) {
  const QString text = location.trimmed();
  if (text.isEmpty()) return;
  if (location.startsWith(QLatin1String("? "))) {
    Browser().Navigate(WebSearchUrl(layout_.SearchUrl, location.mid(2)));
  } else {
    Browser().Navigate(QUrl::fromUserInput(text));
  }
}

void TForm2::ShowPreview(const QString& caption, const QString& path, const QByteArray& sjisHtml) {
  setWindowTitle(kCaptionPrefix + caption);
  Browser().ShowDocument(path, sjisHtml);
  ShowAndFocus();
}

void TForm2::ShowAndFocus() {
  if (isHidden()) {
    show();  // the page takes the focus as the window shows
    return;
  }
  raise();
  activateWindow();
  Browser().Widget()->setFocus();
}

void TForm2::showEvent(QShowEvent* e) {
  shown_ = true;
  QMainWindow::showEvent(e);
  Browser().Widget()->setFocus();
}

void TForm2::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange) main_.OtherWindowActive(isActiveWindow());
  QMainWindow::changeEvent(e);
}

// Entering the address box or a double click in it selects its text; the
// click that entered would undo a selection made at once.
bool TForm2::eventFilter(QObject* watched, QEvent* e) {
  if (watched == Edit1 && e->type() == QEvent::FocusIn) {
    QTimer::singleShot(0, Edit1, &QLineEdit::selectAll);
  } else if (watched == Edit1 && e->type() == QEvent::MouseButtonDblClick) {
    Edit1->selectAll();
    return true;
  }
  return QMainWindow::eventFilter(watched, e);
}

void TForm2::SetZoom(int level) {
  ZoomLevel = level;
  zoomItems_[level]->setChecked(true);
  if (Browser().HasDocument()) Browser().SetZoomFactor(kZoomFactors[level]);
}

void TForm2::DocumentComplete(const QString& html) {
  SourceTransferStream = SourceText(html);
  // The text size holds for every page, not only the one it was chosen on.
  Browser().SetZoomFactor(kZoomFactors[ZoomLevel]);
}

void TForm2::RebuildFavorites() {
  qDeleteAll(favoriteItems_);
  favoriteItems_.clear();
  for (const std::string& entry : favorites_) {
    const QString address = FromSjis(entry);
    QAction* a = favoritesMenu_->addAction(LiteralCaption(address));
    connect(a, &QAction::triggered, this, [this, address] {
      Edit1->setText(address);
      Go(address);
    });
    favoriteItems_ << a;
  }
}

void TForm2::AddFavorite() {
  if (Edit1->text().isEmpty()) return;
  favorites_.push_back(FavoriteEntry(Edit1->text()));
  RebuildFavorites();
}

void TForm2::OrganizeFavorites() { main_.OpenListEditor(lemFavorites); }

void TForm2::SavePage() {
  if (!Browser().HasDocument()) return;
  const TFileDialogSpec spec{QStringLiteral("HTML(*.html;*.htm)|*.html;*.htm|Webアーカイブ(*.mht)|*.mht"), 1,
                             {}, QStringLiteral("html")};
  if (const std::optional<QString> path = main_.Dlg().SaveFile(spec)) Browser().SavePage(*path);
}

// The caption names the new document: the page's title, or the previewed
// document's path. Before any page there is nothing to send.
void TForm2::TransferSource() {
  if (SourceTransferStream.empty()) return;
  main_.TransferSource(windowTitle().mid(kCaptionPrefix.size()), SourceTransferStream);
}
