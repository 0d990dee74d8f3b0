// Which commands are usable: with or without a document, with or without a
// selection, and which tool groups the "メニュー" switches show.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>

#include "app/commands.h"
#include "app/mainform.h"

namespace {

// Usable whenever a document is open.
constexpr const char* kDocumentCommands[] = {
    "filesaveExecute", "FileSaveAsItemClick", "SaveFormatMenu", "FileCloseItem", "Print1Click",
    "pasteExecute", "editsellineExecute", "EditSelectAll1Execute", "Find1Click", "Replace1Click",
    "SortMenu", "N34Click", "N100Click", "N98Click", "TeiPopButton", "CPopButton"};

}  // namespace

void TMainForm::DocumentCommandsOn() {
  TCommands& c = *commands_;
  c.Enable(kDocumentCommands, true);
  if (Ticked("N130Click")) {
    c.Enable({"DateButton", "TimeButton", "DateTimeMenu", "dateitemClick", "timeitemClick"}, true);
  }
  if (Ticked("N131Click")) c.Enable({"QuoteButton", "QuoteMenu"}, true);
  if (Ticked("N129Click")) c.Show({"CharKindButton", "SeparatorButton", "NumberButton"}, true);
  if (Ticked("N132Click")) c.Show({"LineHeadButton", "RenbanButton"}, true);
  toolBar1_->setEnabled(true);
}

// Also what the selection had enabled, since no selection is left.
void TMainForm::DocumentCommandsOff() {
  TCommands& c = *commands_;
  c.Enable(kDocumentCommands, false);
  c.Enable({"JishoButton", "DateButton", "TimeButton", "QuoteButton",
            "CharKindButton", "SeparatorButton", "NumberButton", "KeywordAddButton",
            "PhraseAddButton", "LineHeadButton", "RenbanButton", "inserchExecute",
            "dateitemClick", "timeitemClick", "DateTimeMenu", "QuoteMenu", "popjishoClick",
            "editredoExecute", "editundoExecute", "editcopyExecute", "editcutExecute"},
           false);
  c.Show({"CharKindMenu", "SeparatorMenu", "NumberMenu", "N107Click", "N95Click", "prereplsClick",
          "renbanClick"},
         false);
  toolBar1_->setEnabled(false);
  hasSelection_ = false;
}

void TMainForm::SelectionCommands(bool selected) {
  TCommands& c = *commands_;
  hasSelection_ = selected;
  c.Enable({"editcutExecute", "editcopyExecute", "inserchExecute", "KeywordAddButton",
            "PhraseAddButton", "JishoButton", "popjishoClick"},
           selected);
  c.Show({"N107Click", "N95Click"}, selected);
  if (selected) {
    c.Enable({"N107Click", "N95Click"}, true);
  }
  const bool conversions = selected && Ticked("N129Click");
  c.Show({"CharKindMenu", "SeparatorMenu", "NumberMenu"}, conversions);
  c.Enable({"CharKindMenu", "SeparatorMenu", "NumberMenu", "CharKindButton", "SeparatorButton",
            "NumberButton"},
           conversions);
  const bool lineHeads = selected && Ticked("N132Click");
  c.Show({"prereplsClick", "renbanClick"}, lineHeads);
  c.Enable({"prereplsClick", "renbanClick", "LineHeadButton", "RenbanButton"}, lineHeads);
}

// Start-up: the groups switched off are hidden.
void TMainForm::ApplyToolGroups() {
  TCommands& c = *commands_;
  if (!Ticked("N130Click")) c.Show({"DateButton", "TimeButton", "DateTimeMenu"}, false);
  if (!Ticked("N131Click")) c.Show({"QuoteButton", "QuoteMenu"}, false);
  if (!Ticked("N129Click")) c.Show({"CharKindButton", "SeparatorButton", "NumberButton"}, false);
  if (!Ticked("N132Click")) {
    c.Show({"LineHeadButton", "RenbanButton", "prereplsClick", "renbanClick"}, false);
  }
}

// A "メニュー" switch after its tick flipped. Nothing is enabled while no
// document is open.
void TMainForm::ShowToolGroup(const char* groupId) {
  TCommands& c = *commands_;
  const QString group = QLatin1String(groupId);
  const bool on = Ticked(groupId);
  const bool document = !mdi_->subWindowList().isEmpty();
  const bool selection = document && hasSelection_;
  if (group == QLatin1String("N129Click")) {
    c.Show({"CharKindButton", "SeparatorButton", "NumberButton"}, on);
    c.Enable({"CharKindButton", "SeparatorButton", "NumberButton"}, on && selection);
    if (!on) c.Show({"CharKindMenu", "SeparatorMenu", "NumberMenu"}, false);
  } else if (group == QLatin1String("N130Click")) {
    c.Show({"DateButton", "TimeButton", "DateTimeMenu"}, on);
    c.Enable({"DateButton", "TimeButton", "DateTimeMenu"}, on && document);
  } else if (group == QLatin1String("N131Click")) {
    c.Show({"QuoteButton", "QuoteMenu"}, on);
    c.Enable({"QuoteButton", "QuoteMenu"}, on && document);
  } else {
    c.Show({"LineHeadButton", "RenbanButton", "prereplsClick", "renbanClick"}, on);
    c.Enable({"LineHeadButton", "RenbanButton", "prereplsClick", "renbanClick"}, on && selection);
  }
}
