// The commands of the HTML tool bar, its drop-down menus and "直前と同じタグ
// を貼り付け" (Ctrl+0), run from the tag table.
#include <QPointer>

#include "app/childwin.h"
#include "app/colorvalues.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "app/sjistext.h"
#include "app/tagtable.h"
#include "editor/qt/tafedit.h"

namespace {

QString Text(const char* s) { return QString::fromUtf8(s); }

}  // namespace

void TMainForm::WireTagCommands() {
  TCommands& c = *commands_;
  for (std::size_t i = 0; i < kTagCommandsSize; ++i) {
    const TTagCommand& command = kTagCommands[i];
    c.SetHandler(QLatin1String(command.Id), [this, &command] { RunTagCommand(command); });
  }
  c.SetHandler(QStringLiteral("tagactExecute"), [this] {
    TMDIChild* w = EditableChild();
    if (w && !tags_.LastTag.empty()) w->AFEdit->InsertText(tags_.LastTag);
  });
}

// The document is the one active when the command started, unless it is
// read-only. The dialogs let other work run: a document closed meanwhile
// (hidden now, deleted soon) gets nothing.
void TMainForm::RunTagCommand(const TTagCommand& command) {
  QPointer<TMDIChild> target = EditableChild();
  if (!target) return;
  std::string answer;
  if (command.Ask == TTagAsk::Text) {
    const std::optional<QString> text =
        dialogs_->InputText(Text(command.Title), Text(command.Prompt), Text(command.Default));
    if (!text) return;
    answer = ToSjis(*text);
  } else if (command.Ask == TTagAsk::Color) {
    const std::optional<TColor> color = dialogs_->PickColor(tagColor_);
    if (!color) return;
    tagColor_ = *color;
    answer = HtmlColorValue(*color);
  }
  if (Gone(target)) return;
  TAFEdit& edit = *target->AFEdit;
  const std::string text = command.Before + answer + command.After;
  switch (command.How) {
    case TTagHow::Tag: tags_.InsertTag(edit, text, tagMode_); break;
    case TTagHow::Plain: tags_.InsertPlain(edit, text); break;
    case TTagHow::BodyAttribute: tags_.InsertBodyAttribute(edit, text); break;
    case TTagHow::Direct: edit.InsertText(text); break;
  }
}
