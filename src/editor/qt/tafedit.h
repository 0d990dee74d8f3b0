// TAFEdit: the editor control as a Qt widget. The control paints into the
// widget's image whenever it likes; paintEvent only copies the image to the
// screen and draws the caret and the text being composed over it. Every Qt
// event is forwarded to the control's message handler of the same meaning.
#pragma once

#include <QAbstractScrollArea>
#include <QInputEvent>
#include <functional>

#include "editor/afedit.h"
#include "editor/qt/qthost.h"

class TAFEdit : public QAbstractScrollArea, private TQtHost, public TCustomAFEdit {
  Q_OBJECT

 public:
  explicit TAFEdit(QWidget* parent = nullptr);

  using TCustomAFEdit::SetFocus;

  // The framework's wheel events, one per notch of the wheel. A notch no
  // handler takes scrolls one line, as the document window answers them.
  using TWheelEvent = std::function<void(TShiftState shift, TPoint pos, bool& handled)>;
  TWheelEvent OnMouseWheelDown;
  TWheelEvent OnMouseWheelUp;

  // The input method's uncommitted text, shown at the caret.
  QString PreeditText() const { return QString::fromStdU16String(Composition().Text); }
  using TQtHost::CompositionLayout;
  // What the control has painted, as it will reach the screen.
  const QImage& BackBuffer() { return QtCanvas().Image(); }
  // Puts everything the control painted on the screen now.
  void RepaintNow();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int, int) override {}
  bool focusNextPrevChild(bool) override { return false; }  // Tab is a character here
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  // Runs a handler of the control, then shows what it painted. A resize
  // that happens inside (a scroll bar shown) is handled afterwards.
  template <typename F>
  void Forward(F&& handler);
  void ApplyResize();
  void ConnectScrollBar(QScrollBar* bar, TScrollBarKind kind);
  void ScrollAction(TScrollBarKind kind, int code, int pos);
  void NoteInput(const QInputEvent& event);
  void SendCharacters(const QKeyEvent& event);
  void WheelNotch(bool down, const QWheelEvent& event);
  void CommitOnFocusLoss();

  int inHandler_ = 0;
  // The composition was committed as the focus left; the input method may
  // commit it too before the focus returns or it composes again.
  bool committedOnFocusLoss_ = false;
  bool resizePending_ = false;
  int wheelDelta_ = 0;
};
