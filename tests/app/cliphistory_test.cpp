// The clipboard history with the platform's real clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "app/cliphistory.h"
#include "app/menucaption.h"
#include "docfixture.h"

namespace {

void Copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }

class ClipboardHistory : public DocFixture {
 protected:
  const QList<QByteArray>& Entries() const { return form->ClipboardHistory().Entries(); }
  QStringList Captions(const char* menu) const {
    QStringList captions;
    for (const QAction* a : form->Commands().Menu(QLatin1String(menu))->actions()) captions << a->text();
    return captions;
  }
};

TEST_F(ClipboardHistory, EveryNewTextNewestFirstInBothMenus) {
  for (const char* text : {"A", "B", "A"}) Copy(QLatin1String(text));
  EXPECT_EQ(Entries(), (QList<QByteArray>{"A", "B", "A"}));
  EXPECT_EQ(Captions("cpopmenu"), (QStringList{"A", "B", "A"}));
  EXPECT_EQ(Captions("PopClipMenu"), (QStringList{"A", "B", "A"}));
}

TEST_F(ClipboardHistory, NoRepeatNoEmptyTextNoLoneLineEnd) {
  Copy("A");
  Copy("A");
  for (const char* lineEnd : {"\n", "\r\n", "\r", ""}) Copy(QLatin1String(lineEnd));
  auto* image = new QMimeData;
  image->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QGuiApplication::clipboard()->setMimeData(image);
  EXPECT_EQ(Entries(), (QList<QByteArray>{"A"}));
  EXPECT_EQ(Captions("cpopmenu").size(), 1);
}

// The platform's LF line ends become the editor's CR LF; a character
// without a Shift-JIS form becomes "?".
TEST_F(ClipboardHistory, KeptAsShiftJisWithCrLf) {
  Copy(QStringLiteral("あ\n한\r\nz\n"));
  EXPECT_EQ(Entries(), (QList<QByteArray>{"\x82\xA0\r\n?\r\nz\r\n"}));
}

TEST_F(ClipboardHistory, MonitoringOffAddsNothingAndTheEntriesStillInsert) {
  Open(Write("a.txt", ""));
  Copy("first");
  Action("N53Click")->trigger();
  EXPECT_FALSE(Enabled("setclpactExecute"));
  Copy("second");
  EXPECT_EQ(Entries(), (QList<QByteArray>{"first"}));
  form->Commands().Menu("cpopmenu")->actions().constFirst()->trigger();
  EXPECT_EQ(Edit().Text(), "first");

  Action("N53Click")->trigger();
  EXPECT_TRUE(Enabled("setclpactExecute"));
  Action("setclpactExecute")->trigger();  // leaves and joins again: one watch, not two
  Copy("third");
  EXPECT_EQ(Entries(), (QList<QByteArray>{"third", "first"}));
}

TEST_F(ClipboardHistory, ACaptionShowsTheTextReadablyTheItemInsertsItWhole) {
  Open(Write("a.txt", ""));
  const QString longLine = QString(50, QChar(0x3042));  // 50 x "あ"
  Copy(QStringLiteral("\n  R&D\tplan\nsecond line"));
  Copy(longLine);
  EXPECT_EQ(Captions("cpopmenu"),
            (QStringList{QString(40, QChar(0x3042)) + QChar(0x2026), QStringLiteral("  R&&D plan…")}));
  form->Commands().Menu("PopClipMenu")->actions().at(1)->trigger();
  EXPECT_EQ(Edit().Text(), "\r\n  R&D\tplan\r\nsecond line");
}

TEST_F(ClipboardHistory, ClearingEmptiesTheHistoryAndItsMenus) {
  Copy("A");
  Copy("B");
  Action("N10Click")->trigger();
  EXPECT_TRUE(Entries().isEmpty());
  EXPECT_TRUE(Captions("cpopmenu").isEmpty());
  EXPECT_TRUE(Captions("PopClipMenu").isEmpty());
  Copy("A");  // the newest entry is gone: A counts as new
  EXPECT_EQ(Entries(), (QList<QByteArray>{"A"}));
}

TEST_F(ClipboardHistory, TheEditorsOwnCopyArrivesInTheMiddleOfItsCommand) {
  Open(Write("a.txt", "copied text"));
  Edit().SelectAll();
  Action("editcopyExecute")->trigger();
  EXPECT_EQ(Entries(), (QList<QByteArray>{"copied text"}));
  EXPECT_EQ(Edit().Text(), "copied text");
}

TEST(EntryCaption, FirstLineThatIsNotBlankShortenedWithoutSplittingACharacter) {
  EXPECT_EQ(EntryCaption("a&b"), "a&&b");
  EXPECT_EQ(EntryCaption("\r\n \r\n\tx"), " x");  // the tab would start a shortcut column
  EXPECT_EQ(EntryCaption("one\r\ntwo"), "one…");
  EXPECT_EQ(EntryCaption("one\r\n\r\n"), "one");
  EXPECT_EQ(EntryCaption(""), "");
  // 39 one-byte characters, then a two-byte one that is the 40th whole.
  EXPECT_EQ(EntryCaption(std::string(39, 'x') + "\x82\xA0" + "y"),
            QString(39, QLatin1Char('x')) + QChar(0x3042) + QChar(0x2026));
}

}  // namespace
