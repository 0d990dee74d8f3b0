// Everything "zibeditor.ini" holds, with the values a missing file and a
// missing key give. Menu ticks travel through here only at start and at
// close; in between the main window's menu items hold them.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "app/browser/websearch.h"
#include "app/editorfont.h"
#include "editor/types.h"

class TIniFile;

// What works, for the numbers the settings hold; a value read beyond a
// limit is brought back to it (the keys' own lower limits give defaults).
inline constexpr int kMaxWindowExtent = 32767;  // window positions and sizes, pixels
inline constexpr int kMinRowPich = 1;           // pixels between rows
inline constexpr int kMaxRowPich = 100;
inline constexpr int kMinLeftMgn = 0;           // pixels
inline constexpr int kMinTopMgn = 1;            // pixels
inline constexpr int kMaxMargin = 1000;         // left and top margins, pixels
inline constexpr int kMinWrapPos = 4;           // the narrowest wrapping that works
inline constexpr int kMaxWrapPos = 65536;       // what "no wrapping" sets
inline constexpr int kMinFontSize = 3;          // points
inline constexpr int kMaxFontSize = 200;

struct TFormBounds {
  int Left = 0;
  int Top = 0;
  int Width = 640;
  int Height = 460;
  friend bool operator==(const TFormBounds&, const TFormBounds&) = default;
};

// The preview browser's window and the tool bars of its three bands.
struct TPreviewLayout {
  int Height = 490;
  int Width = 831;
  std::array<int, 3> Band{3, 1, 2};  // tool bar 1, 2 or 3; anything else writes nothing
  std::array<int, 3> BandWidth{429, 388, 819};
  std::array<bool, 3> BandBreak{false, false, true};
  QString SearchUrl = QLatin1String(kDefaultSearchUrl);  // the web search; "%s" stands for the words
  friend bool operator==(const TPreviewLayout&, const TPreviewLayout&) = default;
};

// Member defaults are the values without a settings file.
struct TSettings {
  std::optional<TFormBounds> Form;  // nothing: the window keeps its own
  int TagMode = 0;
  int HourFormat = 1;  // 1: 24-hour clock
  bool ConvToolBarVisible = true;
  QStringList History;  // keys 0-4 as stored, empty ones included
  QStringList Folders;

  int RowPich = 8;
  int DefWrapPos = 60;
  int LeftMgn = 36;
  int TopMgn = 10;

  TColor HtmlTagColor = clGreen;
  TColor QuoteColor = clPurple;
  TColor Background = clWindow;
  TColor ColColumnNo = clWindowText;
  TColor ColColumnIndi = clWindow;
  TColor ColKeyWord = clPurple;
  TColor ColLeftMgn = clWindow;
  TColor ColRowNo = clGreen;
  TColor ColSelText = clHighlightText;
  TColor ColSelBrush = clHighlight;
  TColor ColDependence = clFuchsia;
  TColor ClockText = 0x404000;
  TColor ClockBack = clSilver;

  // "メニュー" tool groups.
  bool CharConvGroup = true;  // n129
  bool DateTimeGroup = true;  // n130
  bool QuoteGroup = true;     // n131
  bool LineHeadGroup = true;  // n132

  bool ClipboardWatch = true;
  bool FreeCaret = false;
  bool AutoIndent = true;
  bool AutoJpnIndent = true;
  bool WordWrap = true;
  bool JpnBanBreak = true;
  bool FoldRight = false;

  bool VoDependence = true;
  bool VoHankana = true;
  bool VoAnsiSpace = true;
  bool VoColIndicate = true;
  bool VoKeyWord = true;
  bool VoRowNum = true;
  bool VoFoldMark = true;
  bool VoCr = true;
  bool VoTab = true;

  bool EmphasizeTags = true;
  bool EmphasizeQuotes = false;

  TFontTemplate Font;
  TPreviewLayout Preview;
};

// Values from an existing file; missing, malformed and out-of-range values
// give the defaults of their key, and never stop the rest from being read.
TSettings ReadSettings(const TIniFile& ini);

// Writes every key into ini, keeping whatever else it holds.
void WriteSettings(const TSettings& s, TIniFile& ini);

// A window rectangle moved, and shrunk where needed, to lie wholly on one of
// the screens' available areas: the one it overlaps most, else the first.
QRect FitOnScreens(const QRect& window, const QList<QRect>& screens);

// Where the settings and lists live: beside the program, or in the user's
// configuration folder when the program's folder is not writable.
struct TSettingsFiles {
  QString Dir;  // with a trailing "/"
  QString Ini() const { return Dir + QStringLiteral("zibeditor.ini"); }
  QString Keywords() const { return Dir + QStringLiteral("key.lst"); }
  QString Phrases() const { return Dir + QStringLiteral("teikei.lst"); }
  QString Favorites() const { return Dir + QStringLiteral("fav.lst"); }

  static TSettingsFiles ForProgram(const QString& programDir);
};
