// Painting through the real widget on the offscreen platform: a full
// repaint of an 80 x 40 and of a 200 x 60 viewport of Japanese text with
// marks, keywords and a selection (and, for comparison, QPlainTextEdit
// showing the same text measured the same way), and a typed character from
// its key event until it is on the screen, in the middle of a 100 MB
// document.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "editor/memstream.h"
#include "editor/qt/qtcanvas.h"
#include "editor/qt/tafedit.h"
#include "encoding/cp932.h"
#include "qtbench.h"

namespace {

std::string Sample() {
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The sample repeated to at least `bytes`.
std::string Document(std::size_t bytes) {
  const std::string sample = Sample();
  std::string text;
  text.reserve(bytes + sample.size());
  while (text.size() < bytes) text += sample;
  return text;
}

// An editor set up as a document window sets it up, with every mark shown,
// keywords, and a viewport of exactly cols x rows cells.
std::unique_ptr<TAFEdit> MakeEditor(int cols, int rows, const std::string& text) {
  auto edit = std::make_unique<TAFEdit>();
  edit->SetScrollBars(TScrollStyle::ssNone);
  edit->SetViewOpt(TViewOptions{TViewOption::voDependence, TViewOption::voHankana, TViewOption::voCr,
                                TViewOption::voAnsiSpace, TViewOption::voTab, TViewOption::voIndent,
                                TViewOption::voColIndicate, TViewOption::voKeyWord, TViewOption::voRowNum,
                                TViewOption::voWrapLine, TViewOption::voFoldMark});
  edit->SetOptions(TAFEditOptions{TAFEditOption::aoAutoFormat, TAFEditOption::aoWordWrap,
                                  TAFEditOption::aoJpnBanBreak});
  edit->SetKeywords({"Debian", "GNU", "Linux", "Unix", "root", "shell", "sudo", "the", "and", "login"});
  edit->SetColKeyWord(clPurple);
  edit->SetRowPich(8);
  edit->SetTopMgn(10);
  edit->SetDefWrapPos(cols - 2);
  TMemoryInStream in(text);
  edit->LoadFromStream(in, loWrap);
  edit->resize(edit->TextLeft() + cols * edit->CellWidth(), edit->TextTop() + rows * edit->RowHeight());
  edit->show();
  QApplication::processEvents();
  return edit;
}

// Shows rows from `top` with a selection over part of them.
void ShowWithSelection(TAFEdit& edit, int top) {
  edit.SetTopRow(top);
  edit.Sel().AnchorPos = TPoint{10, top + 5};
  edit.Sel().EndPos = TPoint{30, top + 15};
  edit.RepaintNow();
}

void BM_FullRepaint(benchmark::State& state) {
  const int cols = static_cast<int>(state.range(0)), rows = static_cast<int>(state.range(1));
  static const std::string text = Document(1 << 20);
  std::unique_ptr<TAFEdit> edit = MakeEditor(cols, rows, text);
  if (edit->VisibleCols() != cols || edit->VisibleRows() != rows) state.SkipWithError("viewport size");
  ShowWithSelection(*edit, edit->RowCount() / 2);
  for (auto _ : state) {
    edit->Paint();
    edit->RepaintNow();
  }
}
BENCHMARK(BM_FullRepaint)
    ->Args({80, 40})
    ->Args({200, 60})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// QPlainTextEdit with the control's font and the same text, wrapped at
// the widget's width, cols x rows characters of the font, scrolled to the
// middle with a selection over part of the view: painted the same way.
void BM_FullRepaintPlainTextEdit(benchmark::State& state) {
  const int cols = static_cast<int>(state.range(0)), rows = static_cast<int>(state.range(1));
  static const std::string text = Document(1 << 20);
  static const QString unicode = QString::fromStdU16String(cp932::ToUtf16(text));
  TAFEdit reference;  // for the font the control draws with
  QPlainTextEdit edit;
  edit.setFrameShape(QFrame::NoFrame);
  edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edit.setFont(ToQFont(reference.Font()));
  edit.setPlainText(unicode);
  const QFontMetrics metrics(edit.font());
  const int margin = 2 * static_cast<int>(edit.document()->documentMargin());
  edit.resize(cols * metrics.horizontalAdvance(QLatin1Char('x')) + margin, rows * metrics.lineSpacing() + margin);
  edit.show();
  QApplication::processEvents();
  QTextCursor cursor(edit.document()->findBlockByNumber(edit.document()->blockCount() / 2));
  edit.setTextCursor(cursor);
  edit.centerCursor();
  cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 10);
  edit.setTextCursor(cursor);
  edit.viewport()->repaint();
  for (auto _ : state) edit.viewport()->repaint();
}
BENCHMARK(BM_FullRepaintPlainTextEdit)
    ->Args({80, 40})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void SendKey(TAFEdit& edit, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&edit, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&edit, &release);
}

void BM_KeystrokeToScreen(benchmark::State& state) {
  static const std::string text = Document(100 << 20);
  std::unique_ptr<TAFEdit> edit = MakeEditor(80, 40, text);
  edit->activateWindow();
  edit->setFocus();
  QApplication::processEvents();
  const int middle = edit->RowCount() / 2;
  edit->SetTopRow(middle - 20);
  edit->MoveCaretTo(TPoint{10, middle});
  edit->RepaintNow();
  const std::string before(edit->GetRow(middle));
  SendKey(*edit, Qt::Key_A, QStringLiteral("a"));
  if (edit->GetRow(middle) == before) state.SkipWithError("the key did not reach the text");
  edit->Undo();
  for (auto _ : state) {
    SendKey(*edit, Qt::Key_A, QStringLiteral("a"));
    edit->RepaintNow();
    state.PauseTiming();
    edit->Undo();
    edit->MoveCaretTo(TPoint{10, middle});
    edit->RepaintNow();
    state.ResumeTiming();
  }
  state.counters["rows"] = edit->RowCount();
}
BENCHMARK(BM_KeystrokeToScreen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
