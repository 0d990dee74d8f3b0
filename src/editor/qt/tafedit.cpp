#include "editor/qt/tafedit.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCharFormat>

#include "editor/ime.h"
#include "editor/qt/keymap.h"
#include "editor/qt/qtcolors.h"
#include "encoding/cp932.h"
#include "encoding/sjis.h"

namespace {

std::string ToSjis(const QString& text) { return cp932::FromUtf16(text.toStdU16String()); }

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  return s;
}

// A scroll bar's action as the scroll request the control understands.
int ScrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return SB_THUMBPOSITION;  // to the top or the bottom
  }
}

// A modifier key's own event may report the state from before it.
Qt::KeyboardModifiers ModifiersAfter(const QInputEvent& event) {
  Qt::KeyboardModifiers modifiers = event.modifiers();
  if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return modifiers;
  const bool down = event.type() == QEvent::KeyPress;
  switch (static_cast<const QKeyEvent&>(event).key()) {
    case Qt::Key_Shift: modifiers.setFlag(Qt::ShiftModifier, down); break;
    case Qt::Key_Control: modifiers.setFlag(Qt::ControlModifier, down); break;
    case Qt::Key_Alt: modifiers.setFlag(Qt::AltModifier, down); break;
    default: break;
  }
  return modifiers;
}

}  // namespace

TAFEdit::TAFEdit(QWidget* parent)
    : QAbstractScrollArea(parent),
      TQtHost(static_cast<QAbstractScrollArea&>(*this)),
      TCustomAFEdit(static_cast<TEditHost&>(*this)) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ConnectScrollBar(verticalScrollBar(), TScrollBarKind::Vertical);
  ConnectScrollBar(horizontalScrollBar(), TScrollBarKind::Horizontal);
  resize(200, 100);
  Loaded();
}

template <typename F>
void TAFEdit::Forward(F&& handler) {
  ++inHandler_;
  handler();
  --inHandler_;
  if (inHandler_ > 0) return;
  if (resizePending_) ApplyResize();
  FlushPaint();
  PostInputMethodUpdate();
}

void TAFEdit::RepaintNow() {
  FlushPaint();
  viewport()->repaint();
}

// ---- Painting and size

void TAFEdit::paintEvent(QPaintEvent* event) {
  QtCanvas().End();
  QPainter p(viewport());
  const QImage& image = QtCanvas().Image();
  const qreal ratio = image.devicePixelRatio();
  // Moved to a screen of another density: paint again at the new one.
  if (!image.isNull() && ratio != devicePixelRatioF())
    QMetaObject::invokeMethod(this, [this] { ApplyResize(); }, Qt::QueuedConnection);
  for (const QRect& r : event->region()) {
    if (image.isNull()) {
      p.fillRect(r, ToQColor(Color(), palette()));
      continue;
    }
    p.drawImage(r, image, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
  }
  PaintCaret(p);
  PaintComposition(p);
}

void TAFEdit::resizeEvent(QResizeEvent*) {
  if (inHandler_ > 0) {
    resizePending_ = true;
    return;
  }
  ApplyResize();
}

// The new area starts in the window colour; the control then paints it all.
void TAFEdit::ApplyResize() {
  resizePending_ = false;
  const QSize size = viewport()->size();
  QtCanvas().Resize(size, devicePixelRatioF(), ToQColor(Color(), palette()));
  Forward([&] {
    WMSize(size.width(), size.height());
    NonClientPaint();
    Paint();
  });
  // A scroll bar shown or hidden while the viewport itself is being shown
  // resizes it without a resize event: look again once showing is over.
  if (viewport()->size() != size) QMetaObject::invokeMethod(this, [this] { ApplyResize(); }, Qt::QueuedConnection);
}

void TAFEdit::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() != QEvent::PaletteChange) return;
  QtCanvas().SetPalette(palette());
  Forward([&] {
    NonClientPaint();
    Paint();
  });
}

bool TAFEdit::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) Forward([&] { MouseLeave(); });
  return QAbstractScrollArea::viewportEvent(event);
}

// ---- Scroll bars

void TAFEdit::ConnectScrollBar(QScrollBar* bar, TScrollBarKind kind) {
  connect(bar, &QScrollBar::actionTriggered, this,
          [this, bar, kind](int action) { ScrollAction(kind, ScrollCodeOf(action), bar->sliderPosition()); });
  connect(bar, &QScrollBar::sliderReleased, this,
          [this, bar, kind] { ScrollAction(kind, SB_THUMBPOSITION, bar->sliderPosition()); });
  bar->installEventFilter(this);
}

void TAFEdit::ScrollAction(TScrollBarKind kind, int code, int pos) {
  Forward([&] {
    if (kind == TScrollBarKind::Vertical) {
      WMVScroll(code, pos);
    } else {
      WMHScroll(code, pos);
    }
  });
}

// Letting go of a scroll bar ends the scrolling (and its acceleration).
bool TAFEdit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == verticalScrollBar()) ScrollAction(TScrollBarKind::Vertical, SB_ENDSCROLL, 0);
    if (watched == horizontalScrollBar()) ScrollAction(TScrollBarKind::Horizontal, SB_ENDSCROLL, 0);
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

// ---- Keys

void TAFEdit::NoteInput(const QInputEvent& event) {
  NoteModifiers(ModifiersAfter(event));
  if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonRelease ||
      event.type() == QEvent::MouseMove || event.type() == QEvent::MouseButtonDblClick)
    NoteButtons(static_cast<const QMouseEvent&>(event).buttons());
}

void TAFEdit::keyPressEvent(QKeyEvent* event) {
  NoteInput(*event);
  const int vk = VirtualKeyOf(*event);
  if (vk) NoteKey(vk, true);
  Forward([&] {
    if (vk) WMKeyDown(vk, KeyDataOf(*event));
    SendCharacters(*event);
  });
  event->accept();
}

// Typed text goes byte by byte as characters; text with double-byte
// characters (a Japanese keyboard, a compose key) goes in whole, as
// confirmed input-method text, so that it is one undo step.
void TAFEdit::SendCharacters(const QKeyEvent& event) {
  const QString text = TypedText(event);
  if (text.isEmpty()) return;
  const std::string sjis = ToSjis(text);
  const bool wide = std::any_of(sjis.begin(), sjis.end(),
                                [](char c) { return sjis::IsLeadByte(static_cast<unsigned char>(c)); });
  if (wide) {
    WMImeResult(sjis);
    return;
  }
  for (char c : sjis) WMChar(c);
}

void TAFEdit::keyReleaseEvent(QKeyEvent* event) {
  NoteInput(*event);
  if (event->isAutoRepeat()) return;  // the key is still held
  const int vk = VirtualKeyOf(*event);
  if (!vk) return;
  NoteKey(vk, false);
  Forward([&] { WMKeyUp(vk); });
}

// ---- Mouse

void TAFEdit::mousePressEvent(QMouseEvent* event) {
  NoteInput(*event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Forward([&] { WMLButtonDown(p.x(), p.y(), ShiftOf(event->modifiers(), event->buttons())); });
}

void TAFEdit::mouseMoveEvent(QMouseEvent* event) {
  NoteInput(*event);
  const QPoint p = event->position().toPoint();
  Forward([&] { WMMouseMove(p.x(), p.y(), ShiftOf(event->modifiers(), event->buttons())); });
}

void TAFEdit::mouseReleaseEvent(QMouseEvent* event) {
  NoteInput(*event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Forward([&] { WMLButtonUp(p.x(), p.y(), ShiftOf(event->modifiers(), event->buttons())); });
}

void TAFEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  NoteInput(*event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Forward([&] { WMLButtonDblClk(p.x(), p.y(), ShiftOf(event->modifiers(), event->buttons())); });
}

void TAFEdit::wheelEvent(QWheelEvent* event) {
  NoteModifiers(event->modifiers());
  wheelDelta_ += event->angleDelta().y();
  for (; wheelDelta_ >= QWheelEvent::DefaultDeltasPerStep; wheelDelta_ -= QWheelEvent::DefaultDeltasPerStep)
    WheelNotch(false, *event);
  for (; wheelDelta_ <= -QWheelEvent::DefaultDeltasPerStep; wheelDelta_ += QWheelEvent::DefaultDeltasPerStep)
    WheelNotch(true, *event);
  event->accept();
}

void TAFEdit::WheelNotch(bool down, const QWheelEvent& event) {
  const QPoint p = event.position().toPoint();
  bool handled = false;
  const TWheelEvent& handler = down ? OnMouseWheelDown : OnMouseWheelUp;
  if (handler) handler(ShiftOf(event.modifiers(), event.buttons()), TPoint{p.x(), p.y()}, handled);
  if (!handled) Forward([&] { WMVScroll(down ? SB_LINEDOWN : SB_LINEUP, 0); });
}

// ---- Focus

void TAFEdit::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  committedOnFocusLoss_ = false;
  Forward([&] { WMSetFocus(); });
}

void TAFEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  CommitOnFocusLoss();
  Forward([&] { WMKillFocus(); });
}

// Leaving the control (for a menu too, when Qt still counts the focus as
// the control's) commits the composition whatever the input method does.
// One that commits it as well when it notices the focus change (fcitx does)
// must not have it inserted twice: until the focus returns or a new
// composition begins, commits are dropped.
void TAFEdit::CommitOnFocusLoss() {
  if (!IsComposing()) return;
  const std::string text = ToSjis(PreeditText());
  SetComposition(TComposition{});
  committedOnFocusLoss_ = true;
  Forward([&] {
    WMImeResult(text);
    WMImeNotify(IMN_SETOPENSTATUS);
  });
}

// ---- Input method

namespace {

TClauseFormat ClauseFormatOf(const QTextCharFormat& f) {
  TClauseFormat format;
  switch (f.underlineStyle()) {
    case QTextCharFormat::NoUnderline: break;
    case QTextCharFormat::DashUnderline:
    case QTextCharFormat::DotLine:
    case QTextCharFormat::DashDotLine:
    case QTextCharFormat::DashDotDotLine: format.Underline = TUnderline::Dashed; break;
    default: format.Underline = TUnderline::Thin; break;
  }
  if (f.background().style() != Qt::NoBrush) format.BkColor = ToTColor(f.background().color());
  if (f.foreground().style() != Qt::NoBrush) format.Color = ToTColor(f.foreground().color());
  if (f.fontWeight() >= QFont::Bold) format.Style |= fsBold;
  if (f.fontItalic()) format.Style |= fsItalic;
  if (f.fontStrikeOut()) format.Style |= fsStrikeOut;
  return format;
}

// Without a cursor attribute the caret stands at the end, shown.
TComposition CompositionOf(const QInputMethodEvent& event) {
  TComposition c;
  c.Text = event.preeditString().toStdU16String();
  c.Cursor = static_cast<int>(c.Text.size());
  for (const QInputMethodEvent::Attribute& a : event.attributes()) {
    if (a.type == QInputMethodEvent::TextFormat) {
      const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
      if (format.isValid()) c.Clauses.push_back(TClause{a.start, a.length, ClauseFormatOf(format)});
    } else if (a.type == QInputMethodEvent::Cursor) {
      c.Cursor = a.start;
      c.CursorVisible = a.length != 0;
    }
  }
  return c;
}

}  // namespace

// The new composition is put in place first, so that a commit in the same
// event moves it along with the caret. Text to commit, or text around the
// caret to replace, goes in as one confirmed result.
void TAFEdit::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  if (CancellingComposition()) return;
  const bool wasComposing = IsComposing();
  TComposition composition = CompositionOf(*event);
  if (!composition.Empty()) committedOnFocusLoss_ = false;
  SetComposition(std::move(composition));
  const bool input = !event->commitString().isEmpty() || event->replacementLength() > 0;
  if (input && !committedOnFocusLoss_) {
    Forward([&] {
      WMImeResult(ToSjis(event->commitString()), event->replacementStart(), event->replacementLength());
    });
  }
  if (wasComposing != IsComposing()) Forward([&] { WMImeNotify(IMN_SETOPENSTATUS); });
}

QVariant TAFEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
      return ImeCursorRect().translated(viewport()->pos());  // the widget's coordinates, not the viewport's
    case Qt::ImFont:
      return ToQFont(Font());
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImSurroundingText:
      return QString::fromStdU16String(ImeSurrounding().Text);
    case Qt::ImCursorPosition:
      return ImeSurrounding().Cursor;
    case Qt::ImAnchorPosition:
      return ImeSurrounding().Anchor;
    case Qt::ImCurrentSelection: {
      const TImeSurrounding s = ImeSurrounding();
      const auto [from, to] = std::minmax(s.Cursor, s.Anchor);
      return QString::fromStdU16String(s.Text.substr(from, to - from));
    }
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}
