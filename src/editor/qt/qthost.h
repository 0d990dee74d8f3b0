// What the editor control asks of the window system, done with Qt for one
// QAbstractScrollArea: drawing into the widget's image, the caret, scroll
// bars, clipboard, key state, cursors and the input method.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <set>

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

  // The text being composed by the input method, never part of the rows.
  void SetPreedit(const QString& text);
  const QString& Preedit() const { return preedit_; }
  QRect CompositionRect() const { return composition_; }
  const TFont& CompositionFont() const { return compositionFont_; }

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
  bool IsComposing() override { return !preedit_.isEmpty(); }
  void SetCompositionWindow(int x, int y, const TFont& font) override;
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

  QString preedit_;
  QRect composition_;
  TFont compositionFont_;
};
