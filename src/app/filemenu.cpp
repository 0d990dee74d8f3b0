// The commands of "ファイル(&F)", "右端で折り返す", and the edit commands.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>
#include <QPointer>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/editcommands.h"
#include "app/filecommands.h"
#include "app/wholefile.h"
#include "app/mainform.h"
#include "editor/qt/tafedit.h"
#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

QString WriteFailure(const QString& path, const QString& why) {
  return path + QStringLiteral(" の書き込みに失敗しました(-_-;)\n") + why;
}

// Auto-format windows write every row as a line of its own.
int SaveOptionsOf(const TMDIChild& child) { return child.Tag == 1 ? soEveryRowALine : 0; }

// The clipboard commands, with the size of their work in the bytes loading
// handles in the same time (bench_clipboard against bench_editor), so that
// the busy dialog comes for about half a second of work, as it does there.
struct TClipboardCommand {
  const char* Id;
  const char* BusyText;
  void (TCustomAFEdit::*Run)();
  long long (*Work)(const TAFEdit&);
};

long long ClipboardUnits() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText() ? data->text().size() : 0;
}

const TClipboardCommand kClipboardCommands[] = {
    {"editcopyExecute", "コピー中...", &TCustomAFEdit::WMCopy,
     [](const TAFEdit& e) { return static_cast<long long>(e.SelRowBytes() / 4); }},
    {"editcutExecute", "切り取り中...", &TCustomAFEdit::WMCut,
     [](const TAFEdit& e) { return static_cast<long long>(e.SelRowBytes() / 2); }},
    {"pasteExecute", "貼り付け中...", &TCustomAFEdit::WMPaste,
     [](const TAFEdit&) { return ClipboardUnits() * 2; }},
};

}  // namespace

void TMainForm::WireFileCommands() {
  TCommands& c = *commands_;
  c.SetHandler(QStringLiteral("FileNew1Execute"), [this] { FileNew(); });
  const std::pair<const char*, int> opens[] = {
      {"FileOpenItemClick", omPlain},        {"N91Click", omAutoFormat},
      {"JISShiftJIS1Click", omJis},          {"EUCJPShiftJIS1Click", omEuc},
      {"UnicodeUTF8ShiftJIS1Click", omUtf8}, {"UnicodeUCS2ShiftJIS1Click", omUcs2}};
  for (const auto& [id, mode] : opens) {
    c.SetHandler(QLatin1String(id), [this, mode = mode] { FileOpen(mode); });
  }
  c.SetHandler(QStringLiteral("filesaveExecute"), [this] { FileSave(); });
  c.SetHandler(QStringLiteral("FileSaveAsItemClick"), [this] {
    if (TMDIChild* w = ActiveChild()) SaveDocumentAs(*w, SaveOptionsOf(*w), true);
  });
  const std::pair<const char*, int> conversions[] = {
      {"AB3Click", soTabsToSpaces}, {"N78Click", soIndentAsTabs}, {"N80Click", soIndentAsSpaces}};
  for (const auto& [id, options] : conversions) {
    c.SetHandler(QLatin1String(id), [this, options = options] {
      if (TMDIChild* w = ActiveChild()) SaveDocumentAs(*w, options, false);
    });
  }
  c.SetHandler(QStringLiteral("UnicodeUTF81Click"), [this] {
    EncodedSave([](std::string_view s) { return SjisToUtf8(s); }, true);
  });
  c.SetHandler(QStringLiteral("Jis2Click"), [this] {
    EncodedSave([](std::string_view s) { return TAutoSjisConv().SjisToJis(s); }, true);
  });
  c.SetHandler(QStringLiteral("UnicodeUCS22Click"), [this] {
    EncodedSave([](std::string_view s) { return SjisToUcs2(s); }, false);
  });
  c.SetHandler(QStringLiteral("FileCloseItem"), [this] {
    if (TMDIChild* w = ActiveChild()) w->close();
  });
  c.SetHandler(QStringLiteral("N98Click"), [this] { ToggleRightEdgeWrap(); });
}

void TMainForm::WireEditCommands() {
  TCommands& c = *commands_;
  const auto onEditor = [this](void (*command)(TAFEdit&)) {
    return [this, command] {
      if (TMDIChild* w = ActiveChild()) command(*w->AFEdit);
    };
  };
  c.SetHandler(QStringLiteral("editundoExecute"), onEditor([](TAFEdit& e) { e.Undo(); }));
  c.SetHandler(QStringLiteral("editredoExecute"), onEditor([](TAFEdit& e) { e.Redo(); }));
  for (const TClipboardCommand& command : kClipboardCommands) {
    c.SetHandler(QLatin1String(command.Id), [this, &command] {
      TMDIChild* w = ActiveChild();
      if (!w) return;
      const QPointer<TAFEdit> edit = w->AFEdit;
      TBusyIndicator busy(this, QString::fromUtf8(command.BusyText), command.Work(*edit));
      // Drawing the busy dialog lets timers and a later start's hand-over
      // run; the editor is the one the command was given, if it still is.
      if (edit) ((*edit).*command.Run)();
    });
  }
  c.SetHandler(QStringLiteral("EditSelectAll1Execute"), onEditor([](TAFEdit& e) { e.SelectAll(); }));
  c.SetHandler(QStringLiteral("editsellineExecute"), onEditor([](TAFEdit& e) { SelectCaretRow(e); }));
}

void TMainForm::FileNew() {
  QStringList captions;
  for (const TMDIChild* w : Children()) captions << w->windowTitle();
  OpenDocument(NewDocumentName(captions));
}

void TMainForm::FileOpen(int mode) {
  OpenMode = mode;
  if (const std::optional<QString> path = dialogs_->OpenFile(OpenDialogSpec())) OpenExisting(*path);
}

// Without a file of its name yet, a document is saved under a new one.
void TMainForm::FileSave() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  const QString path = w->windowTitle();
  if (!QFileInfo(path).isFile()) {
    SaveDocumentAs(*w, SaveOptionsOf(*w), true);
    return;
  }
  SaveFile(*w, path, SaveOptionsOf(*w));
}

bool TMainForm::SaveDocumentAs(TMDIChild& child, int options, bool rename) {
  PrepareSaveDialog(saveDialog_, child.windowTitle());
  const std::optional<QString> path = dialogs_->SaveFile(saveDialog_);
  if (!path || !SaveFile(child, *path, options)) return false;
  AddToHistory(*path);
  if (rename) child.setWindowTitle(*path);
  return true;
}

// A failed write leaves the document modified and says why.
bool TMainForm::SaveFile(TMDIChild& child, const QString& path, int options) {
  TAFEdit& e = *child.AFEdit;
  std::string error;
  bool saved = false;
  {
    TBusyIndicator busy(this, QStringLiteral("保存中..."), static_cast<long long>(e.RowCount()) * 40);
    saved = e.SaveToFile(path.toStdString(), options, &error);
  }
  if (!saved) {
    dialogs_->ShowMessage(WriteFailure(path, QString::fromStdString(error)));
    return false;
  }
  e.SetEdited(false);
  child.SavedEdited = false;
  return true;
}

// The text in another encoding, written whole; the window keeps its path.
void TMainForm::EncodedSave(const std::function<std::string(std::string_view)>& convert,
                            bool clearsModified) {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  PrepareSaveDialog(saveDialog_, w->windowTitle());
  const std::optional<QString> path = dialogs_->SaveFile(saveDialog_);
  if (!path) return;
  QString error;
  if (!WriteWholeFile(*path, convert(w->AFEdit->Text()), &error)) {
    dialogs_->ShowMessage(WriteFailure(*path, error));
    return;
  }
  AddToHistory(*path);
  if (clearsModified) {
    w->AFEdit->SetEdited(false);
    w->SavedEdited = false;
  }
}

void TMainForm::ToggleRightEdgeWrap() {
  const QList<TMDIChild*> children = Children();
  if (children.isEmpty()) return;
  const bool on = Ticked("N98Click");
  for (TMDIChild* w : children) {
    TAFEdit& e = *w->AFEdit;
    TBusyIndicator busy(this, QStringLiteral("整形中..."), static_cast<long long>(e.RowCount()) * 40);
    if (on) {
      if (w->Tag != 0) continue;
      e.SetDefWrapPos(e.VisibleCols() - 3);
      TAFEditOptions o = e.Options();
      o.Include(TAFEditOption::aoAutoFormat);
      e.SetOptions(o);
      e.ReformatAll();
      continue;
    }
    if (w->Tag == 0) {
      w->ApplyEditorSettings();
      e.SetScrollBars(TScrollStyle::ssBoth);
      e.SetDefWrapPos(65536);
    }
    e.ReformatAll();
    e.SetDefWrapPos(settings_.DefWrapPos);
  }
}

// Each editor, its painting locked meanwhile, takes the options anew.
void TMainForm::ReapplyEditorSettings() {
  for (TMDIChild* w : Children()) {
    w->AFEdit->BeginUpdate();
    w->ApplyEditorSettings();
    w->AFEdit->EndUpdate();
  }
}

void TMainForm::GiveViewOptions() {
  for (TMDIChild* w : Children()) w->AFEdit->SetViewOpt(viewOptions_);
}

void TMainForm::RepaintEditors() {
  for (TMDIChild* w : Children()) {
    w->AFEdit->BeginUpdate();
    w->AFEdit->EndUpdate();
  }
}
