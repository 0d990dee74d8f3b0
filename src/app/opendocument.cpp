// Opening documents: OpenDocument and the ways a path arrives (command
// line, a later start, a drop), and the recent lists.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMimeData>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>

#include <optional>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/editorfont.h"
#include "app/encodingbar.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/outsidework.h"
#include "app/windowplace.h"
#include "editor/memstream.h"
#include "editor/qt/tafedit.h"
#include "editor/switches.h"

namespace {

// While set, creating, sizing and loading a window records no width change.
class TWidthRecordingOff {
 public:
  TWidthRecordingOff() { EditSwitches::WidthRecordingOff = true; }
  ~TWidthRecordingOff() { EditSwitches::WidthRecordingOff = false; }
};

bool IsHtmlPath(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  return ext == QLatin1String("htm") || ext == QLatin1String("html") || ext == QLatin1String("xml");
}

// The spot a window stands at for cascading: where it is while shown
// normally, where it opened while maximised or minimised.
QPoint CascadeSpot(const TMDIChild& w) {
  return w.isMaximized() || w.isMinimized() ? w.PlacedAt : w.pos();
}

}  // namespace

// The MDI area has no active window while another top-level window of the
// program (the find dialog) has the focus; its current one is the last active.
TMDIChild* TMainForm::ActiveChild() const {
  return qobject_cast<TMDIChild*>(mdi_->currentSubWindow());
}

TMDIChild* TMainForm::EditableChild() const {
  TMDIChild* child = ActiveChild();
  return child && !child->AFEdit->ReadOnly() ? child : nullptr;
}

QList<TMDIChild*> TMainForm::Children() const {
  QList<TMDIChild*> children;
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    if (auto* c = qobject_cast<TMDIChild*>(w)) children << c;
  }
  return children;
}

TMDIChild* TMainForm::OpenDocument(const QString& path, const TDocumentText* text) {
  TWidthRecordingOff widthOff;
  auto* child = new TMDIChild(*this);
  child->setWindowTitle(path);
  mdi_->addSubWindow(child);
  PlaceNewChild(*child);
  child->show();
  GiveSettings(*child);
  TAFEdit& edit = *child->AFEdit;
  if ((text || QFileInfo(path).isFile()) && !LoadFile(*child, path, text)) {
    delete child;
    return nullptr;
  }
  if (IsHtmlPath(path) && toolBar1_->isHidden()) toolBar1_->show();
  if (Children().size() == 1) DocumentCommandsOn();
  panels_[0]->setText(edit.InsertMode ? QStringLiteral("　挿入") : QStringLiteral("　上書き"));
  panels_[1]->setText(QString::fromStdString(edit.ImeModeText));
  if (edit.Edited()) {
    edit.SetEdited(false);
    child->SavedEdited = false;
    edit.ClearUndo();
  }
  mdi_->setActiveSubWindow(child);
  edit.MoveCaretTo(TPoint{0, 0});
  edit.setFocus();
  return child;
}

void TMainForm::PlaceNewChild(TMDIChild& child) {
  std::optional<QPoint> previous;  // of the last window opened before this one
  for (const TMDIChild* w : Children()) {
    if (w != &child) previous = CascadeSpot(*w);
  }
  if (QLayout* l = layout()) l->activate();  // a hidden window's area has its size too
  QStyleOptionTitleBar bar;
  bar.initFrom(&child);
  const QRect place = PlaceDocumentWindow(TPlaceRequest{
      size(), mdi_->geometry().top(), mdi_->viewport()->size(), previous,
      child.style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &child), child.minimumSizeHint()});
  child.setGeometry(place);
  child.PlacedAt = place.topLeft();
}

void TMainForm::GiveSettings(TMDIChild& child) {
  child.ApplyEditorSettings();
  TAFEdit& e = *child.AFEdit;
  const TSettings& s = settings_;
  e.SetFont(ToEditorFont(s.Font));
  e.SetViewOpt(viewOptions_);
  e.SetDefWrapPos(s.DefWrapPos);
  e.SetRowPich(s.RowPich);
  e.SetLeftMgn(s.LeftMgn);
  e.SetTopMgn(s.TopMgn);
  e.SetColKeyWord(s.ColKeyWord);
  e.SetColDependence(s.ColDependence);
  e.SetColRowNo(s.ColRowNo);
  e.SetColLeftMgn(s.ColLeftMgn);
  e.SetColSelBrush(s.ColSelBrush);
  e.SetColSelText(s.ColSelText);
  e.SetColColumnIndi(s.ColColumnIndi);
  e.SetColColumnNo(s.ColColumnNo);
  e.SetColor(s.Background);
  e.SetKeywords(keywords_);
}

// Reads an existing file into the new window in the current mode, or
// takes the text given instead.
bool TMainForm::LoadFile(TMDIChild& child, const QString& path, const TDocumentText* given) {
  TAFEdit& e = *child.AFEdit;
  int options = 0;
  if (OpenMode == omAutoFormat) {
    options = loWrap;
    TAFEditOptions o = e.Options();
    o.Include(TAFEditOption::aoAutoFormat);
    e.SetOptions(o);
    child.Tag = 1;
  }
  if (Ticked("N98Click")) {
    options = loWrap;
    e.SetScrollBars(TScrollStyle::ssVertical);
    TAFEditOptions o = e.Options();
    o.Include(TAFEditOption::aoAutoFormat);
    e.SetOptions(o);
    if (child.Tag != 1) e.SetDefWrapPos((e.ClientWidth() - e.LeftMgn()) / e.CellWidth() - 4);
  } else {
    e.SetScrollBars(TScrollStyle::ssBoth);
  }
  TBusyIndicator busy(this, QStringLiteral("読み込み中..."),
                      given ? static_cast<long long>(given->Text.size()) : QFileInfo(path).size());
  TDocumentText read;
  const TDocumentText& doc = given ? *given : (read = ReadDocument(path, OpenMode));
  if (!doc.Ok) {
    dialogs_->ShowMessage(path + QStringLiteral(" の読み込みに失敗しました(-_-;)"));
    return false;
  }
  if (doc.Text.empty()) {
    e.SetText(std::string_view());
  } else {
    TMemoryInStream in(doc.Text);
    e.LoadFromStream(in, options);
  }
  child.Origin = doc.Origin;
  OfferReopen(*this, child, path, doc.LooksLike);
  // Saving what was read would drop the rest of the file: the saves refuse
  // to write over it, and the editor takes no typing.
  if (doc.Origin.CutAtNul) {
    e.SetReadOnly(true);
    dialogs_->ShowMessage(path + QStringLiteral(" には NUL 文字が含まれています。\r\n"
                                                "最初の NUL 文字の手前までを読み取り専用で開きました(-_-;)"));
  }
  if (doc.Replaced > 0) {
    dialogs_->ShowMessage(QStringLiteral("Shift-JIS で表せない %1 文字を \"?\" に置き換えました")
                              .arg(doc.Replaced));
  }
  return true;
}

void TMainForm::AddToHistory(const QString& path) {
  recentFiles_.Add(path);
  const QString folder = FolderOf(path);
  if (!folder.isEmpty()) recentFolders_.Add(folder);
  RebuildRecentMenus();
}

// A path that names an existing file is recorded and opened.
void TMainForm::OpenExisting(const QString& path) {
  AddToHistory(path);
  OpenDocument(path);
}

int TMainForm::OpenFiles(const QStringList& paths) {
  int opened = 0;
  for (const QString& path : paths) {
    if (!QFileInfo(path).isFile()) continue;
    OpenExisting(path);
    ++opened;
  }
  return opened;
}

void TMainForm::HandOver(const QStringList& files) {
  TOutsideWork::Post(this, [this, files] {
    if (OpenFiles(files) == 0) return;
    if (isMinimized()) showNormal();
    if (isVisible()) {
      raise();
      activateWindow();
    }
  });
}

void TMainForm::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* e) {
  TOutsideWork::Post(this, [this, urls = e->mimeData()->urls()] { OpenDropped(urls); });
  e->acceptProposedAction();
}

void TMainForm::OpenDropped(const QList<QUrl>& urls) {
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  OpenFiles({urls.constFirst().toLocalFile()});
}
