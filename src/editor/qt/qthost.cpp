#include "editor/qt/qthost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QFontInfo>
#include <QInputMethod>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

#include "editor/ime.h"
#include "editor/qt/clipboarddata.h"
#include "editor/keys.h"
#include "editor/qt/qtcolors.h"
#include "encoding/cp932.h"

// Resources of a static library are registered by hand.
static void InitEditorResources() { Q_INIT_RESOURCE(editor); }

namespace {

// The control's default face names a Windows font; installed Japanese
// monospace faces stand in for it.
void SubstituteFonts() {
  static const bool done = [] {
    const QStringList faces{"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic"};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), faces);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), faces);
    return true;
  }();
  (void)done;
}

}  // namespace

TQtHost::TQtHost(QAbstractScrollArea& area)
    : area_(area), canvas_([this] {
        // Painting outside an event the widget forwards (a command calling
        // the control) reaches the screen at the next turn of the loop.
        if (flushPosted_) return;
        flushPosted_ = true;
        QMetaObject::invokeMethod(&area_, [this] { FlushPaint(); }, Qt::QueuedConnection);
      }) {
  InitEditorResources();
  SubstituteFonts();
  canvas_.SetPalette(area_.palette());
  blink_.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
  QObject::connect(&blink_, &QTimer::timeout, &area_, [this] {
    blinkOn_ = !blinkOn_;
    UpdateCaretArea();
  });
}

void TQtHost::FlushPaint() {
  flushPosted_ = false;
  const QRect dirty = canvas_.TakeDirty();
  if (!dirty.isEmpty()) area_.viewport()->update(dirty);
}

// The em size. For the face the control is made for, the text height of
// あ is exactly that; the faces standing in for it on Linux have taller
// line metrics (IPAGothic 1.08 em), which would open a gap between
// half-width characters that are half an em wide.
int TQtHost::MeasureCharHeight(const TFont& font) {
  return std::max(1, QFontInfo(ToQFont(font)).pixelSize());
}

TColor TQtHost::SystemColor(TColor color) { return SystemColorOf(color, canvas_.Palette()); }

// ---- Caret

void TQtHost::PaintCaret(QPainter& p) const {
  if (!CaretVisible() || !blinkOn_ || !area_.hasFocus()) return;
  p.setCompositionMode(QPainter::CompositionMode_Difference);
  p.fillRect(caret_, Qt::white);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtHost::UpdateCaretArea() const {
  if (caretCreated_) area_.viewport()->update(caret_);
}

void TQtHost::CreateCaret(int width, int height) {
  UpdateCaretArea();
  caretCreated_ = true;
  caretHides_ = 1;
  caret_.setSize(QSize(width, height));
  CaretVisibilityChanged();
}

void TQtHost::DestroyCaret() {
  UpdateCaretArea();
  caretCreated_ = false;
  caretHides_ = 0;
  CaretVisibilityChanged();
}

void TQtHost::SetCaretPos(int x, int y) {
  if (caret_.topLeft() == QPoint(x, y)) return;
  UpdateCaretArea();
  caret_.moveTo(x, y);
  blinkOn_ = true;
  UpdateCaretArea();
}

void TQtHost::ShowCaret() {
  if (!caretCreated_ || caretHides_ == 0) return;
  --caretHides_;
  CaretVisibilityChanged();
}

void TQtHost::HideCaret() {
  if (!caretCreated_) return;
  ++caretHides_;
  CaretVisibilityChanged();
}

// A caret that appears starts in its visible phase and blinks from there.
void TQtHost::CaretVisibilityChanged() {
  const bool visible = CaretVisible();
  if (visible == blink_.isActive()) return;
  blinkOn_ = true;
  if (visible) {
    blink_.start();
  } else {
    blink_.stop();
  }
  UpdateCaretArea();
}

// ---- Scroll bars

QScrollBar* TQtHost::Bar(TScrollBarKind bar) const {
  return bar == TScrollBarKind::Vertical ? area_.verticalScrollBar() : area_.horizontalScrollBar();
}

// The control counts a page inside the range (max is the last row); a Qt
// bar's maximum is the last position the page can start at.
void TQtHost::SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) {
  scroll_[bar == TScrollBarKind::Vertical] = info;
  QScrollBar* sb = Bar(bar);
  const QSignalBlocker block(sb);
  sb->setRange(info.Min, std::max(info.Min, info.Max - std::max(1, info.Page) + 1));
  sb->setPageStep(std::max(1, info.Page));
  sb->setSingleStep(1);
  sb->setValue(info.Pos);
}

TScrollInfo TQtHost::GetScrollInfo(TScrollBarKind bar) {
  TScrollInfo info = scroll_[bar == TScrollBarKind::Vertical];
  info.Pos = Bar(bar)->value();
  info.TrackPos = Bar(bar)->sliderPosition();
  return info;
}

void TQtHost::ShowScrollBar(TScrollBarKind bar, bool show) {
  const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (bar == TScrollBarKind::Vertical) {
    area_.setVerticalScrollBarPolicy(policy);
  } else {
    area_.setHorizontalScrollBarPolicy(policy);
  }
}

void TQtHost::EnableScrollBars(bool enable) {
  area_.verticalScrollBar()->setEnabled(enable);
  area_.horizontalScrollBar()->setEnabled(enable);
}

void TQtHost::ScrollArea(int dx, const TRect& area) {
  canvas_.Scroll(dx, QRect(area.Left, area.Top, area.Width(), area.Height()));
}

// ---- Clipboard: code page 932 inside, the platform's LF line ends outside.

std::optional<std::string> TQtHost::GetClipboardText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (const std::optional<QByteArray> own = TClipboardData::Sjis(data))
    return EndingLinesWithCR(own->toStdString());
  if (!data || !data->hasText()) return std::nullopt;
  const QString text = data->text();
  return EndingLinesWithCR(cp932::FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()))));
}

void TQtHost::SetClipboardText(const std::string& sjis) {
  QApplication::clipboard()->setMimeData(new TClipboardData(QByteArray::fromStdString(sjis)));
}

// ---- Keys and mouse

void TQtHost::NoteKey(int vk, bool down) {
  if (down) {
    keysDown_.insert(vk);
  } else {
    keysDown_.erase(vk);
  }
}

bool TQtHost::IsKeyDown(int vk) {
  switch (vk) {
    case VK_SHIFT: return modifiers_ & Qt::ShiftModifier;
    case VK_CONTROL: return modifiers_ & Qt::ControlModifier;
    case VK_MENU: return modifiers_ & Qt::AltModifier;
    case VK_LBUTTON: return buttons_ & Qt::LeftButton;
    default: return keysDown_.count(vk) > 0;
  }
}

void TQtHost::SetCursor(TCursorShape shape) {
  QWidget* view = area_.viewport();
  switch (shape) {
    case TCursorShape::IBeam: view->setCursor(Qt::IBeamCursor); break;
    case TCursorShape::SizeWE: view->setCursor(Qt::SizeHorCursor); break;
    case TCursorShape::Busy: view->setCursor(Qt::WaitCursor); break;
    case TCursorShape::RowSelect: {
      // The arrow of the margin points right; its tip is the hot spot.
      static const QCursor kRowSelect(QPixmap(QStringLiteral(":/RevCursor")), 15, 0);
      view->setCursor(kRowSelect);
      break;
    }
    case TCursorShape::Default: view->setCursor(Qt::ArrowCursor); break;
  }
}

// While a button is held Qt sends the moves to the widget anyway; a grab
// is only needed without one.
void TQtHost::SetCapture(bool capture) {
  if (capture && !grabbed_ && QApplication::mouseButtons() == Qt::NoButton) {
    area_.viewport()->grabMouse();
    grabbed_ = true;
  } else if (!capture && grabbed_) {
    area_.viewport()->releaseMouse();
    grabbed_ = false;
  }
}

TPoint TQtHost::MousePos() {
  const QPoint p = area_.viewport()->mapFromGlobal(QCursor::pos());
  return TPoint{p.x(), p.y()};
}

// ---- Input method

namespace {

// Everything an input method may ask when the caret or the text moved.
constexpr Qt::InputMethodQueries kCaretQueries = Qt::ImCursorRectangle | Qt::ImAnchorRectangle | Qt::ImFont |
                                                 Qt::ImSurroundingText | Qt::ImCursorPosition |
                                                 Qt::ImAnchorPosition | Qt::ImCurrentSelection;

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

void TQtHost::SetComposition(TComposition composition) {
  composition_ = std::move(composition);
  LayOutComposition();
  PostInputMethodUpdate();
}

void TQtHost::SetCompositionWindow(const TCompositionPlace& place, const TFont& font, TColor background) {
  const bool moved = !(place == place_ && font == compositionFont_ && background == compositionBackground_);
  place_ = place;
  compositionFont_ = font;
  compositionBackground_ = background;
  if (moved && !composition_.Empty()) LayOutComposition();
  PostInputMethodUpdate();
}

// The input method reads the caret, the selection and the text around them
// once the event that changed them is over: the selection follows the caret
// only after the caret was placed, and an input method that reconverts
// from stale text replaces what it did not read.
void TQtHost::PostInputMethodUpdate() {
  if (imeUpdatePosted_) return;
  imeUpdatePosted_ = true;
  QMetaObject::invokeMethod(
      &area_,
      [this] {
        imeUpdatePosted_ = false;
        if (area_.hasFocus()) QGuiApplication::inputMethod()->update(kCaretQueries);
      },
      Qt::QueuedConnection);
}

// Draws the composition once into its own image; painting then copies the
// box from there over the control's image.
void TQtHost::LayOutComposition() {
  QWidget* view = area_.viewport();
  view->update(CompositionBounds());
  if (composition_.Empty()) {
    layout_ = TCompositionLayout{};
    overlay_.reset();
    return;
  }
  layout_ = LayoutComposition(composition_, place_);
  if (!overlay_) overlay_ = std::make_unique<TQtCanvas>(nullptr);
  overlay_->SetPalette(area_.palette());
  overlay_->Resize(view->size(), area_.devicePixelRatioF(), Qt::black);
  ::PaintComposition(*overlay_, layout_, compositionFont_, compositionBackground_);
  overlay_->End();
  view->update(CompositionBounds());
}

QRect TQtHost::CompositionBounds() const {
  QRect bounds;
  for (const TRect& line : layout_.Lines) bounds |= ToQRect(line);
  return bounds;
}

void TQtHost::PaintComposition(QPainter& p) const {
  if (!overlay_ || overlay_->Image().isNull()) return;
  const QImage& image = overlay_->Image();
  const qreal ratio = image.devicePixelRatio();
  for (const TRect& line : layout_.Lines) {
    const QRect r = ToQRect(line);
    p.drawImage(r, image, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
  }
}

QRect TQtHost::ImeCursorRect() const {
  if (!composition_.Empty()) return ToQRect(layout_.Target);
  return QRect(place_.Origin.X, place_.Origin.Y, 1, place_.RowHeight);
}

// Some input methods commit what they hold when reset (fcitx does); the
// control asked for the composition to be thrown away.
void TQtHost::CancelComposition() {
  if (composition_.Empty()) return;
  SetComposition(TComposition{});
  const QScopedValueRollback<bool> resetting(cancelling_, true);
  QGuiApplication::inputMethod()->reset();
}

// Qt has no call that hands text to the input method. An input method that
// reconverts reads the selection through the widget's input method query;
// telling it to look again is all the host can do.
void TQtHost::Reconvert(const std::string&) { QGuiApplication::inputMethod()->update(Qt::ImQueryAll); }

// Qt reports neither the open state nor the conversion mode; an input
// method that is composing is open and converting to kana.
TImeStatus TQtHost::ImeStatus() {
  if (composition_.Empty()) return TImeStatus{};
  return TImeStatus{true, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE};
}

TBitmap TQtHost::LoadBitmap(std::string_view name) {
  const QImage image =
      QImage(QStringLiteral(":/") + QString::fromUtf8(name.data(), static_cast<int>(name.size())))
          .convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return TBitmap();
  TBitmap bmp(image.width(), image.height(), 0);
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) bmp.At(x, y) = line[x] & 0xFFFFFF;
  }
  return bmp;
}

// ---- The document window around the control

// The document window is the MDI sub-window around the control when there
// is one; a control placed elsewhere resizes its top-level window.
QWidget* TQtHost::DocumentWindow() const {
  for (QWidget* w = area_.parentWidget(); w; w = w->parentWidget())
    if (qobject_cast<QMdiSubWindow*>(w)) return w;
  QWidget* window = area_.window();
  return window == &area_ ? nullptr : window;
}

// A maximised or minimised window keeps its size, as the area gives it.
void TQtHost::ResizeParentForWidth(int controlWidth) {
  QWidget* window = DocumentWindow();
  if (!window || window->isMaximized() || window->isMinimized()) return;
  window->resize(window->width() + controlWidth - area_.width(), window->height());
}

void TQtHost::Wait(int ms) {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, ms);
}
