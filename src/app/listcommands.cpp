// The clipboard history, the fixed phrases, the keywords and the list
// editor that edits them, and the edit commands while another window of
// the program is active.
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <iterator>

#include "app/browser/previewform.h"
#include "app/childwin.h"
#include "app/cliphistory.h"
#include "app/commands.h"
#include "app/listeditor.h"
#include "app/mainform.h"
#include "app/textmenus.h"
#include "editor/qt/tafedit.h"
#include "encoding/sjistext.h"
#include "encoding/stringfunc.h"

void TMainForm::SetUpLists() {
  TCommands& c = *commands_;
  const auto insert = [this](const QByteArray& text) { InsertEntry(text); };
  clipHistory_ = new TClipboardHistory(c.Menu(QStringLiteral("cpopmenu")),
                                       c.Menu(QStringLiteral("PopClipMenu")), this);
  clipHistory_->Menus().OnChoose = insert;
  clipHistory_->SetWatching(Ticked("N53Click"));
  phraseMenus_ = new TTextMenus(c.Menu(QStringLiteral("teipopmenu")),
                                c.Menu(QStringLiteral("PopPhraseMenu")), this);
  phraseMenus_->OnChoose = insert;
  AddPhraseItems([](std::string_view phrase) { return phrase.empty(); });
  listEditor_ = new Teditform(this);
  listEditor_->OnApply = [this](TListEditMode mode, const TStringList& lines) { ApplyListEdit(mode, lines); };
  listEditor_->OnActivation = [this](bool active) { OtherWindowActive(active); };

  c.SetHandler(QStringLiteral("N53Click"), [this] {
    const bool on = Ticked("N53Click");
    clipHistory_->SetWatching(on);
    commands_->Enable({"setclpactExecute"}, on);
  });
  c.SetHandler(QStringLiteral("N10Click"), [this] { clipHistory_->Clear(); });
  c.SetHandler(QStringLiteral("setclpactExecute"), [this] { clipHistory_->Rejoin(); });
  c.SetHandler(QStringLiteral("N11Click"), [this] { OpenListEditor(lemPhrases); });
  c.SetHandler(QStringLiteral("N14Click"), [this] { OpenListEditor(lemKeywords); });
  c.SetHandler(QStringLiteral("N95Click"), [this] { AddSelectedPhrases(); });
  c.SetHandler(QStringLiteral("N107Click"), [this] { AddSelectedKeyword(); });
}

void TMainForm::InsertEntry(const QByteArray& text) {
  if (TMDIChild* w = ActiveChild()) w->AFEdit->InsertText(text.toStdString());
}

// A phrase gets its menu items unless `skip` says otherwise; it keeps its
// place in the list either way.
void TMainForm::AddPhraseItems(bool (*skip)(std::string_view phrase)) {
  for (const std::string& phrase : phrases_) {
    if (!skip(phrase)) phraseMenus_->Append(QByteArray::fromStdString(phrase));
  }
}

// Every line of the selection, empty ones too.
void TMainForm::AddSelectedPhrases() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  for (const std::string& line : SplitLines(w->AFEdit->SelText())) {
    phrases_.push_back(line);
    phraseMenus_->Append(QByteArray::fromStdString(line));
  }
}

void TMainForm::AddSelectedKeyword() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  const std::string word = w->AFEdit->SelText();
  if (word.empty()) return;
  keywords_.push_back(word);
  GiveKeywords();
}

void TMainForm::GiveKeywords() {
  for (TMDIChild* w : Children()) w->AFEdit->SetKeywords(keywords_);
  RepaintEditors();
}

void TMainForm::OpenListEditor(TListEditMode mode) {
  switch (mode) {
    case lemKeywords:
      listEditor_->Open(mode, QStringLiteral("キーワードの編集"), keywords_);
      break;
    case lemPhrases:
      listEditor_->Open(mode, QStringLiteral("定型文リストの編集"), phrases_);
      break;
    case lemFavorites:
      listEditor_->Open(mode, QStringLiteral("お気に入りの整理"), favorites_);
      break;
  }
}

// The phrase menus are rebuilt whether or not a document is open: left
// empty, they would offer no phrase until the next start.
void TMainForm::ApplyListEdit(TListEditMode mode, const TStringList& lines) {
  switch (mode) {
    case lemKeywords:
      keywords_.clear();
      std::copy_if(lines.begin(), lines.end(), std::back_inserter(keywords_),
                   [](const std::string& line) { return !sjis::IsBlank(line); });
      GiveKeywords();
      break;
    case lemPhrases:
      phrases_ = lines;
      phraseMenus_->Clear();
      AddPhraseItems([](std::string_view phrase) { return sjis::IsBlank(phrase); });
      break;
    case lemFavorites:
      favorites_ = lines;
      stringfunc::RemoveBlankLines(&favorites_);
      form2_->RebuildFavorites();
      break;
  }
}

// While the list editor or the preview browser is active the edit commands
// are off, so that nothing suggests they act on what is typed there; then
// they follow the current document again.
void TMainForm::OtherWindowActive(bool active) {
  constexpr const char* kEditCommands[] = {"editcutExecute",  "editcopyExecute", "pasteExecute",
                                           "editundoExecute", "editredoExecute", "EditSelectAll1Execute"};
  commands_->Enable(kEditCommands, false);
  auto* w = qobject_cast<TMDIChild*>(mdi_->currentSubWindow());
  if (active || !w) return;
  UpdateCommandStates();
  w->Activated();
}
