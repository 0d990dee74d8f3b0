#include "editor/qt/qthost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethod>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>

#include "editor/ime.h"
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

// The clipboard's line ends are the platform's LF; the control's are CR.
// Both directions change them in place, in the pass that converts the
// text: QString::replace moves the rest of the text again for every
// thousand line ends, which made copying 100 MB take many seconds.

// CR LF becomes LF; a CR alone stays. Converted straight into the string
// the clipboard keeps, with no copy on the way.
QString ClipboardText(std::string_view sjis) {
  QString text(static_cast<qsizetype>(sjis.size()), Qt::Uninitialized);
  char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
  const char16_t* const end = begin + cp932::ToUtf16(sjis, begin);
  char16_t* out = begin;
  for (const char16_t* in = begin; in < end; ++in) {
    if (*in == u'\r' && in + 1 < end && in[1] == u'\n') continue;
    *out++ = *in;
  }
  text.truncate(out - begin);
  text.squeeze();
  return text;
}

// LF and CR LF become CR. No trail byte is an LF or a CR.
std::string EndingLinesWithCR(std::string sjis) {
  std::size_t out = 0;
  bool afterCR = false;
  for (const char c : sjis) {
    if (c != '\n' || !afterCR) sjis[out++] = c == '\n' ? '\r' : c;
    afterCR = c == '\r';
  }
  sjis.resize(out);
  return sjis;
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
  if (!data || !data->hasText()) return std::nullopt;
  const QString text = data->text();
  return EndingLinesWithCR(cp932::FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()))));
}

void TQtHost::SetClipboardText(const std::string& sjis) { QApplication::clipboard()->setText(ClipboardText(sjis)); }

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

void TQtHost::SetPreedit(const QString& text) {
  if (!composition_.isNull()) area_.viewport()->update(composition_.adjusted(0, 0, area_.width(), 2));
  preedit_ = text;
  if (!composition_.isNull()) area_.viewport()->update(composition_.adjusted(0, 0, area_.width(), 2));
}

void TQtHost::SetCompositionWindow(int x, int y, const TFont& font) {
  composition_ = QRect(x, y, 1, caret_.height() > 0 ? caret_.height() : QFontMetrics(ToQFont(font)).height());
  compositionFont_ = font;
  if (area_.hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImFont);
}

void TQtHost::CancelComposition() {
  if (preedit_.isEmpty()) return;
  QGuiApplication::inputMethod()->reset();
  SetPreedit(QString());
}

// Qt has no call that hands text to the input method. An input method that
// reconverts reads the selection through the widget's input method query;
// telling it to look again is all the host can do.
void TQtHost::Reconvert(const std::string&) { QGuiApplication::inputMethod()->update(Qt::ImQueryAll); }

// Qt reports neither the open state nor the conversion mode; an input
// method that is composing is open and converting to kana.
TImeStatus TQtHost::ImeStatus() {
  if (preedit_.isEmpty()) return TImeStatus{};
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
