#include "app/searchcommands.h"

#include <QPointer>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/finddialog.h"
#include "app/mainform.h"
#include "app/sjistext.h"
#include "editor/qt/tafedit.h"

namespace {

const QString kNotFound = QStringLiteral("見つかりません(-_-;)");

// The sort orders of the "行の並び替え" items.
struct TSortCommand {
  const char* Id;
  TSortMode Mode;
};
constexpr TSortCommand kSortCommands[] = {
    {"N83Click", TSortMode::TextIgnoreCase},
    {"N84Click", TSortMode::Text},
    {"N85Click", TSortMode::Length},
};

int OptionsOf(const TFindDialog& d) {
  return (d.MatchCase() ? 0 : foIgnoreCase) | (d.SearchUp() ? foBackward : 0);
}

// The dialog's text in Shift-JIS; empty when it has a character the
// documents cannot hold, which no document can contain.
std::string SearchBytes(const QString& text) {
  std::size_t unmappable = 0;
  const std::string bytes = ToSjis(text, &unmappable);
  return unmappable == 0 ? bytes : std::string();
}

// Replacing and sorting are shown busy for large documents.
long long WorkBytes(const TAFEdit& e) { return static_cast<long long>(e.RowCount()) * 40; }

}  // namespace

TSearchCommands::TSearchCommands(TMainForm& main)
    : QObject(&main),
      main_(main),
      find_(new TFindDialog(TFindDialog::TKind::Find, &main)),
      replace_(new TFindDialog(TFindDialog::TKind::Replace, &main)) {
  TCommands& c = main.Commands();
  c.SetHandler(QStringLiteral("Find1Click"), [this] { ShowDialog(*find_); });
  c.SetHandler(QStringLiteral("Replace1Click"), [this] { ShowDialog(*replace_); });
  for (const TSortCommand& s : kSortCommands) {
    c.SetHandler(QLatin1String(s.Id), [this, mode = s.Mode] { Sort(mode); });
  }
  c.SetHandler(QStringLiteral("N86Click"), [this] { SortContaining(); });

  connect(find_, &TFindDialog::FindNext, this, [this] { FindNext(*find_); });
  connect(replace_, &TFindDialog::FindNext, this, [this] { FindNext(*replace_); });
  connect(replace_, &TFindDialog::Replace, this, &TSearchCommands::Replace);
  connect(replace_, &TFindDialog::ReplaceAll, this, &TSearchCommands::ReplaceAll);
  connect(find_, &QDialog::finished, this, [this] {
    if (TMDIChild* w = main_.ActiveChild()) w->AFEdit->Paint();
  });
}

// Beside the document window, at the main window's top; the selected text
// (its first line: the box holds one) is what to look for.
void TSearchCommands::ShowDialog(TFindDialog& dialog) {
  TMDIChild* w = main_.ActiveChild();
  if (!w) return;
  const TAFEdit& e = *w->AFEdit;
  if (e.Sel().HasSel() || e.Sel().HasRowSel()) {
    const std::string text = e.SelText();
    dialog.SetSearchText(FromSjis(std::string_view(text).substr(0, text.find_first_of("\r\n"))));
  }
  dialog.ShowAt(QPoint(w->x() + main_.x() + 120, main_.y()));
}

void TSearchCommands::FindNext(TFindDialog& dialog) {
  TMDIChild* w = main_.ActiveChild();
  if (!w) return;
  FindFrom(dialog, *w->AFEdit, w->AFEdit->SearchStart(dialog.SearchUp()));
}

// The search ends at the end of the text (or its start): it does not wrap.
void TSearchCommands::FindFrom(TFindDialog& dialog, TAFEdit& e, TPoint start) {
  const std::string s = SearchBytes(dialog.SearchText());
  const int options = OptionsOf(dialog);
  const int last = e.RowCount() - 1;
  const TPoint limit = options & foBackward ? TPoint{0, 0} : TPoint{static_cast<int>(e.GetRow(last).size()), last};
  TPoint found{-1, 0};
  if (!s.empty()) e.FindText(s, start, found, options, limit);
  if (found.X < 0) {
    Tell(dialog, kNotFound);
    return;
  }
  e.SelectFound(found, static_cast<int>(s.size()));
  // The match's first row, not the caret's: the caret ends a match that runs
  // on over a wrapped row in the row below, and its start would be hidden.
  if (&dialog == find_) e.SetTopRow(found.Y);
}

// The message box belongs to the main window, which it leaves active: the
// next Enter would go to the document and replace the found text with a line
// break instead of finding on.
void TSearchCommands::Tell(TFindDialog& dialog, const QString& message) {
  main_.Dlg().ShowMessage(message);
  if (dialog.isVisible()) dialog.activateWindow();
}

void TSearchCommands::Replace() {
  TMDIChild* w = main_.ActiveChild();
  if (!w) return;
  TAFEdit& e = *w->AFEdit;
  TPoint next;
  e.ReplaceSelection(SearchBytes(replace_->SearchText()), ToSjis(replace_->ReplaceText()), OptionsOf(*replace_),
                     next);
  FindFrom(*replace_, e, next);
}

void TSearchCommands::ReplaceAll() {
  QPointer<TMDIChild> w = main_.ActiveChild();
  if (!w) return;
  int count = 0;
  {
    TBusyIndicator busy(&main_, QStringLiteral("置換中..."), WorkBytes(*w->AFEdit));
    if (!w) return;  // closed while the indicator was drawn
    count = w->AFEdit->ReplaceAll(SearchBytes(replace_->SearchText()), ToSjis(replace_->ReplaceText()),
                                  OptionsOf(*replace_));
  }
  Tell(*replace_, count > 0 ? QStringLiteral("全て置換完了しました(^｡^)")
                             : QStringLiteral("これ以上見つかりません(-_-;)"));
}

void TSearchCommands::Sort(TSortMode mode) {
  QPointer<TMDIChild> w = main_.ActiveChild();
  if (!w) return;
  TBusyIndicator busy(&main_, QStringLiteral("並び替え中..."), WorkBytes(*w->AFEdit));
  if (!w) return;
  w->AFEdit->SortLines(mode, ToSjis(sortString_));
}

// Cancel keeps the old string and sorts nothing.
void TSearchCommands::SortContaining() {
  if (!main_.ActiveChild()) return;
  const std::optional<QString> text = main_.Dlg().InputText(
      QStringLiteral("文字列の入力"), QStringLiteral("入力した文字列を含む行が上部にソートされます"), sortString_);
  if (!text) return;
  sortString_ = *text;
  Sort(TSortMode::Containing);  // on the document active now
}
