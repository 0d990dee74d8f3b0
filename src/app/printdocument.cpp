#include "app/printdocument.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <vector>

#include "app/printlayout.h"
#include "app/sjistext.h"
#include "editor/afedit.h"
#include "editor/qt/qtcanvas.h"

namespace {

// The control bytes would be laid out as line breaks or tab stops; here
// each keeps one character's place. Blanks at the end show nothing, and
// are dropped so that they never make a line of their own.
QString PrintedText(std::string_view row) {
  QString text = FromSjis(row);
  for (QChar& c : text) {
    if (c.unicode() < 0x20) c = QLatin1Char(' ');
  }
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

// Whole pixels, rounded down so that a row fitted to the page stays on it.
QFont FontOfSize(const TCustomAFEdit& edit, double pixels) {
  QFont font = ToQFont(edit.Font());
  font.setPixelSize(std::max(1, static_cast<int>(pixels + 1e-6)));
  return font;
}

// The widest row in editor pixels, measured in the font as printed at the
// editor's own size.
double WidestRow(const TCustomAFEdit& edit, QPrinter& printer) {
  const double toDevice = printer.resolution() / 96.0;
  const QFontMetricsF metrics(FontOfSize(edit, edit.CharHeight() * toDevice), &printer);
  double widest = 0;
  for (int r = 0; r < edit.RowCount(); ++r) {
    widest = std::max(widest, metrics.horizontalAdvance(PrintedText(edit.GetRow(r))));
  }
  return widest / toDevice;
}

// Lines go down the page and onto a new page when it is full.
class TPageWriter {
 public:
  TPageWriter(QPainter& painter, QPrinter& printer, const TPrintGeometry& geometry)
      : painter_(painter), printer_(printer), g_(geometry), metrics_(painter.font(), &printer) {}

  // A row, on as many lines as it needs. False when no new page could be begun.
  bool WriteRow(const QString& text) {
    if (metrics_.horizontalAdvance(text) <= g_.TextWidth) return WriteLine(text);
    advances_.clear();
    for (QChar c : text) advances_.push_back(metrics_.horizontalAdvance(c));
    const std::vector<int> starts = LineStarts(advances_, g_.TextWidth);
    for (std::size_t i = 0; i < starts.size(); ++i) {
      const int end = i + 1 < starts.size() ? starts[i + 1] : static_cast<int>(text.size());
      if (!WriteLine(text.mid(starts[i], end - starts[i]))) return false;
    }
    return true;
  }

  // The next copy starts on a page of its own.
  bool NextCopy() {
    line_ = 0;
    return printer_.newPage();
  }

 private:
  bool WriteLine(const QString& text) {
    if (line_ == g_.LinesPerPage) {
      if (!printer_.newPage()) return false;
      line_ = 0;
    }
    const double baseline = line_ * g_.LineHeight + metrics_.ascent();
    painter_.drawText(QPointF(g_.Left, baseline), text);
    ++line_;
    return true;
  }

  QPainter& painter_;
  QPrinter& printer_;
  const TPrintGeometry& g_;
  QFontMetricsF metrics_;
  std::vector<double> advances_;
  int line_ = 0;
};

}  // namespace

bool PrintDocument(const TCustomAFEdit& edit, int printSize, QPrinter& printer) {
  const TPrintPage page{static_cast<double>(printer.width()), static_cast<double>(printer.height()),
                        static_cast<double>(printer.resolution())};
  TPrintSource source{edit.CharHeight(), edit.RowHeight(), edit.LeftMgn(), 0};
  if (printSize == psFitPage) source.WidestRow = WidestRow(edit, printer);
  const TPrintGeometry geometry = PrintGeometry(printSize, page, source);

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(FontOfSize(edit, geometry.FontPixels));
  painter.setPen(Qt::black);
  TPageWriter writer(painter, printer, geometry);
  // Where the printer cannot make copies itself, the document is printed again.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  bool ok = true;
  for (int copy = 0; ok && copy < copies; ++copy) {
    if (copy > 0) ok = writer.NextCopy();
    for (int r = 0; ok && r < edit.RowCount(); ++r) ok = writer.WriteRow(PrintedText(edit.GetRow(r)));
  }
  painter.end();
  return ok && printer.printerState() != QPrinter::Error;
}
