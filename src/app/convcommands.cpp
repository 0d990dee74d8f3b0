// The commands of the conversion and insertion tool bar and the editor's
// pop-up menu: conversions of the selection from the table, date notation,
// the date and the time, the heads of the selected rows and word
// registration. Each acts on the document active when it started; one
// closed while a dialog was open gets nothing.
#include <QPointer>
#include <QStringList>

#include <optional>
#include <string>
#include <utility>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/clock.h"
#include "app/commands.h"
#include "app/convtable.h"
#include "app/datenotation.h"
#include "app/datetimetext.h"
#include "app/linehead.h"
#include "app/mainform.h"
#include "app/numbermessage.h"
#include "app/sjistext.h"
#include "app/wordregister.h"
#include "editor/qt/tafedit.h"
#include "encoding/mapstring.h"

namespace {

// The notations of "選択範囲の年月日の表記を変換", by number.
constexpr const char* kDatePatterns[] = {
    "年号y年mm月dd日", "年号y年m月d日", "yyyy年mm月dd日", "yyyy年m月d日",
    "yyyy/mm/dd",     "yyyy/m/d",     "yyyy.mm.dd",     "yyyy.m.d",
};

void RunConversion(TMainForm& form, const TConversion& conversion) {
  QPointer<TMDIChild> target = form.EditableChild();
  if (!target) return;
  const std::string selected = SelectedBytes(*target->AFEdit);
  TBusyIndicator busy(&form, QStringLiteral("変換中..."), static_cast<long long>(selected.size()));
  if (Gone(target)) return;
  TConverted result = conversion.Convert(selected);
  switch (result.Outcome) {
    case TConverted::TOutcome::Replaced:
      // Without a selection only a text of its own (the quotes) goes in.
      if (!selected.empty() || !result.Text.empty()) ReplaceSelection(*target->AFEdit, std::move(result.Text));
      break;
    case TConverted::TOutcome::NotANumber:
      ShowNotANumber(form.Dlg(), FromSjis(result.Text));
      break;
    case TConverted::TOutcome::Unchanged:
      break;
  }
}

QString DatePatternPrompt() {
  QStringList lines;
  for (std::size_t i = 0; i < std::size(kDatePatterns); ++i) {
    lines << QStringLiteral(" %1  %2").arg(i).arg(QString::fromUtf8(kDatePatterns[i]));
  }
  return lines.join(QStringLiteral("\r\n"));
}

// The pattern number of the answer: one digit from 0 to 7, full width too.
std::optional<std::size_t> PatternNumber(const QString& answer) {
  const std::string half = stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH, ToSjis(answer));
  if (half.size() != 1 || half[0] < '0' || half[0] >= '0' + static_cast<int>(std::size(kDatePatterns))) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(half[0] - '0');
}

void ConvertDates(TMainForm& form) {
  QPointer<TMDIChild> target = form.EditableChild();
  if (!target) return;
  const std::optional<QString> answer =
      form.Dlg().InputText(QStringLiteral("年月日の表示方法の選択"), DatePatternPrompt(), QStringLiteral("0"));
  if (!answer) return;
  const std::optional<std::size_t> pattern = PatternNumber(*answer);
  if (!pattern) {
    form.Dlg().ShowMessage(QStringLiteral("0 から 7 までの番号を入力してください(-_-;)"));
    return;
  }
  if (Gone(target)) return;
  TAFEdit& edit = *target->AFEdit;
  const std::string selected = SelectedBytes(edit);
  std::string converted = ConvertDateNotation(selected, ToSjis(QString::fromUtf8(kDatePatterns[*pattern])));
  if (converted != selected) {
    ReplaceSelection(edit, std::move(converted));
  } else {
    DropSelection(edit);
  }
}

void InsertAtCaret(TMainForm& form, const QString& text) {
  if (TMDIChild* target = form.EditableChild()) ReplaceSelection(*target->AFEdit, ToSjis(text));
}

void InsertDate(TMainForm& form) { InsertAtCaret(form, DateInsertText(QDate::currentDate())); }

void InsertTime(TMainForm& form) {
  InsertAtCaret(form, ClockText(QTime::currentTime(), form.Ticked("viewhourClick")));
}

// What the two input boxes of "選択範囲の行頭を置き換え" were told; nothing
// when one was cancelled or the count is no number.
struct TLineHeadAnswers {
  int Count;
  std::string Text;
};

std::optional<TLineHeadAnswers> AskLineHead(Dialogs& dialogs) {
  const std::optional<QString> count =
      dialogs.InputText(QStringLiteral("選択範囲の行頭を文字列で置き換え・・・文字数の指定"),
                        QStringLiteral("置き換える文字数を入力してください"), QString());
  if (!count) return std::nullopt;
  const std::optional<std::int32_t> n = IntegerOrMessage(dialogs, *count);
  if (!n) return std::nullopt;
  const std::optional<QString> text =
      dialogs.InputText(QStringLiteral("選択範囲の行頭を文字列で置き換え・・・文字列"),
                        QStringLiteral("置き換える文字列を入力してください"), QString());
  if (!text) return std::nullopt;
  return TLineHeadAnswers{*n, ToSjis(*text)};
}

// The selection is let go once the questions are answered, whatever the
// answers were.
void ReplaceHeads(TMainForm& form) {
  QPointer<TMDIChild> target = form.EditableChild();
  if (!target || !SelectedRows(*target->AFEdit)) return;
  const std::optional<TLineHeadAnswers> answers = AskLineHead(form.Dlg());
  if (Gone(target)) return;
  TAFEdit& edit = *target->AFEdit;
  const std::optional<TRowRange> rows = SelectedRows(edit);
  DropSelection(edit);
  if (answers && rows) ReplaceLineHeads(edit, *rows, answers->Count, answers->Text);
}

void NumberHeads(TMainForm& form) {
  QPointer<TMDIChild> target = form.EditableChild();
  if (!target || !SelectedRows(*target->AFEdit)) return;
  const std::optional<QString> answer = form.Dlg().InputText(
      QStringLiteral("挿入する連番の文字形式"), QStringLiteral("最初の番号を入力してください。"), QString());
  if (Gone(target)) return;
  TAFEdit& edit = *target->AFEdit;
  const std::optional<TRowRange> rows = SelectedRows(edit);
  DropSelection(edit);
  if (!answer || !rows) return;
  const TNumbering numbering = SplitNumbering(ToSjis(*answer));
  // Without digits, the whole answer is what is no number.
  const QString number = numbering.Digits.empty() ? *answer : FromSjis(numbering.Digits);
  const std::optional<std::int32_t> first = IntegerOrMessage(form.Dlg(), number);
  if (first && !Gone(target)) NumberRows(*target->AFEdit, *rows, numbering, *first);
}

void RegisterWord(TMainForm& form) {
  TMDIChild* target = form.ActiveChild();
  if (!target) return;
  if (!StartWordRegister(form.WordRegisterTools, FromSjis(SelectedBytes(*target->AFEdit)))) {
    form.Dlg().ShowMessage(NoWordRegisterToolMessage());
  }
}

}  // namespace

void TMainForm::WireConvCommands() {
  TCommands& c = *commands_;
  for (const TConversion& conversion : kConversions) {
    c.SetHandler(QLatin1String(conversion.Id), [this, &conversion] { RunConversion(*this, conversion); });
  }
  const std::pair<const char*, void (*)(TMainForm&)> commands[] = {
      {"convdayClick", ConvertDates}, {"dateitemClick", InsertDate}, {"timeitemClick", InsertTime},
      {"prereplsClick", ReplaceHeads}, {"renbanClick", NumberHeads}, {"popjishoClick", RegisterWord},
  };
  for (const auto& [id, run] : commands) c.SetHandler(QLatin1String(id), [this, run] { run(*this); });
}
