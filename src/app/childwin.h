// TMDIChild: the window of one document. It holds the document's editor,
// turns the editor's events into the main window's command states and
// status bar, asks before a modified document is closed, keeps soft
// wrapping in step with its width while right-edge wrapping is on, opens
// the HTML menus at the caret, and colours tags and quotes as rows are drawn.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>

#include "app/fileorigin.h"
#include "app/htmlcolor.h"

class QMenu;
class QVBoxLayout;
class TAFEdit;
class TDocumentRecovery;
class TMainForm;

class TMDIChild : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit TMDIChild(TMainForm& main);

  TAFEdit* AFEdit = nullptr;
  int Tag = 0;  // 1: opened (or formatted) in auto-format mode
  int ResizeDelta = 0;
  bool ResizePending = false;
  bool SavedEdited = false;
  TFileOrigin Origin;  // the file behind the caption's path
  QPoint PlacedAt;     // where it opened; cascading goes on from here while it is maximised

  // The caption: the document's path, which the rest of the program reads
  // as such. Qt's own title is the path followed by "[*]", where the title
  // bar shows the modified mark; these two hide QWidget's accessors of it.
  QString windowTitle() const { return path_; }
  void setWindowTitle(const QString& path);
  // The save options of this document's saves: an auto-format window
  // writes every row as a line of its own.
  int SaveOptions() const;
  // After every change of the editor's text or modified state: the
  // modified mark, the recovery copy and the status bar follow it.
  void StateChanged();
  // Null when the editor keeps no recovery copies.
  TDocumentRecovery* Recovery() const { return recovery_; }

  // The main window's editor options, margins and row pitch, then the
  // resize handling.
  void ApplyEditorSettings();
  // Opens a menu just below the caret.
  void PopupAtCaret(QMenu* menu);
  QPoint CaretPopupPoint() const;
  // The main window's commands in step with this window's selection.
  void Activated();
  // A bar above the editor, in place of the one shown before; the window owns it.
  void ShowBar(QWidget* bar);
  void RemoveBar();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void ConnectEditor();
  void KeyDown(int key, unsigned shift);
  void Resized();
  // False when the window is to stay open.
  bool CloseQuery();
  THtmlColoring Coloring() const;
  // The caret's place in the status bar, when this is the active document.
  void ShowPlace();

  TMainForm& main_;
  QVBoxLayout* body_ = nullptr;
  QPointer<QWidget> bar_;
  QString path_;
  TDocumentRecovery* recovery_ = nullptr;
  bool placePosted_ = false;  // a refresh of the place waits for outside work
};

// A window that a command picked before a dialog or busy indicator ran, and
// that was closed meanwhile: deleted, or hidden until its deletion.
inline bool Gone(const QPointer<TMDIChild>& window) { return !window || window->isHidden(); }
