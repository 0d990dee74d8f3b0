// Printing: the page layout on its own, then real PDF files made through
// "印刷(&P)" and read back with pdftotext, and the print settings window.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QProcess>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "app/printlayout.h"
#include "app/printsettings.h"
#include "app/sjistext.h"
#include "docfixture.h"

namespace {

// ---- Layout

TEST(PrintLayout, SizesMultiplyTheEditorsPixelsAtThePrintersResolution) {
  const TPrintPage page{9000, 13000, 1200};
  const TPrintSource source{12, 20, 36, 0};
  for (int size = psSameSize; size <= ps400; ++size) {
    const TPrintGeometry g = PrintGeometry(size, page, source);
    const double scale = (size + 1) * 12.5;  // 1200 / 96
    EXPECT_DOUBLE_EQ(g.Scale, scale) << size;
    EXPECT_DOUBLE_EQ(g.FontPixels, 12 * scale);
    EXPECT_DOUBLE_EQ(g.LineHeight, 20 * scale);
    EXPECT_DOUBLE_EQ(g.Left, 36 * scale);
    EXPECT_DOUBLE_EQ(g.TextWidth, 9000 - 36 * scale);
    EXPECT_EQ(g.LinesPerPage, static_cast<int>(13000 / (20 * scale)));
  }
}

TEST(PrintLayout, FitPageMakesTheWidestRowFillThePageWidth) {
  const TPrintPage page{800, 1000, 96};
  // Wide: shrunk, and the widest row with its margin is as wide as the page.
  TPrintGeometry g = PrintGeometry(psFitPage, page, TPrintSource{12, 20, 36, 1564});
  EXPECT_DOUBLE_EQ(g.Scale, 0.5);
  EXPECT_DOUBLE_EQ(g.Left + 1564 * g.Scale, 800);
  // Tall and narrow: enlarged to the width, not by the larger quotient.
  g = PrintGeometry(psFitPage, page, TPrintSource{12, 20, 36, 164});
  EXPECT_DOUBLE_EQ(g.Scale, 4);
  EXPECT_LE(g.Left + 164 * g.Scale, 800);
  // A very short row grows only until one line fills the page height.
  g = PrintGeometry(psFitPage, page, TPrintSource{12, 20, 0, 4});
  EXPECT_DOUBLE_EQ(g.LineHeight, 1000);
  EXPECT_EQ(g.LinesPerPage, 1);
  // An empty document prints at the same size.
  EXPECT_DOUBLE_EQ(PrintGeometry(psFitPage, page, TPrintSource{12, 20, 0, 0}).Scale, 1);
}

TEST(PrintLayout, ATinyPageStillHoldsALineWithRoomForText) {
  const TPrintGeometry g = PrintGeometry(ps400, TPrintPage{100, 50, 96}, TPrintSource{12, 20, 36, 0});
  EXPECT_EQ(g.LinesPerPage, 1);
  EXPECT_GE(g.TextWidth, g.FontPixels);
  EXPECT_LE(g.Left + g.FontPixels, 100);
}

TEST(PrintLayout, RowsTooWideAreCutBetweenCharacters) {
  const std::vector<double> advances{6, 6, 12, 6, 12, 6};
  EXPECT_EQ(LineStarts(advances, 48), std::vector<int>{0});
  EXPECT_EQ(LineStarts(advances, 24), (std::vector<int>{0, 3}));
  EXPECT_EQ(LineStarts(advances, 23), (std::vector<int>{0, 2, 4}));
  // A character wider than the line still goes on one of its own.
  EXPECT_EQ(LineStarts(advances, 5), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(LineStarts({}, 10), std::vector<int>{0});
}

// ---- PDF files

struct PdfWord {
  int page;
  double xMin, yMin, yMax;
  QString text;
};

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed on " << args.join(' ').toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, one string per line.
QList<QStringList> PdfPages(const QString& path) {
  QList<QStringList> pages;
  QStringList texts = RunTool("pdftotext", {"-enc", "UTF-8", path, "-"}).split('\f');
  texts.removeLast();  // after the last page's form feed
  for (const QString& text : texts) pages << text.split('\n', Qt::SkipEmptyParts);
  return pages;
}

QStringList Lines(const QList<QStringList>& pages) {
  QStringList lines;
  for (const QStringList& page : pages) lines << page;
  return lines;
}

// Every word with its box in points, from the top left of its page.
QList<PdfWord> PdfWords(const QString& path) {
  const QString html = RunTool("pdftotext", {"-bbox", path, "-"});
  QList<PdfWord> words;
  int page = -1;
  static const QRegularExpression tag(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0).startsWith("<page")) {
      ++page;
      continue;
    }
    words << PdfWord{page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                     m.captured(4)};
  }
  return words;
}

// "Page size:      595.276 x 841.89 pts (A4)" -> {595, 842}
QSizeF PdfPageSize(const QString& path) {
  static const QRegularExpression size(R"(Page size:\s+([\d.]+) x ([\d.]+))");
  const QRegularExpressionMatch m = size.match(RunTool("pdfinfo", {path}));
  return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString PdfTitle(const QString& path) {
  static const QRegularExpression title(R"(Title:\s+(\S.*)\n)");
  return title.match(RunTool("pdfinfo", {path})).captured(1);
}

class Printing : public DocFixture {
 protected:
  void SetUp() override {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    DocFixture::SetUp();
  }
  // A Shift-JIS file of the given lines, CR LF after each.
  QString WriteLines(const QString& name, const QStringList& lines) {
    return Write(name, QByteArray::fromStdString(ToSjis(lines.join("\r\n") + "\r\n")));
  }
  // Prints the active document into `name` through the save dialog.
  QString Print(const QString& name = "out.pdf") {
    dialogs->saveAnswers.push_back(Path(name));
    Action("Print1Click")->trigger();
    return Path(name);
  }
  // Runs a button of the print settings window with its controls set.
  void Settings(int size, int orientation, int copies, const char* button) {
    Action("U2Click")->trigger();
    auto* f = form->findChild<TForm3*>();
    ASSERT_TRUE(f && f->isVisible());
    f->findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>()[size]->setChecked(true);
    f->findChild<QGroupBox*>("RadioGroup2")->findChildren<QRadioButton*>()[orientation]->setChecked(true);
    f->findChild<QSpinBox*>("SpinEdit1")->setValue(copies);
    f->findChild<QPushButton*>(button)->click();
    EXPECT_FALSE(f->isVisible());
  }
};

QStringList Numbered(int count, const QString& text) {
  QStringList lines;
  for (int i = 0; i < count; ++i) lines << QString("%1 %2").arg(i, 4, 10, QChar('0')).arg(text);
  return lines;
}

TEST_F(Printing, AShortJapaneseDocumentOnOnePageTitledWithItsFileName) {
  const QStringList lines{"日本語の文書です。", "\tタブの後", "ｶﾀｶﾅ and ASCII", "", "最後の行"};
  Open(WriteLines("short.txt", lines));
  const QString pdf = Print();
  const QList<QStringList> pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0], (QStringList{"日本語の文書です。", "タブの後", "ｶﾀｶﾅ and ASCII", "最後の行"}));
  EXPECT_EQ(PdfTitle(pdf), "short.txt");
  EXPECT_TRUE(dialogs->messages.empty());
  // Offered beside the document, under its name.
  ASSERT_EQ(dialogs->saveRequests.size(), 1u);
  EXPECT_EQ(dialogs->saveRequests[0].FileName, Path("short.pdf"));
}

TEST_F(Printing, ALongDocumentGoesOnAsManyPagesAsItTakesInOrder) {
  const QStringList lines = Numbered(400, "行の文字列");
  Open(WriteLines("long.txt", lines));
  const QString pdf = Print();
  const QList<QStringList> pages = PdfPages(pdf);
  ASSERT_GT(pages.size(), 2);
  for (const QStringList& page : pages.mid(0, pages.size() - 1)) EXPECT_EQ(page.size(), pages[0].size());
  EXPECT_EQ(Lines(pages), lines);
  // Same size: 12-pixel characters at 9 points, rows 12 + 8 pixels apart (15 points).
  const QList<PdfWord> words = PdfWords(pdf);
  ASSERT_GT(words.size(), 4);
  EXPECT_NEAR(words[2].yMin - words[0].yMin, 15, 0.5);
  const double firstLeft = words[0].xMin;
  for (const PdfWord& w : words) {
    if (w.text.startsWith("0")) {
      EXPECT_NEAR(w.xMin, firstLeft, 0.5) << w.text.toStdString();
    }
  }
}

TEST_F(Printing, SizesOrientationAndCopiesShapeThePages) {
  Open(WriteLines("sizes.txt", Numbered(30, "あいう")));
  const QList<PdfWord> same = PdfWords(Print("same.pdf"));
  Settings(ps200, 1, 2, "Button3");
  const QString pdf = Print("double.pdf");
  const QList<PdfWord> twice = PdfWords(pdf);
  ASSERT_FALSE(same.isEmpty());
  ASSERT_FALSE(twice.isEmpty());
  const QSizeF page = PdfPageSize(pdf);
  EXPECT_GT(page.width(), page.height());  // landscape
  EXPECT_NEAR(page.width(), 842, 1);       // A4
  // Twice the characters, twice the row pitch, twice the left margin.
  EXPECT_NEAR(twice[0].yMax - twice[0].yMin, 2 * (same[0].yMax - same[0].yMin), 1);
  EXPECT_NEAR(twice[2].yMin - twice[0].yMin, 30, 0.5);
  const QList<QStringList> pages = PdfPages(pdf);
  // 30 rows of 30 points on a landscape page: two pages, printed twice.
  ASSERT_EQ(pages.size(), 4);
  EXPECT_EQ(pages[0] + pages[1], Numbered(30, "あいう"));
  EXPECT_EQ(pages[2] + pages[3], Numbered(30, "あいう"));
}

TEST_F(Printing, RowsWiderThanThePageContinueOnTheNextLine) {
  const QString wide = QString("あいうえおかきくけこ").repeated(12);
  Open(WriteLines("wide.txt", {wide, "end"}));
  Settings(ps400, 0, 1, "Button3");
  const QStringList printed = Lines(PdfPages(Print()));
  ASSERT_GT(printed.size(), 2);
  EXPECT_EQ(printed.mid(0, printed.size() - 1).join(""), wide);
  EXPECT_EQ(printed.last(), "end");
  // Blanks at the ends of rows, which show nothing, take no lines.
  Open(WriteLines("blanks.txt", QStringList(20, "x" + QString(300, ' '))));
  const QList<QStringList> blankPages = PdfPages(Print("blanks.pdf"));
  EXPECT_EQ(blankPages.size(), 2);  // 20 rows, 60 points apart
  EXPECT_EQ(Lines(blankPages), QStringList(20, "x"));
}

TEST_F(Printing, FitPagePrintsTheWidestRowAcrossThePage) {
  Open(WriteLines("fit.txt", {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "short"}));
  Settings(psFitPage, 0, 1, "Button3");
  const QString pdf = Print();
  const QList<QStringList> pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0], (QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "short"}));
  const QList<PdfWord> words = PdfWords(pdf);
  ASSERT_FALSE(words.isEmpty());
  // Far larger than 9 points, and within the page.
  EXPECT_GT(words[0].yMax - words[0].yMin, 30);
  const QString bbox = RunTool("pdftotext", {"-bbox", pdf, "-"});
  static const QRegularExpression xMax(R"re(xMax="([\d.]+)")re");
  const double right = xMax.match(bbox).captured(1).toDouble();
  EXPECT_GT(right, PdfPageSize(pdf).width() * 0.8);
  EXPECT_LT(right, PdfPageSize(pdf).width());
}

TEST_F(Printing, CancelPrintsNothingAndAFailureIsReported) {
  Open(WriteLines("c.txt", {"text"}));
  dialogs->saveAnswers.push_back(std::nullopt);
  Action("Print1Click")->trigger();
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.pdf"}).isEmpty());
  EXPECT_TRUE(dialogs->messages.empty());
  Print("no-such-folder/out.pdf");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0], Path("no-such-folder/out.pdf") + " に印刷できませんでした(-_-;)");
}

TEST_F(Printing, TheSettingsWindowStoresOnlyThroughPrintAndApply) {
  Open(WriteLines("w.txt", {"text"}));
  Settings(ps300, 1, 3, "Button2");  // キャンセル
  EXPECT_EQ(form->PrintSettings().PrintSize, psSameSize);
  EXPECT_EQ(form->PrintSettings().PrintOrientation, 0);
  EXPECT_EQ(form->PrintSettings().PrintCopies, 1);
  // The window shows the changed controls again.
  Action("U2Click")->trigger();
  auto* f = form->findChild<TForm3*>();
  EXPECT_EQ(f->findChild<QSpinBox*>("SpinEdit1")->value(), 3);
  f->findChild<QPushButton*>("Button2")->click();
  // 印刷 stores, then prints.
  dialogs->saveAnswers.push_back(Path("printed.pdf"));
  Settings(ps300, 1, 1, "Button1");
  EXPECT_EQ(form->PrintSettings().PrintSize, ps300);
  EXPECT_EQ(form->PrintSettings().PrintOrientation, 1);
  EXPECT_EQ(PdfPages(Path("printed.pdf")).size(), 1);
}

}  // namespace
