// TMDIChild: the window of one document. It holds the document's editor,
// turns the editor's events into the main window's command states and
// status bar, asks before a modified document is closed, keeps soft
// wrapping in step with its width while right-edge wrapping is on, opens
// the HTML menus at the caret, and colours tags and quotes as rows are drawn.
#pragma once

#include <QMdiSubWindow>

#include "app/fileorigin.h"
#include "app/htmlcolor.h"

class QMenu;
class TAFEdit;
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

  // The main window's editor options, margins and row pitch, then the
  // resize handling.
  void ApplyEditorSettings();
  // Opens a menu just below the caret.
  void PopupAtCaret(QMenu* menu);
  QPoint CaretPopupPoint() const;
  // The main window's commands in step with this window's selection.
  void Activated();

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

  TMainForm& main_;
};
