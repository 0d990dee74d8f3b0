// Which commands are usable: with or without a document, with or without a
// selection, and which tool groups the "メニュー" switches show. Every state
// follows from those three inputs, so the states are computed whole each
// time one of them changes.
#include <span>

#include "app/commands.h"
#include "app/mainform.h"

namespace {

// Usable whenever a document is open. The HTML tool bar passes its state on
// to its buttons, shortcuts included.
constexpr const char* kDocumentCommands[] = {
    "filesaveExecute", "FileSaveAsItemClick", "SaveFormatMenu", "FileCloseItem", "Print1Click",
    "pasteExecute", "editsellineExecute", "EditSelectAll1Execute", "Find1Click", "Replace1Click",
    "SortMenu", "N34Click", "N100Click", "N98Click", "TeiPopButton", "CPopButton", "ToolBar1"};

// Usable while the active document has a selection.
constexpr const char* kSelectionCommands[] = {
    "editcutExecute", "editcopyExecute", "inserchExecute", "KeywordAddButton", "PhraseAddButton",
    "JishoButton", "popjishoClick"};
// Pop-up items shown only while there is a selection.
constexpr const char* kSelectionItems[] = {"N107Click", "N95Click"};

// A tool group of the "メニュー" switches. While its switch is ticked its
// buttons stand on the conversion tool bar; its pop-up items are shown
// always, or only with a selection when the group works on one.
struct TToolGroup {
  const char* Switch;
  std::span<const char* const> Buttons;
  std::span<const char* const> PopupItems;
  bool NeedsSelection;
};

constexpr const char* kCharButtons[] = {"CharKindButton", "SeparatorButton", "NumberButton"};
constexpr const char* kCharItems[] = {"CharKindMenu", "SeparatorMenu", "NumberMenu"};
constexpr const char* kDateButtons[] = {"DateButton", "TimeButton"};
constexpr const char* kDateItems[] = {"DateTimeMenu"};
constexpr const char* kQuoteButtons[] = {"QuoteButton"};
constexpr const char* kQuoteItems[] = {"QuoteMenu"};
constexpr const char* kLineHeadButtons[] = {"LineHeadButton", "RenbanButton"};
constexpr const char* kLineHeadItems[] = {"prereplsClick", "renbanClick"};

constexpr TToolGroup kToolGroups[] = {
    {"N129Click", kCharButtons, kCharItems, true},
    {"N130Click", kDateButtons, kDateItems, false},
    {"N131Click", kQuoteButtons, kQuoteItems, false},
    {"N132Click", kLineHeadButtons, kLineHeadItems, true},
};

}  // namespace

void TMainForm::DocumentCommandsOn() {
  documentOpen_ = true;
  UpdateCommandStates();
}

// Undo and redo follow the editor afterwards; with no editor left they go too.
void TMainForm::DocumentCommandsOff() {
  documentOpen_ = false;
  hasSelection_ = false;
  UpdateCommandStates();
  UndoCommands(false, false);
}

void TMainForm::SelectionCommands(bool selected) {
  hasSelection_ = selected;
  UpdateCommandStates();
}

// An editor reports its history after every row it changes, millions of
// times in a large paste: only a change of state goes on.
void TMainForm::UndoCommands(bool canUndo, bool canRedo) {
  if (undo_->isEnabled() != canUndo) commands_->Enable({"editundoExecute"}, canUndo);
  if (redo_->isEnabled() != canRedo) commands_->Enable({"editredoExecute"}, canRedo);
}

void TMainForm::UpdateCommandStates() {
  TCommands& c = *commands_;
  const bool selection = documentOpen_ && hasSelection_;
  c.Enable(kDocumentCommands, documentOpen_);
  c.Enable(kSelectionCommands, selection);
  c.Show(kSelectionItems, selection);
  c.Enable(kSelectionItems, selection);
  for (const TToolGroup& g : kToolGroups) {
    const bool on = Ticked(g.Switch);
    const bool usable = on && (g.NeedsSelection ? selection : documentOpen_);
    c.Show(g.Buttons, on);
    c.Enable(g.Buttons, usable);
    c.Show(g.PopupItems, on && (!g.NeedsSelection || selection));
    c.Enable(g.PopupItems, usable);
  }
}
