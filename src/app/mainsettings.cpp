// Reading the settings and lists at start-up and writing them at close.
#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

#include "app/browser/previewform.h"
#include "app/commands.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/menucaption.h"
#include "app/outsidework.h"

namespace {

// A recent file or folder as a menu item: its path as caption ("&" shown,
// not taken as an access key) and as data, placed before `before`.
QAction* NewRecentItem(QMenu* menu, const QString& path, QAction* before) {
  auto* item = new QAction(LiteralCaption(path), menu);
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

QString UnreadableMessage(const QStringList& paths) {
  QStringList lines;
  for (const QString& path : paths) lines << path + QStringLiteral(" の読み込みに失敗しました(-_-;)");
  lines << QStringLiteral("読めなかったファイルは終了時に書き換えません。");
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void TMainForm::LoadSettings() {
  const TReadResult read = ini_.Load(files_.Ini());
  if (read == TReadResult::Failed) unreadable_ << files_.Ini();
  const bool haveFile = read == TReadResult::Read;
  settings_ = haveFile ? ReadSettings(ini_) : TSettings{};
  if (settings_.Form) PlaceOnScreen(*settings_.Form);
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
  if (!unreadable_.isEmpty()) {
    TOutsideWork::Post(this, [this] { dialogs_->ShowMessage(UnreadableMessage(unreadable_)); });
  }
}

// Where the settings put the window, moved and shrunk onto a screen.
void TMainForm::PlaceOnScreen(const TFormBounds& bounds) {
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  const QRect r = FitOnScreens(QRect(bounds.Left, bounds.Top, bounds.Width, bounds.Height), screens);
  move(r.topLeft());
  resize(r.size());
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
  for (const auto& [path, list] : Lists()) {
    if (LoadList(path, *list) == TReadResult::Failed) unreadable_ << path;
  }
}

std::array<std::pair<QString, TStringList*>, 3> TMainForm::Lists() {
  return {{{files_.Favorites(), &favorites_}, {files_.Keywords(), &keywords_}, {files_.Phrases(), &phrases_}}};
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
  s.Preview = form2_->Layout();
  WriteSettings(s, ini_);

  // A file that could not be read at start is left as it is.
  QStringList failed;
  if (!unreadable_.contains(files_.Ini()) && !ini_.Save(files_.Ini())) failed << files_.Ini();
  for (const auto& [path, list] : Lists()) {
    if (!unreadable_.contains(path) && !SaveList(path, *list)) failed << path;
  }
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
