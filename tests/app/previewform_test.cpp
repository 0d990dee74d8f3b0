// The preview browser's window and the main window's preview commands, on a
// page component that records what it is asked.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>

#include "app/browser/previewform.h"
#include "app/browser/websearch.h"
#include "docfixture.h"
#include "fakebrowser.h"

namespace {

class PreviewBrowser : public DocFixture {
 protected:
  void SetUp() override {
    DocFixture::SetUp();
    UseFake();
  }
  void UseFake() {
    auto browser = std::make_unique<FakeBrowser>(&Form2());
    fake = browser.get();
    Form2().SetBrowser(std::move(browser));
  }
  TForm2& Form2() const { return form->PreviewBrowser(); }
  QAction* Command(const char* name) const { return Form2().findChild<QAction*>(QLatin1String(name)); }
  QAction* MenuItem(const char* menu, const QString& caption) const {
    for (QAction* a : Form2().findChild<QMenu*>(QLatin1String(menu))->actions()) {
      if (a->text() == caption) return a;
    }
    ADD_FAILURE() << "no item " << caption.toStdString();
    return nullptr;
  }
  QStringList FolderContents() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
  void Restart() {
    form->close();
    form.reset();
    DocFixture::SetUp();
    UseFake();
  }

  FakeBrowser* fake = nullptr;
};

TEST_F(PreviewBrowser, TheDocumentIsShownFromMemoryAndNothingIsWrittenBesideIt) {
  const QString own = Write("tmp.html", "the user's own tmp.html");
  const QString page = Write("index.html", "<p>saved</p>");
  Open(page);
  Type("<b>\x93\xfa\x96\x7b</b>\r\n");
  const QStringList before = FolderContents();
  Action("PreviewButton")->trigger();
  EXPECT_EQ(fake->documentPath, page);
  EXPECT_EQ(fake->document.toStdString(), Edit().Text());
  EXPECT_EQ(Form2().windowTitle(), "Zib_Browser  " + page);
  EXPECT_TRUE(Form2().isVisible());
  EXPECT_EQ(FolderContents(), before);
  EXPECT_EQ(Bytes(own), "the user's own tmp.html");

  // A document without a folder of its own shows in the settings folder.
  Action("FileNew1Execute")->trigger();
  Action("PreviewButton")->trigger();
  EXPECT_EQ(fake->documentPath, Path("NONAME1.txt"));
  EXPECT_EQ(FolderContents(), before);
}

TEST_F(PreviewBrowser, EveryPagesSourceIsCapturedAndSentToANewDocument) {
  Command("Action1")->trigger();  // no page yet: nothing to send
  EXPECT_EQ(Documents(), 0);
  fake->Complete("ページ", QStringLiteral("<html>\n<body>日本</body></html>"));
  const std::string source = "<html>\r\n<body>\x93\xfa\x96\x7b</body></html>\r\n";
  EXPECT_EQ(Form2().SourceTransferStream, source);
  EXPECT_FALSE(form->HtmlToolBar()->isVisibleTo(form.get()));
  Command("Action1")->trigger();
  ASSERT_EQ(Documents(), 1);
  EXPECT_EQ(Active()->windowTitle(), "ページ");
  EXPECT_EQ(Edit().Text(), source);
  EXPECT_FALSE(Edit().Edited());
  EXPECT_TRUE(form->HtmlToolBar()->isVisibleTo(form.get()));
  fake->Complete("next", QStringLiteral("<p>2</p>"));  // a later page replaces it
  EXPECT_EQ(Form2().SourceTransferStream, "<p>2</p>\r\n");
}

// The page's source must not end up under an existing file's name, where
// saving would overwrite the file; nor in the next new document.
TEST_F(PreviewBrowser, ATitleThatNamesAFileOpensThatFileAndNothingLingers) {
  const QString file = Write("exists.txt", "file text");
  fake->Complete(file, QStringLiteral("<p>source</p>"));
  Command("Action1")->trigger();
  EXPECT_EQ(Edit().Text(), "file text");
  Action("FileNew1Execute")->trigger();
  EXPECT_EQ(Edit().Text(), "");
}

TEST_F(PreviewBrowser, FavouritesAreAddedChosenAndKeptOverARestart) {
  EXPECT_EQ(Form2().findChild<QMenu*>("FavoritesMenu")->title(), "お気に入り(&B)");
  Command("addfavorite")->trigger();  // an empty address adds nothing
  EXPECT_TRUE(form->FavoritesList().empty());
  for (const QString& address : {QStringLiteral("http://a.example/?x=1&y=2"), QStringLiteral("http://예.example/")}) {
    Form2().Edit1->setText(address);
    Command("addfavorite")->trigger();
  }
  // Without a Shift-JIS form the address is kept percent-encoded, not as "?".
  EXPECT_EQ(form->FavoritesList(), (TStringList{"http://a.example/?x=1&y=2", "http://xn--2j5b.example/"}));
  Form2().Edit1->clear();
  MenuItem("FavoritesMenu", "http://a.example/?x=1&&y=2")->trigger();
  EXPECT_EQ(Form2().Edit1->text(), "http://a.example/?x=1&y=2");
  ASSERT_EQ(fake->navigated.size(), 1u);
  EXPECT_EQ(fake->navigated.back(), QUrl("http://a.example/?x=1&y=2"));

  Restart();
  EXPECT_EQ(ReadFile("fav.lst"), "http://a.example/?x=1&y=2\r\nhttp://xn--2j5b.example/\r\n");
  const QList<QAction*> items = Form2().findChild<QMenu*>("FavoritesMenu")->actions();
  ASSERT_EQ(items.size(), 6);  // four fixed entries first
  EXPECT_EQ(items.at(0)->text(), "お気に入りに追加");
  EXPECT_EQ(items.at(2)->text(), "お気に入りを整理");
  EXPECT_EQ(items.at(5)->text(), "http://xn--2j5b.example/");
}

TEST_F(PreviewBrowser, TheTextSizeAppliesToLoadedPagesAndHoldsForLaterOnes) {
  const QMenu* zoom = Form2().findChild<QMenu*>("ZoomMenu");
  QStringList captions;
  for (const QAction* a : zoom->actions()) captions << a->text();
  EXPECT_EQ(captions, (QStringList{"最大", "大", "中", "小", "最小"}));
  EXPECT_TRUE(MenuItem("ZoomMenu", "中")->isChecked());
  MenuItem("ZoomMenu", "大")->trigger();
  EXPECT_EQ(Form2().ZoomLevel, 3);
  EXPECT_TRUE(fake->zoom.empty());  // no page yet
  fake->Complete("p", "<p>");
  EXPECT_EQ(fake->zoom, (std::vector<double>{1.25}));
  MenuItem("ZoomMenu", "最小")->trigger();
  EXPECT_EQ(fake->zoom.back(), 0.5);
  EXPECT_TRUE(MenuItem("ZoomMenu", "最小")->isChecked());
  EXPECT_FALSE(MenuItem("ZoomMenu", "大")->isChecked());
}

TEST_F(PreviewBrowser, PageCommandsWaitForAPage) {
  for (const char* name : {"saveas", "print", "pagesetup"}) Command(name)->trigger();
  EXPECT_TRUE(dialogs->saveRequests.empty());
  EXPECT_EQ(fake->prints + fake->pageSetups, 0);
  fake->Complete("p", "<p>");
  dialogs->saveAnswers.push_back(Path("page.html"));
  Command("saveas")->trigger();
  Command("print")->trigger();
  Command("pagesetup")->trigger();
  EXPECT_EQ(fake->saved, (std::vector<QString>{Path("page.html")}));
  EXPECT_EQ(fake->prints, 1);
  EXPECT_EQ(fake->pageSetups, 1);
  dialogs->saveAnswers.push_back(std::nullopt);
  Command("saveas")->trigger();  // cancelled
  EXPECT_EQ(fake->saved.size(), 1u);
}

TEST_F(PreviewBrowser, WebSearchOfTheSelection) {
  Open(Write("a.txt", "\x93\xfa\x96\x7b \x8c\xea&+"));
  Action("inserchExecute")->trigger();  // nothing selected
  EXPECT_TRUE(fake->navigated.empty());
  EXPECT_FALSE(Form2().isVisible());
  Edit().SelectAll();
  Action("inserchExecute")->trigger();
  ASSERT_EQ(fake->navigated.size(), 1u);
  EXPECT_EQ(fake->navigated[0].toEncoded(),
            "https://www.google.co.jp/search?q=%E6%97%A5%E6%9C%AC%20%E8%AA%9E%26%2B");
  EXPECT_TRUE(Form2().isVisible());
  // Typed into the address box, "? " searches too; anything else is an address.
  Form2().Edit1->setText("? x");
  Command("navi")->trigger();
  EXPECT_EQ(fake->navigated.back(), QUrl("https://www.google.co.jp/search?q=x"));
  Form2().Edit1->setText("/tmp/page.html");
  Command("navi")->trigger();
  EXPECT_EQ(fake->navigated.back(), QUrl::fromLocalFile("/tmp/page.html"));
}

class PreviewSettings : public PreviewBrowser {
 protected:
  void SetUp() override {}
  void StartWith(const QByteArray& form2) {
    WriteIni("[form2]\r\n" + form2);
    PreviewBrowser::SetUp();
  }
  QList<QToolBar*> BandOrder() const {
    QList<QToolBar*> bars = Form2().findChildren<QToolBar*>();
    std::sort(bars.begin(), bars.end(), [](QToolBar* a, QToolBar* b) {
      const QPoint pa = a->geometry().topLeft(), pb = b->geometry().topLeft();
      return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return bars;
  }
};

TEST_F(PreviewSettings, TheSearchAddressComesFromTheSettingsAndIsWrittenBack) {
  StartWith("searchurl=https://search.example/?lang=ja&k=%s\r\n");
  Form2().Go("? a b");
  EXPECT_EQ(fake->navigated.back().toEncoded(), "https://search.example/?lang=ja&k=a%20b");
  form->close();
  EXPECT_TRUE(ReadFile("zibeditor.ini").contains("searchurl=https://search.example/?lang=ja&k=%s\r\n"));
}

TEST_F(PreviewSettings, BandsSizesAndTheirLimits) {
  StartWith("band0=1\r\nband1=2\r\nband2=3\r\nband1break=1\r\nband2break=0\r\nwidth=10\r\nheight=99999\r\n");
  Form2().show();
  const QList<QToolBar*> bars = BandOrder();
  ASSERT_EQ(bars.size(), 3);
  EXPECT_EQ(bars[0]->objectName(), "ToolBar1");
  EXPECT_EQ(bars[1]->objectName(), "ToolBar2");
  EXPECT_EQ(bars[2]->objectName(), "ToolBar3");
  EXPECT_LT(bars[0]->geometry().top(), bars[1]->geometry().top());  // band 1 starts a row
  EXPECT_EQ(bars[1]->geometry().top(), bars[2]->geometry().top());
  EXPECT_GE(Form2().width(), 200);
  EXPECT_LE(Form2().height(), 8000);
  form->close();
  const QByteArray ini = ReadFile("zibeditor.ini");
  for (const char* key : {"band0=1\r\n", "band1=2\r\n", "band2=3\r\n", "band1break=1\r\n"}) {
    EXPECT_TRUE(ini.contains(key)) << key;
  }
}

TEST_F(PreviewSettings, BandsThatDoNotHoldEachToolBarOnceKeepTheUsualOrder) {
  StartWith("band0=1\r\nband1=1\r\nband2=7\r\n");
  EXPECT_EQ(Form2().Layout().Band, (std::array<int, 3>{3, 1, 2}));
}

TEST(WebSearchUrl, WordsAsUtf8InPlaceOfTheMark) {
  EXPECT_EQ(WebSearchUrl("https://s.example/?q=%s&n=%s", "a+b c").toEncoded(),
            "https://s.example/?q=a%2Bb%20c&n=a%2Bb%20c");
  EXPECT_EQ(WebSearchUrl("https://s.example/?q=", QStringLiteral("日")).toEncoded(), "https://s.example/?q=%E6%97%A5");
  // No http or https address: the default.
  for (const char* bad : {"ftp://s.example/%s", "javascript:alert(%s)", "", "https:///%s"}) {
    EXPECT_EQ(WebSearchUrl(bad, "x").toEncoded(), "https://www.google.co.jp/search?q=x") << bad;
  }
}

}  // namespace
