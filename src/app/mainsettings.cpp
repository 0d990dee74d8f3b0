// Reading the settings and lists at start-up and writing them at close.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>

#include "app/commands.h"
#include "app/filecommands.h"
#include "app/mainform.h"

namespace {

// A recent file or folder as a menu item: its path as caption ("&" shown,
// not taken as an access key) and as data, placed before `before`.
QAction* NewRecentItem(QMenu* menu, const QString& path, QAction* before) {
  QString caption = path;
  caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
  auto* item = new QAction(caption, menu);
  item->setData(path);
  menu->insertAction(before, item);
  return item;
}

// The settings that live in the ticks of menu items.
struct Tick {
  bool TSettings::*member;
  const char* id;
};
constexpr Tick kTicks[] = {
    {&TSettings::CharConvGroup, "N129Click"}, {&TSettings::DateTimeGroup, "N130Click"},
    {&TSettings::QuoteGroup, "N131Click"},    {&TSettings::LineHeadGroup, "N132Click"},
    {&TSettings::ClipboardWatch, "N53Click"}, {&TSettings::FreeCaret, "N17Click"},
    {&TSettings::AutoIndent, "N18Click"},     {&TSettings::AutoJpnIndent, "N19Click"},
    {&TSettings::WordWrap, "N20Click"},       {&TSettings::JpnBanBreak, "N21Click"},
    {&TSettings::FoldRight, "N98Click"},      {&TSettings::VoDependence, "N26Click"},
    {&TSettings::VoHankana, "N27Click"},      {&TSettings::VoCr, "CR1Click"},
    {&TSettings::VoAnsiSpace, "N28Click"},    {&TSettings::VoTab, "AB1Click"},
    {&TSettings::VoKeyWord, "N30Click"},      {&TSettings::VoColIndicate, "N31Click"},
    {&TSettings::VoRowNum, "N32Click"},       {&TSettings::VoFoldMark, "N33Click"},
    {&TSettings::EmphasizeTags, "embtagClick"}, {&TSettings::EmphasizeQuotes, "embquatClick"},
};

const char* const kTagModeItems[] = {"N65Click", "N66Click", "N67Click"};

}  // namespace

void TMainForm::LoadSettings() {
  const bool haveFile = ini_.Load(files_.Ini());
  settings_ = haveFile ? ReadSettings(ini_) : TSettings{};
  if (settings_.Form) {
    move(settings_.Form->Left, settings_.Form->Top);
    resize(settings_.Form->Width, settings_.Form->Height);
  }
  tagMode_ = settings_.TagMode;
  ApplyTicks(settings_);
  toolBar3_->setVisible(settings_.ConvToolBarVisible);
  UpdateCommandStates();
  ApplyClockColors();
  for (const QString& path : settings_.History) {
    if (QFileInfo(path).isFile()) recentFiles_.Append(path);
  }
  for (const QString& folder : settings_.Folders) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) recentFolders_.Append(folder);
  }
  RebuildRecentMenus();
  if (!Ticked("N53Click")) commands_->Enable({"setclpactExecute"}, false);
  LoadLists();
  // Only a settings file rebuilds the view options from the ticks; without
  // one they start with every option but the indent marks.
  if (haveFile) {
    RebuildViewOptions();
  } else {
    viewOptions_ = TViewOptions::FromBits(2015);
  }
}

void TMainForm::ApplyTicks(const TSettings& s) {
  for (const Tick& t : kTicks) commands_->Action(QLatin1String(t.id))->setChecked(s.*t.member);
  if (s.TagMode == 1 || s.TagMode == 2) {
    commands_->Action(QLatin1String(kTagModeItems[s.TagMode]))->setChecked(true);
  }
  commands_->Action(QStringLiteral("viewhourClick"))->setChecked(s.HourFormat == 1);
}

void TMainForm::CollectTicks(TSettings& s) const {
  for (const Tick& t : kTicks) s.*t.member = Ticked(t.id);
  s.HourFormat = Ticked("viewhourClick") ? 1 : 0;
  s.TagMode = tagMode_;
}

void TMainForm::LoadLists() {
  favorites_ = LoadList(files_.Favorites()).value_or(TStringList{});
  keywords_ = LoadList(files_.Keywords()).value_or(TStringList{});
  phrases_ = LoadList(files_.Phrases()).value_or(TStringList{});
}

void TMainForm::RebuildViewOptions() {
  TViewOptions v;
  v.Set(TViewOption::voDependence, Ticked("N26Click"));
  v.Set(TViewOption::voHankana, Ticked("N27Click"));
  v.Set(TViewOption::voCr, Ticked("CR1Click"));
  v.Set(TViewOption::voAnsiSpace, Ticked("N28Click"));
  v.Set(TViewOption::voTab, Ticked("AB1Click"));
  v.Set(TViewOption::voColIndicate, Ticked("N31Click"));
  v.Set(TViewOption::voKeyWord, Ticked("N30Click"));
  v.Set(TViewOption::voRowNum, Ticked("N32Click"));
  v.Set(TViewOption::voFoldMark, Ticked("N33Click"));
  viewOptions_ = v;
}

bool TMainForm::SaveSettings() {
  TSettings s = settings_;
  s.Form = TFormBounds{pos().x(), pos().y(), width(), height()};
  s.ConvToolBarVisible = !toolBar3_->isHidden();
  s.History = recentFiles_.Items();
  s.Folders = recentFolders_.Items();
  CollectTicks(s);
  WriteSettings(s, ini_);

  QStringList failed;
  QString error;
  if (!ini_.Save(files_.Ini(), &error)) failed << files_.Ini();
  const std::pair<QString, const TStringList*> lists[] = {
      {files_.Keywords(), &keywords_}, {files_.Phrases(), &phrases_}, {files_.Favorites(), &favorites_}};
  for (const auto& [path, list] : lists) {
    if (!SaveList(path, *list)) failed << path;
  }
  QFile::remove(files_.Scratch());
  for (const QString& path : failed) {
    dialogs_->ShowMessage(path + QStringLiteral(" の書き込みに失敗しました(-_-;)"));
  }
  return failed.isEmpty();
}

// Recent files stand after the separator that follows "閉じる(&C)", the
// newest first; recent folders at the top of their submenu, the newest first.
void TMainForm::RebuildRecentMenus() {
  qDeleteAll(recentFileItems_);
  recentFileItems_.clear();
  QMenu* file = FileMenu();
  QAction* before = file->actions().value(10);
  for (const QString& path : recentFiles_.Items()) {
    QAction* a = NewRecentItem(file, path, before);
    before = a;
    recentFileItems_ << a;
    connect(a, &QAction::triggered, this, [this, path] {
      OpenMode = omPlain;
      OpenExisting(path);
    });
  }
  QMenu* folders = commands_->Menu(QStringLiteral("RecentFolderMenu"));
  folders->clear();
  QAction* top = nullptr;
  for (const QString& folder : recentFolders_.Items()) {
    QAction* a = NewRecentItem(folders, folder, top);
    top = a;
    connect(a, &QAction::triggered, this, [folder] { OpenFolder(folder); });
  }
}
