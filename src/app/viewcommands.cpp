// The commands of "表示(&V)" and "設定(&C)": editor and view options, colours,
// the font, wrap position, margins and row pitch, formatting, HTML emphasis,
// and the clock. A change reaches every open document at once and the
// settings file at exit.
#include <QAction>
#include <QToolBar>

#include <algorithm>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "app/numbermessage.h"
#include "editor/qt/tafedit.h"

namespace {

// A colour item: the setting it changes and the editor property that shows
// it; without one (the HTML colouring) the editors are only redrawn.
struct TColorItem {
  const char* id;
  TColor TSettings::*setting;
  void (TCustomAFEdit::*apply)(TColor);
};
constexpr TColorItem kColorItems[] = {
    {"N45Click", &TSettings::Background, &TCustomAFEdit::SetColor},
    {"N37Click", &TSettings::ColColumnNo, &TCustomAFEdit::SetColColumnNo},
    {"N38Click", &TSettings::ColColumnIndi, &TCustomAFEdit::SetColColumnIndi},
    {"N39Click", &TSettings::ColKeyWord, &TCustomAFEdit::SetColKeyWord},
    {"N40Click", &TSettings::ColLeftMgn, &TCustomAFEdit::SetColLeftMgn},
    {"N41Click", &TSettings::ColRowNo, &TCustomAFEdit::SetColRowNo},
    {"N42Click", &TSettings::ColSelText, &TCustomAFEdit::SetColSelText},
    {"N43Click", &TSettings::ColSelBrush, &TCustomAFEdit::SetColSelBrush},
    {"N44Click", &TSettings::ColDependence, &TCustomAFEdit::SetColDependence},
    {"htmlcolClick", &TSettings::HtmlTagColor, nullptr},
    {"quatcolClick", &TSettings::QuoteColor, nullptr},
};

// A number box of the settings; 0 changes nothing, other values are kept
// within what works.
struct TNumberItem {
  const char* id;
  const char* title;
  int TSettings::*setting;
  int min;
  int max;
};
constexpr TNumberItem kNumberItems[] = {
    {"N15Click", "", &TSettings::RowPich, kMinRowPich, kMaxRowPich},
    {"N50Click", "編集領域の左マージン", &TSettings::LeftMgn, kMinLeftMgn, kMaxMargin},
    {"N9Click", "編集領域の上マージン", &TSettings::TopMgn, kMinTopMgn, kMaxMargin},
};

const char* const kViewTicks[] = {"N26Click", "N27Click", "CR1Click", "N28Click", "AB1Click",
                                  "N30Click", "N31Click", "N32Click", "N33Click"};
const char* const kEditorTicks[] = {"N17Click", "N18Click", "N19Click", "N20Click", "N21Click"};

// Every row wrapped anew, with the busy indicator for a large document.
void Reformat(QWidget* parent, TAFEdit& e) {
  TBusyIndicator busy(parent, QStringLiteral("整形中..."), static_cast<long long>(e.RowCount()) * 40);
  e.ReformatAll();
}

}  // namespace

void TMainForm::WireViewCommands() {
  TCommands& c = *commands_;
  for (const char* id : kViewTicks) {
    c.SetHandler(QLatin1String(id), [this] {
      RebuildViewOptions();
      GiveViewOptions();
    });
  }
  for (const char* id : kEditorTicks) c.SetHandler(QLatin1String(id), [this] { ReapplyEditorSettings(); });
  for (const char* id : {"embtagClick", "embquatClick"}) {
    c.SetHandler(QLatin1String(id), [this] { RepaintEditors(); });
  }
  for (const TColorItem& item : kColorItems) {
    c.SetHandler(QLatin1String(item.id), [this, &item] { PickEditorColor(item.setting, item.apply); });
  }
  c.SetHandler(QStringLiteral("colortimeClick"), [this] { PickClockColor(&TSettings::ClockText); });
  c.SetHandler(QStringLiteral("timebackcolorClick"), [this] { PickClockColor(&TSettings::ClockBack); });
  c.SetHandler(QStringLiteral("Font1Click"), [this] { ChooseEditorFont(); });
  c.SetHandler(QStringLiteral("N13Click"), [this] { AskWrapPos(); });
  for (const TNumberItem& item : kNumberItems) {
    c.SetHandler(QLatin1String(item.id), [this, &item] {
      const std::optional<int> n = AskNumber(*dialogs_, QString::fromUtf8(item.title), settings_.*item.setting);
      if (!n || *n == 0) return;
      settings_.*item.setting = std::clamp(*n, item.min, item.max);
      ReapplyEditorSettings();
    });
  }
  c.SetHandler(QStringLiteral("N34Click"), [this] { FormatActive(); });
  c.SetHandler(QStringLiteral("N100Click"), [this] { EndFormatActive(); });
  c.SetHandler(QStringLiteral("viewhourClick"), [this] { UpdateClock(); });
  c.SetHandler(QStringLiteral("htmlmenuClick"), [this] { ToggleToolBar(toolBar1_); });
}

// Cancel changes nothing. Painting is locked while the colour is applied,
// so every editor is drawn anew once.
void TMainForm::PickEditorColor(TColor TSettings::*setting, void (TCustomAFEdit::*apply)(TColor)) {
  const std::optional<TColor> color = dialogs_->PickColor(settings_.*setting);
  if (!color) return;
  settings_.*setting = *color;
  for (TMDIChild* w : Children()) {
    TAFEdit& e = *w->AFEdit;
    e.BeginUpdate();
    if (apply) (e.*apply)(*color);
    e.EndUpdate();
  }
}

void TMainForm::PickClockColor(TColor TSettings::*setting) {
  const std::optional<TColor> color = dialogs_->PickColor(settings_.*setting);
  if (!color) return;
  settings_.*setting = *color;
  ApplyClockColors();
}

// Accepted or not, the editor settings are applied again afterwards.
void TMainForm::ChooseEditorFont() {
  if (std::optional<TFontTemplate> font = dialogs_->PickFont(settings_.Font)) {
    font->Size = std::clamp(font->Size, kMinFontSize, kMaxFontSize);
    settings_.Font = *font;
    for (TMDIChild* w : Children()) w->AFEdit->SetFont(ToEditorFont(*font));
  }
  ReapplyEditorSettings();
}

// Formatted windows wrap at the new column at once; while the right edge
// decides the others' wrapping, they keep it.
void TMainForm::AskWrapPos() {
  const std::optional<int> n = AskNumber(*dialogs_, QStringLiteral("自動改行位置"), settings_.DefWrapPos);
  if (!n || *n < kMinWrapPos) return;
  settings_.DefWrapPos = std::min(*n, kMaxWrapPos);
  const bool rightEdge = Ticked("N98Click");
  for (TMDIChild* w : Children()) {
    if (rightEdge && w->Tag != 1) continue;
    TAFEdit& e = *w->AFEdit;
    e.SetDefWrapPos(settings_.DefWrapPos);
    e.SetLeftMgn(settings_.LeftMgn);
    if (w->Tag == 1) Reformat(this, e);
  }
}

void TMainForm::FormatActive() {
  TMDIChild* w = ActiveChild();
  if (!w) return;
  TAFEdit& e = *w->AFEdit;
  e.SetScrollBars(TScrollStyle::ssBoth);
  TAFEditOptions o = e.Options();
  o.Include(TAFEditOption::aoAutoFormat);
  e.SetOptions(o);
  w->Tag = 1;
  e.SetDefWrapPos(settings_.DefWrapPos);
  Reformat(this, e);
}

// Back to the right edge when it decides the wrapping, else to no wrapping.
void TMainForm::EndFormatActive() {
  TMDIChild* w = ActiveChild();
  if (!w || w->Tag != 1) return;
  w->Tag = 0;
  TAFEdit& e = *w->AFEdit;
  if (Ticked("N98Click")) {
    e.SetScrollBars(TScrollStyle::ssVertical);
    e.SetDefWrapPos(e.VisibleCols() - 3);
    Reformat(this, e);
    return;
  }
  e.SetDefWrapPos(kMaxWrapPos);
  if (e.HasOption(TAFEditOption::aoAutoFormat)) e.SetOptions(EditorOptions());
  Reformat(this, e);
  e.SetDefWrapPos(settings_.DefWrapPos);
}
