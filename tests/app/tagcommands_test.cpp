// The HTML tool bar's commands through the main window: input boxes, the
// colour dialog, the tag modes and Ctrl+0.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "docfixture.h"

namespace {

class TagCommands : public DocFixture {
 protected:
  // A new document holding `text`, the caret at its start.
  void NewDocument(const std::string& text) {
    Action("FileNew1Execute")->trigger();
    Type(text);
    Edit().MoveCaretTo(TPoint{0, 0});
  }
  std::string Text() const { return Edit().Text(); }
};

TEST_F(TagCommands, ATableFromTheToolBarInEachMode) {
  NewDocument("cell<P>");
  Action("tableitemClick")->trigger();
  EXPECT_EQ(Text(), "<TABLE>cell<P>");

  Action("N66Click")->trigger();
  EXPECT_TRUE(Checked("N66Click"));
  Action("tableitemClick")->trigger();
  EXPECT_EQ(Text(), "<TABLE><TABLE></TABLE>cell<P>");
  EXPECT_EQ(form->LastTag(), "</TABLE>");

  Action("N67Click")->trigger();
  Action("tditemClick")->trigger();
  EXPECT_EQ(Text(), "<TABLE><TABLE></TABLE><TD>cell</TD><P>");
  // Ctrl+0: the end tag again.
  Action("PrevTagButton")->trigger();
  EXPECT_EQ(Text(), "<TABLE><TABLE></TABLE><TD>cell</TD></TD><P>");
}

TEST_F(TagCommands, AnInputBoxAsksWithItsTitlePromptAndDefault) {
  NewDocument("");
  dialogs->inputAnswers.push_back(QString("H1"));
  Action("Hn1Click")->trigger();
  ASSERT_EQ(dialogs->inputRequests.size(), 1u);
  EXPECT_EQ(dialogs->inputRequests[0].title, "見出し文字");
  EXPECT_EQ(dialogs->inputRequests[0].prompt, "1..6（1が最大）");
  EXPECT_EQ(dialogs->inputRequests[0].value, "H3");
  EXPECT_EQ(Text(), "<H1>");

  // The edited text goes in as the user left it, converted to Shift-JIS.
  dialogs->inputAnswers.push_back(QString("<A HREF=\"日本.html\">"));
  Action("linkitemClick")->trigger();
  EXPECT_EQ(dialogs->inputRequests[1].value, "<A HREF=\"\">");
  EXPECT_EQ(Text(), "<H1><A HREF=\"\x93\xfa\x96\x7b.html\">");
  EXPECT_EQ(form->LastTag(), "<A HREF=\"\x93\xfa\x96\x7b.html\">");
}

TEST_F(TagCommands, CancelInsertsNothingAndKeepsTheLastTag) {
  NewDocument("x");
  Action("B1Click")->trigger();
  dialogs->inputAnswers.push_back(std::nullopt);
  Action("sizeitemClick")->trigger();
  dialogs->colorAnswers.push_back(std::nullopt);
  Action("bgcoloritemClick")->trigger();
  EXPECT_EQ(Text(), "<B>x");
  EXPECT_EQ(form->LastTag(), "<B>");
}

TEST_F(TagCommands, DefaultsCarryTheRightHtmlNames) {
  NewDocument("");
  for (const char* command : {"N69Click", "INPUT1Click", "FRAME2Click", "N71Click"}) {
    dialogs->inputAnswers.push_back(std::nullopt);
    Action(command)->trigger();
  }
  const auto& asked = dialogs->inputRequests;
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_TRUE(asked[0].value.contains("CELLPADDING=\"\""));
  EXPECT_TRUE(asked[1].value.contains("MAXLENGTH=\"\""));
  EXPECT_TRUE(asked[2].value.startsWith("<FRAME SRC=\"\" NAME"));
  EXPECT_TRUE(asked[3].value.startsWith("<TD ROWSPAN"));
  Action("BLINKitemClick")->trigger();
  Action("NOFRAME1Click")->trigger();
  EXPECT_EQ(Text(), "<BLINK><NOFRAMES>");
}

TEST_F(TagCommands, ColoursAsTagsBodyAttributesAndValues) {
  NewDocument("<body>\r\n");
  Edit().MoveCaretTo(TPoint{0, 1});
  Action("N66Click")->trigger();
  dialogs->colorAnswers.push_back(clRed);
  Action("coloritemClick")->trigger();
  EXPECT_EQ(Text(), "<body>\r\n<FONT COLOR=\"Red\"></FONT>");

  dialogs->colorAnswers.push_back(TColor{0x123456});
  Action("bgcoloritemClick")->trigger();
  EXPECT_EQ(Text(), "<body bgcolor=\"#563412\">\r\n<FONT COLOR=\"Red\"></FONT>");
  EXPECT_EQ(form->LastTag(), "bgcolor=\"#563412\"");

  // "色の入力": the value alone; the last tag stays.
  Edit().MoveCaretTo(TPoint{0, 1});
  dialogs->colorAnswers.push_back(clBlue);
  Action("ColorInputButton")->trigger();
  EXPECT_EQ(Text(), "<body bgcolor=\"#563412\">\r\n\"Blue\"<FONT COLOR=\"Red\"></FONT>");
  EXPECT_EQ(form->LastTag(), "bgcolor=\"#563412\"");
}

TEST_F(TagCommands, NothingWithoutADocument) {
  // A dialog would fail the test: the commands ask nothing either.
  for (const char* command : {"sizeitemClick", "coloritemClick", "bgcoloritemClick", "B1Click",
                              "ColorInputButton", "PrevTagButton"}) {
    Action(command)->trigger();
  }
  EXPECT_EQ(form->LastTag(), "");
}

// A file cut at a NUL opens read-only; no tag may change it.
TEST_F(TagCommands, AReadOnlyDocumentGetsNoTagAndNoQuestion) {
  NewDocument("text");
  Action("tableitemClick")->trigger();
  const std::string before = Text();
  ASSERT_NE(before, "text");
  Edit().SetReadOnly(true);
  for (const char* command : {"tableitemClick", "Hn1Click", "ColorInputButton", "PrevTagButton"}) {
    Action(command)->trigger();
  }
  EXPECT_EQ(Text(), before);
  EXPECT_TRUE(dialogs->inputRequests.empty());
}

// The real input box, offscreen: its texts, and a document closed while
// it is open.
class RealInputBox : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(TSettingsFiles{dir.path() + "/"});
    form->show();
    child = form->OpenDocument(dir.filePath("a.html"));
    ASSERT_TRUE(child);
  }
  // Runs `answer` on the input box once it is up.
  void WhenTheBoxShows(std::function<void(QInputDialog&)> answer) {
    QTimer::singleShot(0, form.get(), [answer] {
      auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      answer(*box);
    });
  }
  QTemporaryDir dir;
  std::unique_ptr<TMainForm> form;
  TMDIChild* child = nullptr;
};

TEST_F(RealInputBox, ShowsTheTextsAndWrapsALongPrompt) {
  WhenTheBoxShows([](QInputDialog& box) {
    EXPECT_EQ(box.windowTitle(), "入力形式");
    EXPECT_TRUE(box.labelText().startsWith("TYPE=text:入力,password:パスワード"));
    EXPECT_TRUE(box.textValue().startsWith("<INPUT TYPE="));
    const QLabel* label = box.findChild<QLabel*>();
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_LE(box.width(), box.screen()->availableGeometry().width());
    box.setTextValue("<INPUT TYPE=\"text\">");
    box.accept();
  });
  form->Commands().Action("INPUT1Click")->trigger();
  EXPECT_EQ(child->AFEdit->Text(), "<INPUT TYPE=\"text\">");
}

TEST_F(RealInputBox, ADocumentClosedMeanwhileGetsNothing) {
  WhenTheBoxShows([this](QInputDialog& box) {
    child->close();
    box.accept();
  });
  form->Commands().Action("sizeitemClick")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(form->Children().isEmpty());
  EXPECT_EQ(form->LastTag(), "");
}

}  // namespace
