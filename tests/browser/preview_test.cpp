// The preview browser on the real engine: few tests, each starts Chromium.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/browser/localpages.h"
#include "app/browser/previewform.h"
#include "app/browser/webbrowser.h"
#include "docfixture.h"

namespace {

constexpr int kPatience = 20000;  // milliseconds

class RealPreview : public DocFixture {
 protected:
  TForm2& Form2() const { return form->PreviewBrowser(); }
  QWebEnginePage* Page() const {
    return static_cast<QWebEngineView*>(Form2().Browser().Widget())->page();
  }
  bool WaitForTitle(const QString& title) const {
    const bool ok = QTest::qWaitFor([&] { return Form2().windowTitle() == "Zib_Browser  " + title; }, kPatience);
    if (!ok) ADD_FAILURE() << "title: " << Form2().windowTitle().toStdString();
    return ok;
  }
  QStringList FolderContents() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  void WriteImage(const QString& name) { ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(Path(name))); }
  void Preview(const QString& name, const QByteArray& sjisHtml) {
    Open(Write(name, sjisHtml));
    Action("PreviewButton")->trigger();
  }
};

// "日本語" in Shift-JIS; the page declares no charset.
const QByteArray kNihongo("\x93\xfa\x96\x7b\x8c\xea");

TEST_F(RealPreview, AShiftJisDocumentWithRelativeLinksShowsFromMemory) {
  const QString own = Write("tmp.html", "the user's own");
  WriteImage("pic.png");
  Write("other.html", "<title>other</title>");
  Open(Write("index.html", "<title>on disk</title>"));
  Edit().SelectAll();
  Type("<html><head><title>" + kNihongo.toStdString() +
       "</title></head><body><img src=\"pic.png\" onload=\"document.title += ' img'\">"
       "<a id=\"next\" href=\"other.html\">next</a></body></html>");
  const QStringList before = FolderContents();
  Action("PreviewButton")->trigger();
  EXPECT_EQ(Form2().windowTitle(), "Zib_Browser  " + Path("index.html"));
  ASSERT_TRUE(WaitForTitle(QStringLiteral("日本語 img")));
  EXPECT_EQ(FolderContents(), before);
  EXPECT_EQ(Bytes(own), "the user's own");

  // The source of the shown page, and a new document made of it.
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form2().SourceTransferStream.find(kNihongo.toStdString()) != std::string::npos; }, kPatience));
  EXPECT_NE(Form2().SourceTransferStream.find("\r\n"), std::string::npos);
  Form2().findChild<QAction*>("Action1")->trigger();
  EXPECT_EQ(Active()->windowTitle(), QStringLiteral("日本語 img"));
  EXPECT_EQ(Edit().Text(), Form2().SourceTransferStream);

  // A link to a file of the folder, shown from the disk.
  Page()->runJavaScript("document.getElementById('next').click()");
  ASSERT_TRUE(WaitForTitle("other"));
  EXPECT_EQ(Form2().Edit1->text(), LocalPageUrl(Path("other.html")).toDisplayString());
}

// The page's script may not read another local file in any way, and pages
// from the web may not even load local pages.
TEST_F(RealPreview, LocalPagesCannotReadOtherFiles) {
  Write("secret.txt", "secret");
  WriteImage("pic.png");
  const QByteArray probe =
      "<script>"
      "function tryRead(url) {"
      "  var x = new XMLHttpRequest();"
      "  try { x.open('GET', url, false); x.send(); return x.responseText ? 'READ ' : 'empty '; }"
      "  catch (e) { return 'blocked '; } }"
      "var result = tryRead('secret.txt') + tryRead('" + QUrl::fromLocalFile(Path("secret.txt")).toEncoded() + "');"
      "fetch('secret.txt').then(r => r.text()).then(t => { document.title = result + 'READ'; })"
      "  .catch(e => { document.title = result + 'blocked'; });"
      "</script>";
  Preview("probe.html", probe);
  EXPECT_TRUE(WaitForTitle("blocked blocked blocked"));

  // A local file asked for by its file address shows as a local page.
  Form2().Go(Path("probe.html"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Form2().Edit1->text().startsWith("zibpreview:"); }, kPatience));
  EXPECT_TRUE(WaitForTitle("blocked blocked blocked"));

  const QByteArray image = LocalPageUrl(Path("pic.png")).toEncoded();
  Page()->setHtml("<img src=\"" + image + "\" onload=\"document.title='LOADED'\" onerror=\"document.title='refused'\">",
                  QUrl("http://example.invalid/"));
  EXPECT_TRUE(WaitForTitle("refused"));
}

TEST_F(RealPreview, DownloadsAndSavedPagesGoWhereTheUserSays) {
  Write("data.bin", "payload");
  Preview("dl.html", "<title>dl</title><a id=\"d\" href=\"data.bin\" download>get</a>");
  ASSERT_TRUE(WaitForTitle("dl"));
  const auto download = [this] { Page()->runJavaScript("document.getElementById('d').click()"); };
  dialogs->saveAnswers.push_back(std::nullopt);
  download();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->saveAnswers.empty(); }, kPatience));
  dialogs->saveAnswers.push_back(Path("kept.bin"));
  download();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Bytes(Path("kept.bin")) == "payload"; }, kPatience));
  EXPECT_EQ(dialogs->saveRequests.back().FileName, "data.bin");
  EXPECT_EQ(FolderContents(), (QStringList{"data.bin", "dl.html", "kept.bin"}));  // the refused one wrote nothing

  dialogs->saveAnswers.push_back(Path("saved.html"));
  Form2().findChild<QAction*>("saveas")->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Bytes(Path("saved.html")).contains("download"); }, kPatience));
}

}  // namespace
