// TAFEdit driven by real Qt events on the offscreen platform: keys, the
// mouse, the wheel, the input method, the clipboard, and what reaches the
// back buffer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>

#include "editor/ime.h"
#include "editor/memstream.h"
#include "editor/switches.h"
#include "editor/qt/qtcolors.h"
#include "editor/qt/tafedit.h"
#include "encoding/cp932.h"

namespace {

std::string Sjis(std::u16string_view text) { return cp932::FromUtf16(text); }

}  // namespace

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() {
    EditSwitches::ScrollAccel = 0;  // shared by every control of the process
    edit.resize(640, 400);
    edit.show();
    edit.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
    QApplication::processEvents();
  }

  void Load(std::string_view sjis) {
    TMemoryInStream in(sjis);
    edit.LoadFromStream(in, 0);
    QApplication::processEvents();
  }

  // A point on a cell clear of its last 3 pixels (a click there counts for
  // the next cell), in viewport pixels.
  QPoint CellPoint(int col, int row) const {
    return QPoint(edit.TextLeft() + (col - edit.LeftCol) * edit.CellWidth() + 1,
                  edit.TextTop() + (row - edit.TopRow) * edit.RowHeight() + edit.RowHeight() / 2);
  }

  void SendKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
               bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(&edit, &press);
  }

  // The pointer arrives before it clicks: the cursor shape it sets decides
  // what a click does.
  void MoveMouse(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, edit.viewport()->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &move);
  }

  void Click(QPoint at) {
    MoveMouse(at);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }

  void Wheel(int delta) {
    const QPoint at = CellPoint(2, 2);
    QWheelEvent event(at, edit.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit.viewport(), &event);
  }

  // As the input method asks: through a query event.
  QVariant Query(Qt::InputMethodQuery query) {
    QInputMethodQueryEvent event(query);
    QApplication::sendEvent(&edit, &event);
    return event.value(query);
  }

  void Rows(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "row " + std::to_string(i) + "\r\n";
    Load(text);
  }

  TAFEdit edit;
};

// ---- Keys

TEST_F(WidgetTest, TypedCharactersGoIntoTheText) {
  QTest::keyClicks(&edit, "abc");
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_EQ(edit.CaretPos, (TPoint{3, 0}));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.Text(), "ab");
  QTest::keyClick(&edit, Qt::Key_Return);
  QTest::keyClicks(&edit, "x");
  EXPECT_EQ(edit.Text(), "ab\r\nx");
  EXPECT_EQ(edit.CaretPos, (TPoint{1, 1}));
}

TEST_F(WidgetTest, TabReachesTheControlInsteadOfMovingTheFocus) {
  QTest::keyClick(&edit, Qt::Key_Tab);
  EXPECT_TRUE(edit.hasFocus());
  EXPECT_EQ(edit.GetRow(0), "\t");
}

TEST_F(WidgetTest, ShiftArrowsSelectAndTypingReplacesTheSelection) {
  Load("hello");
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyPress(&edit, Qt::Key_Shift);
  SendKey(Qt::Key_Left, Qt::ShiftModifier);
  SendKey(Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyRelease(&edit, Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(edit.SelText(), "lo");
  QTest::keyClicks(&edit, "p");
  EXPECT_EQ(edit.Text(), "help");
}

TEST_F(WidgetTest, DoubleByteTextFromAKeyIsOneUndoStep) {
  Load("x");
  SendKey(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf16(u"日本"));
  EXPECT_EQ(edit.Text(), Sjis(u"日本") + "x");
  EXPECT_EQ(edit.CaretPos, (TPoint{4, 0}));
  edit.Undo();
  EXPECT_EQ(edit.Text(), "x");
}

TEST_F(WidgetTest, AutoRepeatMovesFurtherWhileTheKeyIsHeld) {
  Load("abcdefgh");
  SendKey(Qt::Key_Right);
  EXPECT_EQ(edit.CaretPos.X, 1);
  SendKey(Qt::Key_Right, Qt::NoModifier, {}, true);  // AccelRate 2: two cells
  EXPECT_EQ(edit.CaretPos.X, 3);
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(&edit, &repeatRelease);  // the release of a repeat: still held
  SendKey(Qt::Key_Right, Qt::NoModifier, {}, true);
  EXPECT_EQ(edit.CaretPos.X, 5);
}

TEST_F(WidgetTest, CtrlCopiesAndPastesThroughTheClipboardInCodePage932) {
  Load(Sjis(u"一行目\r\n二行目"));
  edit.SelectAll();
  QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(u"一行目\n二行目"));

  QApplication::clipboard()->setText(QString::fromUtf16(u"甲\n乙"));
  QTest::keyClick(&edit, Qt::Key_Escape);
  QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit.Text(), Sjis(u"一行目\r\n二行目甲\r\n乙"));
}

TEST_F(WidgetTest, LinesEndInLfOnTheClipboardAndInCrInTheText) {
  Load(Sjis(u"一\r\n\r\n二\r\n"));
  edit.SelectAll();
  edit.WMCopy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(u"一\n\n二\n"));

  // CR LF, LF and CR alone each end one line; a character without a
  // Shift-JIS form becomes "?".
  QApplication::clipboard()->setText(QString::fromUtf16(u"a\r\nb\nc\rd\n\n\U0001F600"));
  Load("");
  edit.WMPaste();
  EXPECT_EQ(edit.Text(), "a\r\nb\r\nc\r\nd\r\n\r\n?");
}

// Two codes share 纊 (NEC-selected ED40 and IBM FA5C); through Unicode
// only one comes back. Other programs see the text with LF line ends.
TEST_F(WidgetTest, ACopyPastedWithinTheEditorKeepsItsBytes) {
  const std::string text = "\xED\x40\r\nx\xFA\x5C";
  Load(text);
  edit.SelectAll();
  edit.WMCopy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(u"纊\nx纊"));
  Load("");
  edit.WMPaste();
  EXPECT_EQ(edit.Text(), text);
}

// Linux gives Ctrl+Backspace the text of a backspace and Ctrl+Enter that of
// a carriage return; the original platform types DEL and a line feed,
// which the control drops. Ctrl+H stays a backspace there.
TEST_F(WidgetTest, CtrlBackspaceAndCtrlEnterTypeNothingButCtrlHIsABackspace) {
  Load("hello world");
  QTest::keyClick(&edit, Qt::Key_End);
  SendKey(Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\b"));
  SendKey(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\r"));
  EXPECT_EQ(edit.Text(), "hello world");
  // There the backspace's step left, with Ctrl held, is a word step: the
  // word's first letter goes.
  SendKey(Qt::Key_H, Qt::ControlModifier, QStringLiteral("\b"));
  EXPECT_EQ(edit.Text(), "hello orld");

  // At the start of an indented row Ctrl+Backspace only outdents it.
  Load("abc\r\ndef");
  edit.RowAttr(1)->Indent = 4;
  edit.MoveCaretTo(TPoint{4, 1});
  SendKey(Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\b"));
  EXPECT_EQ(edit.Text(), "abc\r\ndef");
  EXPECT_EQ(edit.RowAttr(1)->Indent, 0);
}

// ---- Mouse

TEST_F(WidgetTest, ClickPlacesTheCaretAndDragSelects) {
  Load("hello world\r\nsecond row");
  Click(CellPoint(3, 1));
  EXPECT_EQ(edit.CaretPos, (TPoint{3, 1}));

  MoveMouse(CellPoint(0, 0));
  QTest::mousePress(edit.viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(0, 0));
  MoveMouse(CellPoint(5, 0), Qt::LeftButton);
  QTest::mouseRelease(edit.viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(5, 0));
  EXPECT_EQ(edit.SelText(), "hello");
}

TEST_F(WidgetTest, DoubleClickSelectsAWord) {
  Load("hello world");
  const QPoint at = CellPoint(8, 0);
  MoveMouse(at);
  // The system's order: down, up, double-click, up.
  QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QMouseEvent dblClick(QEvent::MouseButtonDblClick, at, edit.viewport()->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(edit.viewport(), &dblClick);
  QTest::mouseRelease(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(edit.SelText(), "world");
}

TEST_F(WidgetTest, WheelScrollsOneLinePerNotchThenAccelerates) {
  Rows(100);
  Wheel(-120);
  EXPECT_EQ(edit.TopRow, 1);
  Wheel(-120);
  EXPECT_EQ(edit.TopRow, 3);  // AccelRate 2
  Wheel(-60);
  EXPECT_EQ(edit.TopRow, 3);  // half a notch waits for the other half
  Wheel(-60);
  EXPECT_EQ(edit.TopRow, 5);
  QTest::keyClick(&edit, Qt::Key_Shift);  // any key resets the acceleration
  Wheel(120);
  EXPECT_EQ(edit.TopRow, 4);
}

TEST_F(WidgetTest, WheelHandlerCanTakeTheNotch) {
  Rows(100);
  int downs = 0;
  edit.OnMouseWheelDown = [&](TShiftState, TPoint, bool& handled) {
    ++downs;
    handled = true;
  };
  Wheel(-240);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(edit.TopRow, 0);
}

TEST_F(WidgetTest, ScrollBarFollowsTheViewAndItsActionsScroll) {
  Rows(100);
  QScrollBar* bar = edit.verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->pageStep(), edit.VisibleRows());
  EXPECT_EQ(bar->maximum(), edit.RowCount() - edit.VisibleRows());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(edit.TopRow, 1);
  EXPECT_EQ(bar->value(), 1);
  // Letting go of the bar ends the scroll, so the next one is not accelerated.
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), bar->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &release);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(edit.TopRow, 1 + edit.VisibleRows());
  EXPECT_EQ(bar->value(), edit.TopRow);
}

// ---- Input method

TEST_F(WidgetTest, PreeditIsShownButNotStoredAndTheCommitIsOneStep) {
  Load("ab");
  edit.MoveCaretTo(TPoint{1, 0});
  int modeChanges = 0;
  edit.Onimechange = [&] { ++modeChanges; };

  QInputMethodEvent composing(QString::fromUtf16(u"にほん"), {});
  QApplication::sendEvent(&edit, &composing);
  EXPECT_EQ(edit.PreeditText(), QString::fromUtf16(u"にほん"));
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(modeChanges, 1);
  EXPECT_NE(edit.ImeModeText, "　　A");

  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf16(u"日本"));
  QApplication::sendEvent(&edit, &commit);
  EXPECT_TRUE(edit.PreeditText().isEmpty());
  EXPECT_EQ(edit.Text(), "a" + Sjis(u"日本") + "b");
  EXPECT_EQ(edit.CaretPos, (TPoint{5, 0}));
  EXPECT_EQ(modeChanges, 2);
  EXPECT_EQ(edit.ImeModeText, "　　A");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "ab");
}

TEST_F(WidgetTest, ClickCancelsTheComposition) {
  Load("abc");
  QInputMethodEvent composing(QString::fromUtf16(u"か"), {});
  QApplication::sendEvent(&edit, &composing);
  Click(CellPoint(2, 0));
  EXPECT_TRUE(edit.PreeditText().isEmpty());
  EXPECT_EQ(edit.Text(), "abc");
}

TEST_F(WidgetTest, InputMethodQueriesAnswerFromTheCaretRow) {
  Load(Sjis(u"前の行\r\n漢字かな"));
  edit.MoveCaretTo(TPoint{4, 1});
  EXPECT_EQ(Query(Qt::ImSurroundingText).toString(), QString::fromUtf16(u"漢字かな"));
  EXPECT_EQ(Query(Qt::ImCursorPosition).toInt(), 2);
  const QPoint caret(edit.TextLeft() + 4 * edit.CellWidth(), edit.TextTop() + edit.RowHeight());
  EXPECT_EQ(Query(Qt::ImCursorRectangle).toRect().topLeft(), caret);
  EXPECT_EQ(Query(Qt::ImFont).value<QFont>().pixelSize(), std::abs(edit.Font().Height));
  // Qt asks in the widget's coordinates: a frame moves the viewport in.
  edit.setFrameShape(QFrame::Box);
  QApplication::processEvents();
  ASSERT_NE(edit.viewport()->pos(), QPoint(0, 0));
  EXPECT_EQ(Query(Qt::ImCursorRectangle).toRect().topLeft(), edit.viewport()->pos() + caret);

  // A selection made backwards: the cursor is where it was extended to.
  edit.Sel().AnchorPos = TPoint{6, 1};
  edit.Sel().EndPos = TPoint{2, 1};
  EXPECT_EQ(Query(Qt::ImCursorPosition).toInt(), 1);
  EXPECT_EQ(Query(Qt::ImAnchorPosition).toInt(), 3);
  EXPECT_EQ(Query(Qt::ImCurrentSelection).toString(), QString::fromUtf16(u"字か"));
}

// 私は / 日本語 (being converted, on blue) / を, the input method's caret
// at 日本語: what the widget shows, and where the candidates go.
TEST_F(WidgetTest, CompositionShowsClausesAndTheCandidatesFollowTheFocusedOne) {
  Load("ab");
  edit.MoveCaretTo(TPoint{1, 0});
  QTextCharFormat dashed;
  dashed.setUnderlineStyle(QTextCharFormat::DashUnderline);
  QTextCharFormat focused = dashed;
  focused.setBackground(QColor(0, 0, 255));
  focused.setForeground(QColor(255, 255, 255));
  using A = QInputMethodEvent::Attribute;
  QInputMethodEvent composing(QString::fromUtf16(u"私は日本語を"),
                              {A(QInputMethodEvent::TextFormat, 0, 2, dashed),
                               A(QInputMethodEvent::TextFormat, 2, 3, focused),
                               A(QInputMethodEvent::TextFormat, 5, 1, dashed), A(QInputMethodEvent::Cursor, 2, 1)});
  QApplication::sendEvent(&edit, &composing);
  EXPECT_EQ(edit.Text(), "ab");
  const int cell = edit.CellWidth(), top = edit.TextTop();
  const int focusX = edit.TextLeft() + 5 * cell;
  const QRect target(focusX, top, 6 * cell, edit.RowHeight());
  EXPECT_EQ(Query(Qt::ImCursorRectangle).toRect(), target);
  EXPECT_EQ(Query(Qt::ImAnchorRectangle).toRect(), target);
  const TCompositionLayout& layout = edit.CompositionLayout();
  EXPECT_EQ(layout.Caret.Left, focusX);
  EXPECT_TRUE(layout.CaretVisible);

  const QImage shot = edit.viewport()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(focusX + 3, top), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(focusX, top), QColor(255, 255, 0));  // the caret, inverted
  EXPECT_EQ(shot.pixelColor(focusX - 2, top), ToQColor(clWindow, edit.palette()));
  // 私は covers the b that stays in the text behind it.
  EXPECT_EQ(shot.pixelColor(focusX + 6 * cell + 1, top), ToQColor(clWindow, edit.palette()));
}

// The caret near the wrap column, then near the right edge without
// wrapping: the box wraps and never leaves the view.
TEST_F(WidgetTest, ALongCompositionWrapsInsideTheView) {
  const QString longText = QString::fromUtf16(u"わたしはにほんごをはなすことができます");
  auto compose = [&] {
    QInputMethodEvent composing(longText, {});
    QApplication::sendEvent(&edit, &composing);
    return edit.CompositionLayout();
  };
  const int cell = edit.CellWidth();
  Load(std::string(55, 'a'));
  QTest::keyClick(&edit, Qt::Key_End);
  TCompositionLayout layout = compose();
  ASSERT_GE(layout.Lines.size(), 2u);
  for (const TRect& line : layout.Lines) EXPECT_LE(line.Right, edit.TextLeft() + 60 * cell + 2);  // the wrap column
  EXPECT_EQ(layout.Lines[1].Left, edit.TextLeft());

  edit.SetOptions({});
  const QRect view = edit.viewport()->rect();
  Load(std::string(edit.VisibleCols() - 3, 'a'));
  QTest::keyClick(&edit, Qt::Key_End);
  layout = compose();
  ASSERT_GE(layout.Lines.size(), 2u);
  for (const TRect& line : layout.Lines)
    EXPECT_TRUE(view.contains(QRect(line.Left, line.Top, line.Width(), line.Height())));
  EXPECT_TRUE(view.contains(Query(Qt::ImCursorRectangle).toRect()));
}

TEST_F(WidgetTest, ACommitReplacesTheTextTheInputMethodNames) {
  Load(Sjis(u"かんじ"));
  edit.MoveCaretTo(TPoint{6, 0});
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf16(u"漢字"), -3, 3);
  QApplication::sendEvent(&edit, &commit);
  EXPECT_EQ(edit.Text(), Sjis(u"漢字"));
  EXPECT_EQ(edit.CaretPos, (TPoint{4, 0}));
}

// The input method (fcitx does) may commit the composition as well when
// it notices the focus has gone: it is inserted once. A menu takes the
// focus while Qt still says the control has it.
TEST_F(WidgetTest, LosingTheFocusCommitsTheCompositionOnce) {
  Load("ab");
  edit.MoveCaretTo(TPoint{2, 0});
  for (Qt::FocusReason reason : {Qt::OtherFocusReason, Qt::PopupFocusReason}) {
    QInputMethodEvent composing(QString::fromUtf16(u"にほん"), {});
    QApplication::sendEvent(&edit, &composing);
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(&edit, &out);
    EXPECT_EQ(edit.Text(), "ab" + Sjis(u"にほん"));
    EXPECT_TRUE(edit.PreeditText().isEmpty());
    QInputMethodEvent late;
    late.setCommitString(QString::fromUtf16(u"にほん"));
    QApplication::sendEvent(&edit, &late);
    EXPECT_EQ(edit.Text(), "ab" + Sjis(u"にほん"));

    QFocusEvent in(QEvent::FocusIn, reason);
    QApplication::sendEvent(&edit, &in);
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("x"));
    QApplication::sendEvent(&edit, &typed);
    EXPECT_EQ(edit.Text(), "ab" + Sjis(u"にほん") + "x");
    Load("ab");
    edit.MoveCaretTo(TPoint{2, 0});
  }
}

// ---- Fonts, resources and painting

TEST_F(WidgetTest, TheStoredFaceIsDrawnWithAnInstalledJapaneseFont) {
  const QFontInfo info(ToQFont(edit.Font()));
  EXPECT_TRUE(info.family().contains("IPA") || info.family().contains("CJK")) << info.family().toStdString();
  EXPECT_EQ(edit.CellWidth(), (edit.CharHeight() + 1) / 2);
}

TEST(Resources, CRBitmapsAreMaroonArrowsTheFloodFillsReach) {
  QAbstractScrollArea area;
  TQtHost host(area);
  for (auto [name, size] : {std::pair{"CRS", 11}, {"CR", 16}, {"CRL", 32}}) {
    TBitmap bmp = host.LoadBitmap(name);
    ASSERT_EQ(bmp.Width, size) << name;
    ASSERT_EQ(bmp.Height, size) << name;
    EXPECT_EQ(bmp.At(10, 4), PixelOf(clMaroon)) << name;
    EXPECT_EQ(bmp.At(4, 10), PixelOf(clMaroon)) << name;
    EXPECT_EQ(bmp.At(1, 1), PixelOf(clWhite)) << name;
    // Every white pixel is reached from (1, 1), so that a coloured row
    // background leaves no white patch in the mark.
    FloodFillBorder(bmp, 1, 1, PixelOf(clYellow), PixelOf(clMaroon));
    for (TPixel p : bmp.Pixels) EXPECT_NE(p, PixelOf(clWhite)) << name;
  }
  EXPECT_TRUE(host.LoadBitmap("nothing").Pixels.empty());
}

TEST_F(WidgetTest, TextAndMarksReachTheBackBuffer) {
  Load(Sjis(u"あ") + "\r\n");
  edit.RepaintNow();
  const QImage image = edit.BackBuffer().convertToFormat(QImage::Format_RGB32);
  const qreal ratio = image.devicePixelRatio();
  const QColor window = ToQColor(clWindow, edit.palette());
  // Ink in the two cells of あ, and where it is: centred over them.
  double inkX = 0;
  int ink = 0;
  const int left = edit.TextLeft(), top = edit.TextTop(), cell = edit.CellWidth();
  for (int y = top; y < top + edit.CharHeight(); ++y)
    for (int x = left; x < left + 2 * cell; ++x)
      if (image.pixelColor(QPoint(x, y) * ratio) != window) {
        inkX += x;
        ++ink;
      }
  ASSERT_GT(ink, 10);
  EXPECT_NEAR(inkX / ink, left + cell - 0.5, 1.5);
  // The CR mark in the third cell has maroon in it.
  bool maroon = false;
  for (int y = top; y < top + edit.CharHeight(); ++y)
    for (int x = left + 2 * cell; x < left + 4 * cell; ++x)
      maroon |= image.pixelColor(QPoint(x, y) * ratio) == QColor(0x80, 0, 0);
  EXPECT_TRUE(maroon);
}

// Shown with both scroll bars on a short text, the control hides the
// horizontal one while the window is being shown; the larger view it
// leaves must be painted, not left as a band of nothing.
TEST(WidgetShow, TheBackBufferFollowsAScrollBarHiddenWhileShowing) {
  QWidget window;
  window.resize(400, 300);
  auto* edit = new TAFEdit(&window);
  edit->setGeometry(0, 0, 400, 300);
  edit->SetScrollBars(TScrollStyle::ssBoth);
  TMemoryInStream in("abc");
  edit->LoadFromStream(in, 0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QApplication::processEvents();
  EXPECT_FALSE(edit->horizontalScrollBar()->isVisible());
  const QImage& image = edit->BackBuffer();
  EXPECT_EQ(image.size() / image.devicePixelRatio(), edit->viewport()->size());
}

// The caret inverts what is under it; in front of a line end that is the
// CR mark's bitmap, whose pixels must blend as opaque as the text's do.
TEST_F(WidgetTest, TheCaretShowsOverTheLineEndMark) {
  Load("abc\r\nd");
  edit.MoveCaretTo(TPoint{3, 0});
  const QImage shot = edit.viewport()->grab().toImage();
  const QPoint caret(edit.TextLeft() + 3 * edit.CellWidth(), edit.TextTop() + 1);
  EXPECT_EQ(shot.pixelColor(caret), QColor(Qt::black));
  EXPECT_EQ(shot.pixelColor(caret + QPoint(2, 0)), ToQColor(clWindow, edit.palette()));
}

TEST(QtCanvas, ImageHasTheDevicePixelsOfADenseScreen) {
  TQtCanvas canvas(nullptr);
  canvas.Resize(QSize(100, 50), 2.0, Qt::white);
  EXPECT_EQ(canvas.Image().size(), QSize(200, 100));
  EXPECT_EQ(canvas.PixelRatio(), 2.0);
  canvas.FillRect(TRect{10, 10, 20, 20}, clRed);
  canvas.End();
  EXPECT_EQ(canvas.Image().pixelColor(39, 39), QColor(Qt::red));
  EXPECT_EQ(canvas.Image().pixelColor(40, 40), QColor(Qt::white));
  EXPECT_EQ(canvas.TakeDirty(), QRect(10, 10, 10, 10));
}

TEST(QtCanvas, ScrollMovesThePixelsInsideTheArea) {
  TQtCanvas canvas(nullptr);
  canvas.Resize(QSize(40, 10), 1.0, Qt::white);
  canvas.FillRect(TRect{20, 0, 22, 10}, clBlack);
  canvas.Scroll(-8, QRect(10, 0, 30, 10));
  canvas.End();
  EXPECT_EQ(canvas.Image().pixelColor(12, 5), QColor(Qt::black));
  EXPECT_EQ(canvas.Image().pixelColor(20, 5), QColor(Qt::white));
}
