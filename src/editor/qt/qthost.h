// What the editor control asks of the window system, done with Qt for one
// QAbstractScrollArea: drawing into the widget's image, the caret, scroll
// bars, clipboard, key state, cursors and the input method.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <memory>
#include <set>

#include "editor/composition.h"
#include "editor/host.h"
#include "editor/qt/qtcanvas.h"

class TQtHost : public TEditHost {
 public:
  explicit TQtHost(QAbstractScrollArea& area);

  TQtCanvas& QtCanvas() { return canvas_; }
  // Asks the viewport to show what the control painted since the last call.
  void FlushPaint();
  // The caret over the image, inverted, while it is shown and blinks on.
  void PaintCaret(QPainter& p) const;

  // The tracked state behind IsKeyDown, updated from every input event.
  void NoteModifiers(Qt::KeyboardModifiers modifiers) { modifiers_ = modifiers; }
  void NoteKey(int vk, bool down);
  void NoteButtons(Qt::MouseButtons buttons) { buttons_ = buttons; }

  // The text being composed by the input method, shown over the rows at
  // the caret and never part of them.
  void SetComposition(TComposition composition);
  const TComposition& Composition() const { return composition_; }
  const TCompositionLayout& CompositionLayout() const { return layout_; }
  // Draws the composition over what the viewport shows.
  void PaintComposition(QPainter& p) const;
  // What the input method places its candidates next to: the focused
  // clause or the composition caret, else the caret.
  QRect ImeCursorRect() const;
  // Tells the input method, after the current event, that the caret, the
  // selection or the text may have changed.
  void PostInputMethodUpdate();
  // True while a cancelled composition is being reset: the input method
  // may commit it then, and that text must be dropped.
  bool CancellingComposition() const { return cancelling_; }

  // ---- TEditHost
  TCanvas& Canvas() override { return canvas_; }
  int MeasureCharHeight(const TFont& font) override;
  TColor SystemColor(TColor color) override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) override;
  TScrollInfo GetScrollInfo(TScrollBarKind bar) override;
  void ShowScrollBar(TScrollBarKind bar, bool show) override;
  void EnableScrollBars(bool enable) override;
  void ScrollArea(int dx, const TRect& area) override;
  std::optional<std::string> GetClipboardText() override;
  void SetClipboardText(const std::string& sjis) override;
  bool IsKeyDown(int vk) override;
  bool HasFocus() override { return area_.hasFocus(); }
  void SetFocus() override { area_.setFocus(Qt::OtherFocusReason); }
  bool IsComposing() override { return !composition_.Empty(); }
  void SetCompositionWindow(const TCompositionPlace& place, const TFont& font, TColor background) override;
  void CancelComposition() override;
  void Reconvert(const std::string& sjis) override;
  TImeStatus ImeStatus() override;
  TBitmap LoadBitmap(std::string_view name) override;
  void SetCursor(TCursorShape shape) override;
  void SetCapture(bool capture) override;
  TPoint MousePos() override;
  bool HasParent() override { return DocumentWindow() != nullptr; }
  void ResizeParentForWidth(int controlWidth) override;
  void Wait(int ms) override;

 private:
  QWidget* DocumentWindow() const;
  QScrollBar* Bar(TScrollBarKind bar) const;
  void CaretVisibilityChanged();
  bool CaretVisible() const { return caretCreated_ && caretHides_ == 0; }
  void UpdateCaretArea() const;
  void LayOutComposition();
  QRect CompositionBounds() const;

  QAbstractScrollArea& area_;
  TQtCanvas canvas_;
  bool flushPosted_ = false;

  // As the system caret: created hidden, hides nest.
  bool caretCreated_ = false;
  int caretHides_ = 0;
  bool blinkOn_ = true;
  QRect caret_;
  QTimer blink_;

  TScrollInfo scroll_[2];
  std::set<int> keysDown_;
  Qt::KeyboardModifiers modifiers_;
  Qt::MouseButtons buttons_;
  bool grabbed_ = false;

  TComposition composition_;
  TCompositionPlace place_;
  TFont compositionFont_;
  TColor compositionBackground_ = clWindow;
  TCompositionLayout layout_;
  std::unique_ptr<TQtCanvas> overlay_;  // the composition as drawn, while there is one
  bool cancelling_ = false;
  bool imeUpdatePosted_ = false;
};
