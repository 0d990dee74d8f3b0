// TMainForm: the MDI main window. It owns the settings and the shared lists,
// the commands with their menus and tool bars, the status bar and the clock,
// and creates the document windows.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/dialogs.h"
#include "app/fileorigin.h"
#include "app/inifile.h"
#include "app/printsettings.h"
#include "app/recentlist.h"
#include "app/settings.h"
#include "app/taginsert.h"
#include "app/textlist.h"
#include "app/wordregister.h"
#include "editor/types.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QUrl;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class TAboutBox;
class TClipboardHistory;
class TCommands;
class TForm2;
class TCustomAFEdit;
class TMDIChild;
class TRecovery;
struct TDocumentText;
struct TTagCommand;
class TTextMenus;
class Teditform;
enum TListEditMode : int;

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // Reads the settings and lists from `files`. Without `dialogs` the
  // dialogs appear on screen.
  explicit TMainForm(const TSettingsFiles& files, std::unique_ptr<Dialogs> dialogs = nullptr,
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  TCommands& Commands() const { return *commands_; }
  Dialogs& Dlg() const { return *dialogs_; }
  QMdiArea* MdiArea() const { return mdi_; }
  QToolBar* HtmlToolBar() const { return toolBar1_; }
  QToolBar* StandardToolBar() const { return toolBar2_; }
  QToolBar* ConvToolBar() const { return toolBar3_; }
  QLabel* StatusPanel(int index) const { return panels_[index]; }
  // The caret's line and column, and how the document will be saved.
  QLabel* PlacePanel() const { return place_; }
  QLabel* ClockLabel() const { return clock_; }
  QMenu* FileMenu() const;

  // The settings other than the menu ticks: editor geometry, colours, font.
  const TSettings& Settings() const { return settings_; }
  bool Ticked(const char* id) const;
  int TagMode() const { return tagMode_; }
  const TPrintSettings& PrintSettings() const { return printSettings_; }
  const std::string& LastTag() const { return tags_.LastTag; }
  TAFEditOptions EditorOptions() const;
  TViewOptions EditorViewOptions() const { return viewOptions_; }
  bool EmphasizeTags() const { return Ticked("embtagClick"); }
  bool EmphasizeQuotes() const { return Ticked("embquatClick"); }

  const TRecentList& RecentFiles() const { return recentFiles_; }
  const TRecentList& RecentFolders() const { return recentFolders_; }
  const TStringList& KeywordList() const { return keywords_; }
  const TStringList& PhraseList() const { return phrases_; }
  const TStringList& FavoritesList() const { return favorites_; }

  // ---- Lists and the preview browser
  TClipboardHistory& ClipboardHistory() const { return *clipHistory_; }
  Teditform& ListEditor() const { return *listEditor_; }
  TForm2& PreviewBrowser() const { return *form2_; }
  // Opens the list editor on the list of `mode`, unless it is open already.
  void OpenListEditor(TListEditMode mode);
  // The list editor or the preview browser became active, or stopped being.
  void OtherWindowActive(bool active);
  // A new document holding `source` (Shift-JIS), named `name`; when `name`
  // is an existing file, that file opens instead.
  void TransferSource(const QString& name, const std::string& source);

  // The commands that need a document, on when the first document window
  // opens and off when the last one closes.
  void DocumentCommandsOn();
  void DocumentCommandsOff();
  // The selection commands, as the active document's selection comes and goes.
  void SelectionCommands(bool selected);
  // "元に戻す" and "やり直し" as the active editor's history allows.
  void UndoCommands(bool canUndo, bool canRedo);
  // Status bar panels 0 and 1.
  void ShowEditorStatus(bool insertMode);
  void ShowImeStatus(const QString& text);
  // The place panel for a document (placepanel.cpp); empty without one.
  void ShowPlace(const TMDIChild* child);

  // Writes the settings and lists; false (after telling the user) when a
  // file could not be written.
  bool SaveSettings();

  // ---- Documents
  // Creates the window of a document and reads the file when it exists.
  // Null (after telling the user) when an existing file cannot be read.
  // With `text`, the window holds that text instead of the file's.
  TMDIChild* OpenDocument(const QString& path, const TDocumentText* text = nullptr);
  TMDIChild* ActiveChild() const;
  // The active document when its text may change: a read-only one (a file
  // cut at a NUL) is left as it is, since the control's own operations do
  // not check.
  TMDIChild* EditableChild() const;
  QList<TMDIChild*> Children() const;
  // How the next file is read (TOpenMode); it stays after an open.
  int OpenMode = 0;
  // The input methods' word-registration tools, looked for in this order.
  std::span<const TWordRegisterTool> WordRegisterTools = kWordRegisterTools;
  // Records a path among the recent files and its folder among the folders.
  void AddToHistory(const QString& path);
  // Records and opens each path that names an existing file; the number opened.
  int OpenFiles(const QStringList& paths);
  // Files dropped on the window: the first, when it is one.
  void OpenDropped(const QList<QUrl>& urls);
  // Recovery copies of modified documents; null when none are kept.
  TRecovery* Recovery() const { return recovery_; }
  void SetRecovery(TRecovery* recovery) { recovery_ = recovery; }
  // Save As with the shared save dialog, for a command or the close query.
  // `rename`: the window takes the new path. False when nothing was saved.
  bool SaveDocumentAs(TMDIChild& child, int options, bool rename);

 public slots:
  // A later start's files, opened once no command or modal window is under
  // way; the window comes forward when one opens.
  void HandOver(const QStringList& files);

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildCommands();
  void BuildToolBars();
  void BuildStatusBar();
  void WireCommands();
  void LoadSettings();
  void ApplyTicks(const TSettings& s);
  void CollectTicks(TSettings& s) const;
  // Every command state from whether a document is open, whether it has
  // a selection, and the tool group switches.
  void UpdateCommandStates();
  void ApplyClockColors();
  void PlaceOnScreen(const TFormBounds& bounds);
  void LoadLists();
  // The list files and the lists they hold.
  std::array<std::pair<QString, TStringList*>, 3> Lists();
  void RebuildViewOptions();
  void RebuildRecentMenus();
  void UpdateClock();
  void ToggleToolBar(QToolBar* bar);
  // Window menu.
  void TileOneAboveTheOther();
  void TileSideBySide();
  void MinimizeAll();
  void ArrangeIcons();
  void FillWindowMenu();
  void ShowAbout();
  // File and edit commands.
  void WireFileCommands();
  void WireEditCommands();
  void OpenExisting(const QString& path);
  void PlaceNewChild(TMDIChild& child);
  void GiveSettings(TMDIChild& child);
  bool LoadFile(TMDIChild& child, const QString& path, const TDocumentText* given);
  void FileNew();
  void FileOpen(int mode);
  void FileSave();
  void EncodedSave(TEncoding encoding, bool clearsModified, const QString& lossNotice);
  void ToggleRightEdgeWrap();
  // View and settings commands.
  void WireViewCommands();
  void PickEditorColor(TColor TSettings::*setting, void (TCustomAFEdit::*apply)(TColor));
  void PickClockColor(TColor TSettings::*setting);
  void ChooseEditorFont();
  void AskWrapPos();
  void FormatActive();
  void EndFormatActive();
  // Printing.
  void WirePrintCommands();
  void PrintActiveDocument();
  void ReapplyEditorSettings();
  void GiveViewOptions();
  void RepaintEditors();
  bool SaveFile(TMDIChild& child, const QString& path, int options);
  // HTML tags.
  void WireTagCommands();
  void RunTagCommand(const TTagCommand& command);
  std::optional<TWriteTarget> ConfirmedTarget(const TMDIChild& child, const QString& path);
  void NoteWritten(TMDIChild& child, const QString& path, TEncoding encoding, bool bom);
  // Lists and the preview browser.
  void SetUpLists();
  void SetUpPreview();
  void InsertEntry(const QByteArray& text);
  void AddPhraseItems(bool (*skip)(std::string_view phrase));
  void AddSelectedPhrases();
  void AddSelectedKeyword();
  void GiveKeywords();
  void ApplyListEdit(TListEditMode mode, const TStringList& lines);
  void PreviewDocument();
  void WebSearch();
  // Conversion and insertion tools.
  void WireConvCommands();

  TSettingsFiles files_;
  std::unique_ptr<Dialogs> dialogs_;
  TCommands* commands_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QMdiArea* mdi_ = nullptr;
  QToolBar* toolBar1_ = nullptr;  // HTML tags
  QToolBar* toolBar2_ = nullptr;  // standard
  QToolBar* toolBar3_ = nullptr;  // conversion and insertion
  QLabel* panels_[3] = {};
  QLabel* place_ = nullptr;
  QLabel* clock_ = nullptr;
  QTimer* clockTimer_ = nullptr;
  TAboutBox* about_ = nullptr;
  TForm3* printForm_ = nullptr;
  QList<QAction*> recentFileItems_;

  TFileDialogSpec saveDialog_;
  TIniFile ini_;  // as read, so that unknown keys are written back
  TSettings settings_;
  int tagMode_ = 0;
  TTagInserter tags_;
  TColor tagColor_ = clBlack;  // the colour dialog starts from the last one picked
  bool documentOpen_ = false;
  bool hasSelection_ = false;  // in the active document
  TViewOptions viewOptions_;
  TPrintSettings printSettings_;
  TRecentList recentFiles_;
  TRecentList recentFolders_;
  TStringList keywords_;
  TStringList phrases_;
  TStringList favorites_;
  QStringList unreadable_;  // settings and list files that exist but could not be read
  TClipboardHistory* clipHistory_ = nullptr;
  TTextMenus* phraseMenus_ = nullptr;
  Teditform* listEditor_ = nullptr;
  TForm2* form2_ = nullptr;
  TRecovery* recovery_ = nullptr;
};
