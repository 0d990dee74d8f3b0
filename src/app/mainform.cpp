#include "app/mainform.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "app/aboutbox.h"
#include "app/browser/previewform.h"
#include "app/childwin.h"
#include "app/clock.h"
#include "app/colors.h"
#include "app/commands.h"
#include "app/filecommands.h"
#include "app/listeditor.h"
#include "app/outsidework.h"
#include "app/placepanel.h"
#include "app/qtdialogs.h"
#include "app/searchcommands.h"

// Resources of a static library are registered by hand, outside any namespace.
static void InitAppResources() { Q_INIT_RESOURCE(app); }

TMainForm::TMainForm(const TSettingsFiles& files, std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), files_(files), dialogs_(std::move(dialogs)), saveDialog_(InitialSaveDialog()) {
  InitAppResources();
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>(this);
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Zib_Editor"));
  setWindowIcon(QIcon(QStringLiteral(":/zibeditor.png")));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);
  resize(800, 600);

  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  about_ = new TAboutBox(this);

  BuildCommands();
  BuildToolBars();
  BuildStatusBar();
  WireCommands();
  LoadSettings();
  SetUpLists();
  SetUpPreview();
  setAcceptDrops(true);
  clockTimer_->start();
}

// The list editor and the preview browser call back into this window; they
// go while it is still whole. The work area hides its windows while the base
// class closes, which must not reach this part any more.
TMainForm::~TMainForm() {
  disconnect(mdi_, nullptr, this, nullptr);
  delete form2_;
  delete listEditor_;
}

QMenu* TMainForm::FileMenu() const { return commands_->Menu(QStringLiteral("FileMenu")); }

bool TMainForm::Ticked(const char* id) const {
  const QAction* a = commands_->Action(QLatin1String(id));
  return a && a->isChecked();
}

TAFEditOptions TMainForm::EditorOptions() const {
  TAFEditOptions o;
  o.Set(TAFEditOption::aoFreeCaret, Ticked("N17Click"));
  o.Set(TAFEditOption::aoAutoIndent, Ticked("N18Click"));
  o.Set(TAFEditOption::aoAutoJpnIndent, Ticked("N19Click"));
  o.Set(TAFEditOption::aoWordWrap, Ticked("N20Click"));
  o.Set(TAFEditOption::aoJpnBanBreak, Ticked("N21Click"));
  o.Set(TAFEditOption::aoAutoFormat, Ticked("N98Click"));
  return o;
}

void TMainForm::BuildCommands() {
  commands_ = new TCommands(this);
  commands_->BuildMenuBar(menuBar(), kMainMenu, kMainMenuSize);
  commands_->BuildPopup(QStringLiteral("PopMenu"), kEditorPopup, kEditorPopupSize);
  for (std::size_t i = 0; i < kPopupMenusSize; ++i) {
    const TPopupMenuSpec& p = kPopupMenus[i];
    commands_->BuildPopup(QLatin1String(p.Name), p.Entries, p.Count);
  }
  // Filled with the clipboard history and the fixed phrases.
  commands_->BuildPopup(QStringLiteral("cpopmenu"), nullptr, 0);
  commands_->BuildPopup(QStringLiteral("teipopmenu"), nullptr, 0);
  undo_ = commands_->Action(QStringLiteral("editundoExecute"));
  redo_ = commands_->Action(QStringLiteral("editredoExecute"));
  connect(commands_->Menu(QStringLiteral("WindowMenu")), &QMenu::aboutToShow, this,
          &TMainForm::FillWindowMenu);
}

// The cool bar's three bands: one tool bar per row.
void TMainForm::BuildToolBars() {
  toolBar2_ = commands_->BuildToolBar(kToolBars[0]);
  toolBar1_ = commands_->BuildToolBar(kToolBars[1]);
  toolBar3_ = commands_->BuildToolBar(kToolBars[2]);
  for (QToolBar* bar : {toolBar2_, toolBar1_, toolBar3_}) {
    bar->setMinimumHeight(30);
    addToolBar(Qt::TopToolBarArea, bar);
    if (bar != toolBar3_) addToolBarBreak(Qt::TopToolBarArea);
  }
  toolBar1_->setVisible(false);

  clock_ = new QLabel(QStringLiteral("00:00"), toolBar2_);
  clock_->setObjectName(QStringLiteral("timelabel"));
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(15);
  font.setBold(true);
  clock_->setFont(font);
  clock_->setAlignment(Qt::AlignCenter);
  clock_->setAutoFillBackground(true);
  clock_->setMinimumWidth(clock_->fontMetrics().horizontalAdvance(QStringLiteral(" 00:00 ")));
  toolBar2_->insertWidget(toolBar2_->actions().constFirst(), clock_);
  clockTimer_ = new QTimer(this);
  clockTimer_->setInterval(500);
  // A tick while a command or modal window is under way is skipped; the next catches up.
  connect(clockTimer_, &QTimer::timeout, this, [this] {
    if (TOutsideWork::Idle()) UpdateClock();
  });
}

void TMainForm::BuildStatusBar() {
  const int widths[3] = {40, 50, 50};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels_[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
  }
  place_ = NewPlacePanel(this);
  statusBar()->addPermanentWidget(place_);
}

void TMainForm::WireCommands() {
  TCommands& c = *commands_;
  c.SetHandler(QStringLiteral("FileExit1Execute"), [this] { close(); });
  c.SetHandler(QStringLiteral("HelpAbout1Execute"), [this] { ShowAbout(); });
  c.SetHandler(QStringLiteral("WindowCascade"), [this] { mdi_->cascadeSubWindows(); });
  c.SetHandler(QStringLiteral("WindowTileHorizontal"), [this] { TileOneAboveTheOther(); });
  c.SetHandler(QStringLiteral("WindowTileVertical"), [this] { TileSideBySide(); });
  c.SetHandler(QStringLiteral("WindowMinimizeAll"), [this] { MinimizeAll(); });
  c.SetHandler(QStringLiteral("WindowArrangeIcons"), [this] { ArrangeIcons(); });
  c.SetHandler(QStringLiteral("henkanmenuClick"), [this] { ToggleToolBar(toolBar3_); });
  for (const char* group : {"N129Click", "N130Click", "N131Click", "N132Click"}) {
    c.SetHandler(QLatin1String(group), [this] { UpdateCommandStates(); });
  }
  const char* tagModes[] = {"N65Click", "N66Click", "N67Click"};
  for (int mode = 0; mode < 3; ++mode) {
    c.SetHandler(QLatin1String(tagModes[mode]), [this, mode] { tagMode_ = mode; });
  }
  WireViewCommands();
  WireFileCommands();
  WireEditCommands();
  WireTagCommands();
  WireConvCommands();
  WirePrintCommands();
  new TSearchCommands(*this);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* w) {
    if (auto* child = qobject_cast<TMDIChild*>(w)) child->Activated();
  });
}

void TMainForm::ShowEditorStatus(bool insertMode) {
  panels_[0]->setText(insertMode ? QStringLiteral("　挿入") : QStringLiteral("　上書"));
}

void TMainForm::ShowImeStatus(const QString& text) { panels_[1]->setText(text); }

// Long hints of menu items and tool buttons go to the third panel.
bool TMainForm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    panels_[2]->setText(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QMainWindow::event(e);
}

// Every document window is asked first; one that stays open keeps the
// program running.
void TMainForm::closeEvent(QCloseEvent* e) {
  const TOutsideWork::THold hold;
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    if (!w->close()) {
      e->ignore();
      return;
    }
  }
  listEditor_->close();  // its text applies, as when the user closes it
  SaveSettings();
  e->accept();
}

void TMainForm::UpdateClock() {
  const QString text = ClockText(QTime::currentTime(), Ticked("viewhourClick"));
  if (clock_->text() != text) clock_->setText(text);
}

void TMainForm::ApplyClockColors() {
  QPalette pal = clock_->palette();
  pal.setColor(QPalette::WindowText, ToQColor(settings_.ClockText));
  pal.setColor(QPalette::Window, ToQColor(settings_.ClockBack));
  clock_->setPalette(pal);
}

// Whether the bar is switched on, not whether it is on screen now.
void TMainForm::ToggleToolBar(QToolBar* bar) { bar->setVisible(bar->isHidden()); }

void TMainForm::ShowAbout() {
  about_->PlaceBeside(*this);
  dialogs_->RunModal(*about_);
}
