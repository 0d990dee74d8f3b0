#include "app/childwin.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QVBoxLayout>

#include "app/commands.h"
#include "app/docrecovery.h"
#include "app/mainform.h"
#include "app/outsidework.h"
#include "editor/keys.h"
#include "editor/qt/tafedit.h"

namespace {

// The Ctrl+letter keys that open the main window's menus at the caret.
struct CtrlMenu {
  int key;
  const char* menu;
};
constexpr CtrlMenu kCtrlMenus[] = {
    {'U', "PopMenu"},  {'B', "bodymenu"}, {'P', "bunmenu"},   {'F', "fontmenu"},
    {'G', "fontmenu2"}, {'K', "linkmenu"}, {'J', "imgmenu"},   {'L', "listmenu"},
    {'T', "tablemenu"}, {'Y', "formmenu"}, {'W', "framemenu"},
};

}  // namespace

TMDIChild::TMDIChild(TMainForm& main) : main_(main) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(main.windowIcon());
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(12);
  setFont(font);
  resize(600, 370);

  // The editor fills the window, below a bar when one is shown.
  auto* body = new QWidget(this);
  body_ = new QVBoxLayout(body);
  body_->setContentsMargins(0, 0, 0, 0);
  body_->setSpacing(0);
  AFEdit = new TAFEdit(body);
  body_->addWidget(AFEdit);
  body->setFocusProxy(AFEdit);
  AFEdit->SetViewOpt(TViewOptions{TViewOption::voDependence, TViewOption::voHankana,
                                  TViewOption::voCr, TViewOption::voAnsiSpace, TViewOption::voTab,
                                  TViewOption::voIndent, TViewOption::voColIndicate,
                                  TViewOption::voKeyWord, TViewOption::voRowNum,
                                  TViewOption::voFoldMark});
  AFEdit->SetOptions(TAFEditOptions{TAFEditOption::aoFreeCaret, TAFEditOption::aoAutoIndent,
                                    TAFEditOption::aoAutoJpnIndent, TAFEditOption::aoWordWrap,
                                    TAFEditOption::aoJpnBanBreak});
  AFEdit->SetColKeyWord(clPurple);
  AFEdit->SetLeftMgn(36);
  AFEdit->SetRowPich(8);
  AFEdit->SetTopMgn(10);
  setWidget(body);
  ConnectEditor();
  if (TRecovery* recovery = main.Recovery()) recovery_ = new TDocumentRecovery(*this, *recovery);

  auto* cpopact = new QAction(this);
  cpopact->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  cpopact->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(cpopact, &QAction::triggered, this,
          [this] { PopupAtCaret(main_.Commands().Menu(QStringLiteral("cpopmenu"))); });
  auto* teipopact = new QAction(this);
  teipopact->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
  teipopact->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(teipopact, &QAction::triggered, this,
          [this] { PopupAtCaret(main_.Commands().Menu(QStringLiteral("teipopmenu"))); });
  addActions({cpopact, teipopact});
}

void TMDIChild::ConnectEditor() {
  TAFEdit& e = *AFEdit;
  e.OnSelect = [this] { main_.SelectionCommands(true); };
  e.OnDisSelect = [this] { main_.SelectionCommands(false); };
  e.OnStatusChange = [this] {
    main_.ShowEditorStatus(AFEdit->InsertMode);
    ShowPlace();
  };
  e.Onimechange = [this] { main_.ShowImeStatus(QString::fromStdString(AFEdit->ImeModeText)); };
  e.OnUndoChange = [this](bool canUndo, bool canRedo) {
    main_.UndoCommands(canUndo, canRedo);
    StateChanged();
  };
  e.OnBeforeChange = [this](int row, std::string&, bool&) { ForgetRowColors(*AFEdit, row, Coloring()); };
  e.OnDrawLine = [this](int row, const TRect&, const std::string&, bool&) {
    ColorRow(*AFEdit, row, Coloring());
  };
  // One row per notch of the wheel.
  e.OnMouseWheelDown = [this](TShiftState, TPoint, bool& handled) {
    AFEdit->WMVScroll(SB_LINEDOWN, 0);
    handled = true;
  };
  e.OnMouseWheelUp = [this](TShiftState, TPoint, bool& handled) {
    AFEdit->WMVScroll(SB_LINEUP, 0);
    handled = true;
  };
  e.OnKeyDown = [this](int& key, TShiftState shift) { KeyDown(key, shift); };
  e.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&e, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    main_.Commands().Menu(QStringLiteral("PopMenu"))->popup(AFEdit->mapToGlobal(pos));
  });
}

THtmlColoring TMDIChild::Coloring() const {
  const TSettings& s = main_.Settings();
  return THtmlColoring{main_.EmphasizeTags(), main_.EmphasizeQuotes(), s.HtmlTagColor,
                       s.QuoteColor, '"'};
}

// "[*]" in the path itself is doubled, which Qt shows as it is.
void TMDIChild::setWindowTitle(const QString& path) {
  path_ = path;
  QString title = path;
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  QMdiSubWindow::setWindowTitle(title + QStringLiteral("[*]"));
}

int TMDIChild::SaveOptions() const { return Tag == 1 ? soEveryRowALine : 0; }

// Cheap, since every row a large paste changes calls it: the place in the
// status bar is refreshed once the command is over.
void TMDIChild::StateChanged() {
  const bool edited = AFEdit->Edited();
  if (edited != isWindowModified()) setWindowModified(edited);
  if (recovery_) recovery_->Changed(edited);
  if (!placePosted_) {
    placePosted_ = true;
    TOutsideWork::Post(this, [this] {
      placePosted_ = false;
      ShowPlace();
    });
  }
}

void TMDIChild::ShowPlace() {
  if (main_.ActiveChild() == this) main_.ShowPlace(this);
}

// A formatted window keeps wrapping at the wrap column until it is
// unformatted, whatever the ticks say.
void TMDIChild::ApplyEditorSettings() {
  const TSettings& s = main_.Settings();
  TAFEditOptions options = main_.EditorOptions();
  if (Tag == 1) options.Include(TAFEditOption::aoAutoFormat);
  AFEdit->SetOptions(options);
  AFEdit->SetRowPich(s.RowPich);
  AFEdit->SetLeftMgn(s.LeftMgn);
  AFEdit->SetTopMgn(s.TopMgn);
  SavedEdited = AFEdit->Edited();
  Resized();
}

// Exactly Ctrl: the letter's menu opens, and the key still reaches the editor.
void TMDIChild::KeyDown(int key, unsigned shift) {
  if (shift != ssCtrl) return;
  for (const CtrlMenu& m : kCtrlMenus) {
    if (m.key == key) PopupAtCaret(main_.Commands().Menu(QLatin1String(m.menu)));
  }
}

// Below the caret's row, where the caret is drawn.
QPoint TMDIChild::CaretPopupPoint() const {
  const TAFEdit& e = *AFEdit;
  const TPoint caret = e.InsertionPoint();
  const int x = e.TextLeft() + (caret.X - e.LeftCol) * e.CellWidth();
  const int y = e.TextTop() + (caret.Y - e.TopRow + 1) * e.RowHeight();
  return e.viewport()->mapToGlobal(QPoint(x, y));
}

void TMDIChild::PopupAtCaret(QMenu* menu) {
  if (menu) menu->popup(CaretPopupPoint());
}

void TMDIChild::ShowBar(QWidget* bar) {
  RemoveBar();
  bar_ = bar;
  body_->insertWidget(0, bar);
}

void TMDIChild::RemoveBar() { delete bar_; }

// Undo and redo too: the window left behind may have had a history this
// one lacks, or the other way round.
void TMDIChild::Activated() {
  const TSelArea& sel = AFEdit->Sel();
  main_.SelectionCommands(sel.HasSel() || sel.HasRowSel());
  const TUndoBuff& undo = AFEdit->UndoBuffer();
  main_.UndoCommands(undo.LastRecord() != nullptr, undo.NextRecord() != nullptr);
  main_.ShowPlace(this);
}

void TMDIChild::resizeEvent(QResizeEvent* e) {
  const bool changed = e->oldSize().isValid() && e->size() != e->oldSize();
  if (changed) {
    ResizeDelta = e->size().width() - e->oldSize().width();
    ResizePending = true;
    SavedEdited = AFEdit->Edited();
  }
  QMdiSubWindow::resizeEvent(e);
  if (changed) Resized();
}

void TMDIChild::Resized() {
  if (main_.Ticked("N98Click")) {
    if (Tag == 1) return;
    AFEdit->RecordWidthChange(ResizeDelta);
    ResizeDelta = 0;
    AFEdit->SetDefWrapPos(AFEdit->VisibleCols() - 3);
    AFEdit->ReformatAll();
    if (ResizePending) {
      AFEdit->NotifyUndoChange();
      ResizePending = false;
    }
  }
  AFEdit->SetEdited(SavedEdited);
  StateChanged();
}

void TMDIChild::closeEvent(QCloseEvent* e) {
  const TOutsideWork::THold hold;
  if (!CloseQuery()) {
    e->ignore();
    return;
  }
  if (main_.MdiArea()->subWindowList().size() == 1) {
    main_.DocumentCommandsOff();
    main_.ShowPlace(nullptr);
  }
  QMdiSubWindow::closeEvent(e);
}

bool TMDIChild::CloseQuery() {
  if (!AFEdit->Edited()) return true;
  const QString name = QFileInfo(windowTitle()).fileName();
  const TAnswer answer = main_.Dlg().Confirm(QStringLiteral("ファイル ") + name +
                                             QStringLiteral(" は変更されています。\r\nファイルを保存しますか？"));
  if (answer == TAnswer::Cancel) return false;
  if (answer == TAnswer::No) return true;
  // A save that does not happen (the dialog cancelled, the write failed)
  // keeps the window, as Cancel does: closing would lose the changes.
  return main_.SaveDocumentAs(*this, SaveOptions(), true);
}
