// The commands of "ファイル(&F)", "右端で折り返す", and the edit commands.
#include <QApplication>
#include <QClipboard>
#include <QDir>
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
#include "editor/qt/clipboarddata.h"
#include "editor/qt/tafedit.h"
#include "encoding/filetext.h"

namespace {

QString WriteFailure(const QString& path, const QString& why) {
  return path + QStringLiteral(" の書き込みに失敗しました(-_-;)\n") + why;
}

// The saves in another encoding; the window keeps its path.
struct TEncodedSave {
  const char* id;
  TEncoding encoding;
  bool clearsModified;     // after a UCS-2 save the document still counts as modified
  const char* lossNotice;  // %1: how many characters the conversion could not keep
};

constexpr const char* kInvalidSjisNotice =
    "Shift-JIS として正しくない %1 文字を U+FFFD に置き換えて保存しました";
constexpr TEncodedSave kEncodedSaves[] = {
    {"UnicodeUTF81Click", TEncoding::Utf8, true, kInvalidSjisNotice},
    {"Jis2Click", TEncoding::Jis, true, "JIS で表せない %1 文字を \"?\" に置き換えて保存しました"},
    {"UnicodeUCS22Click", TEncoding::Ucs2, false, kInvalidSjisNotice},
};

// The path names the file the document's caption names.
bool IsOwnFile(const TMDIChild& child, const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath()) ==
         QDir::cleanPath(QFileInfo(child.windowTitle()).absoluteFilePath());
}

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
  if (const std::optional<QByteArray> own = TClipboardData::Sjis(data)) return own->size();
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
    if (TMDIChild* w = ActiveChild()) SaveDocumentAs(*w, w->SaveOptions(), true);
  });
  const std::pair<const char*, int> conversions[] = {
      {"AB3Click", soTabsToSpaces}, {"N78Click", soIndentAsTabs}, {"N80Click", soIndentAsSpaces}};
  for (const auto& [id, options] : conversions) {
    c.SetHandler(QLatin1String(id), [this, options = options] {
      if (TMDIChild* w = ActiveChild()) SaveDocumentAs(*w, options, false);
    });
  }
  for (const TEncodedSave& save : kEncodedSaves) {
    c.SetHandler(QLatin1String(save.id), [this, save] {
      EncodedSave(save.encoding, save.clearsModified, QString::fromUtf8(save.lossNotice));
    });
  }
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

// Without a file of its name yet, a document is saved under a new one; one
// read only up to a NUL may only be saved under a new one.
void TMainForm::FileSave() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  const QString path = w->windowTitle();
  if (w->Origin.CutAtNul) {
    if (dialogs_->Ask(path + QStringLiteral(" は NUL 文字の手前までしか読み込んでいないため、上書き保存できません。\r\n"
                                            "名前を付けて保存しますか？"))) {
      SaveDocumentAs(*w, w->SaveOptions(), true);
    }
    return;
  }
  if (!QFileInfo(path).isFile()) {
    SaveDocumentAs(*w, w->SaveOptions(), true);
    return;
  }
  if (SaveFile(*w, path, w->SaveOptions())) NoteWritten(*w, path, TEncoding::ShiftJis, false);
}

bool TMainForm::SaveDocumentAs(TMDIChild& child, int options, bool rename) {
  PrepareSaveDialog(saveDialog_, child.windowTitle());
  const std::optional<QString> path = dialogs_->SaveFile(saveDialog_);
  if (!path || !SaveFile(child, *path, options)) return false;
  AddToHistory(*path);
  if (rename) child.setWindowTitle(*path);
  NoteWritten(child, *path, TEncoding::ShiftJis, false);
  return true;
}

// A failed write leaves the document modified and says why.
bool TMainForm::SaveFile(TMDIChild& child, const QString& path, int options) {
  const std::optional<TWriteTarget> target = ConfirmedTarget(child, path);
  if (!target) return false;
  TAFEdit& e = *child.AFEdit;
  std::string error;
  bool saved = false;
  {
    TBusyIndicator busy(this, QStringLiteral("保存中..."), static_cast<long long>(e.RowCount()) * 40);
    saved = e.SaveToFile(target->Path, options, &error, target->Links, child.Origin.LineEnd);
  }
  if (!saved) {
    dialogs_->ShowMessage(WriteFailure(path, QString::fromStdString(error)));
    return false;
  }
  e.SetEdited(false);
  child.SavedEdited = false;
  child.StateChanged();
  return true;
}

// The text in another encoding, written whole; the window keeps its path.
void TMainForm::EncodedSave(TEncoding encoding, bool clearsModified, const QString& lossNotice) {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  PrepareSaveDialog(saveDialog_, w->windowTitle());
  const std::optional<QString> path = dialogs_->SaveFile(saveDialog_);
  if (!path) return;
  const std::optional<TWriteTarget> target = ConfirmedTarget(*w, *path);
  if (!target) return;
  // A mark the file had is written again when it gets its own encoding back.
  const bool bom = w->Origin.Bom && w->Origin.Encoding == encoding;
  const TEncodedText encoded = EncodeText(WithLineEnds(w->AFEdit->Text(), w->Origin.LineEnd), encoding, bom);
  QString error;
  if (!WriteWholeFile(QString::fromStdString(target->Path), encoded.Bytes, &error, target->Links)) {
    dialogs_->ShowMessage(WriteFailure(*path, error));
    return;
  }
  AddToHistory(*path);
  NoteWritten(*w, *path, encoding, bom);
  if (clearsModified) {
    w->AFEdit->SetEdited(false);
    w->SavedEdited = false;
  }
  w->StateChanged();
  if (encoded.Lost > 0) dialogs_->ShowMessage(lossNotice.arg(encoded.Lost));
}

// Where the document may be written to path, or nothing when it must not
// be (after saying why) or the user keeps a file that changed on disk.
std::optional<TWriteTarget> TMainForm::ConfirmedTarget(const TMDIChild& child, const QString& path) {
  const TFileOrigin& origin = child.Origin;
  const std::string file = path.toStdString();
  const TFileIdentity now = IdentityOf(file);
  if (origin.CutAtNul && now.SameFile(origin.Identity)) {
    dialogs_->ShowMessage(path + QStringLiteral(" は NUL 文字の手前までしか読み込んでいないため、"
                                                "このファイルには保存できません(-_-;)"));
    return std::nullopt;
  }
  if (!IsOwnFile(child, path)) return TWriteTarget{file, TLinkPolicy::Follow};
  if (origin.ChangedOnDisk(now) &&
      !dialogs_->Ask(path + QStringLiteral(" は読み込みまたは保存の後で、ほかのプログラムによって変更されています。\r\n"
                                           "上書きしますか？"))) {
    return std::nullopt;
  }
  return origin.SaveTarget(file, now);
}

// After a write to path: when that is the document's own file, the origin
// describes it from now on; its line-end style stays the document's.
void TMainForm::NoteWritten(TMDIChild& child, const QString& path, TEncoding encoding, bool bom) {
  if (!IsOwnFile(child, path)) return;
  child.RemoveBar();  // the file holds the document as it now reads
  const bool wasCut = child.Origin.CutAtNul;
  child.Origin = TFileOrigin{encoding, bom, child.Origin.LineEnd, false, IdentityOf(path.toStdString())};
  if (wasCut) child.AFEdit->SetReadOnly(false);  // the file holds all of the text now
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
