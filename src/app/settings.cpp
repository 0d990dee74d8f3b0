#include "app/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRect>
#include <QStandardPaths>

#include <algorithm>

#include "app/colors.h"
#include "app/inifile.h"

namespace {

const QString kForm = QStringLiteral("form");
const QString kAfedit = QStringLiteral("afedit");
const QString kColor = QStringLiteral("color");
const QString kMenu = QStringLiteral("menu");
const QString kOptions = QStringLiteral("options");
const QString kVOptions = QStringLiteral("voptions");
const QString kEmb = QStringLiteral("emb");
const QString kFont = QStringLiteral("font");
const QString kForm2 = QStringLiteral("form2");

constexpr TColor kWindowTextNumber = clWindowText;  // -2147483640 as a signed number

QString Key(int n) { return QString::number(n); }

int ReadClamped(const TIniFile& ini, const QString& section, const QString& key, int def,
                int minimum, int maximum) {
  return std::clamp(ini.ReadInteger(section, key, def), minimum, maximum);
}

// An integer below `minimum` gives `def` instead; one above `maximum` gives that.
int ReadAtLeast(const TIniFile& ini, const QString& section, const QString& key, int def,
                int minimum, int maximum) {
  const int v = ini.ReadInteger(section, key, def);
  return v < minimum ? def : std::min(v, maximum);
}

// Window sizes below 21 pixels give the default, as the form's own do.
int ReadWindowExtent(const TIniFile& ini, const QString& section, const QString& key, int def) {
  return ReadAtLeast(ini, section, key, def, 21, kMaxWindowExtent);
}

TColor ReadColor(const TIniFile& ini, const QString& key, TColor def) {
  const std::optional<QString> text = ini.Value(kColor, key);
  if (!text) return def;
  return TextToColor(*text).value_or(def);
}

TFontPitch PitchFromText(const QString& text) {
  if (text == QLatin1String("fpfixed")) return TFontPitch::fpFixed;
  if (text == QLatin1String("fpvariable")) return TFontPitch::fpVariable;
  return TFontPitch::fpDefault;
}

QString PitchText(TFontPitch pitch) {
  switch (pitch) {
    case TFontPitch::fpFixed: return QStringLiteral("fpfixed");
    case TFontPitch::fpVariable: return QStringLiteral("fpvariable");
    case TFontPitch::fpDefault: break;
  }
  return QStringLiteral("fpdefault");
}

// The list of colour keys, in the order the file is read.
struct ColorKey {
  const char* key;
  TColor TSettings::*member;
  TColor def;
};
const ColorKey kColorKeys[] = {
    {"html", &TSettings::HtmlTagColor, clGreen},
    {"quat", &TSettings::QuoteColor, clPurple},
    {"afColor", &TSettings::Background, clWindow},
    {"ColColumnNo", &TSettings::ColColumnNo, clWindowText},
    {"ColColumnIndi", &TSettings::ColColumnIndi, clBtnFace},
    {"CollKeyWord", &TSettings::ColKeyWord, clPurple},
    {"ColLeftMgn", &TSettings::ColLeftMgn, clWindow},
    {"ColRowNo", &TSettings::ColRowNo, clWindowText},
    {"ColSelText", &TSettings::ColSelText, clHighlightText},
    {"ColSelBrush", &TSettings::ColSelBrush, clHighlight},
    {"ColDependence", &TSettings::ColDependence, clFuchsia},
    {"fonttime", &TSettings::ClockText, 0x404000},
    {"time", &TSettings::ClockBack, clSilver},
};

struct BoolKey {
  const QString* section;
  const char* key;
  bool TSettings::*member;
  bool def;
};
const BoolKey kBoolKeys[] = {
    {&kMenu, "n129", &TSettings::CharConvGroup, true},
    {&kMenu, "n130", &TSettings::DateTimeGroup, true},
    {&kMenu, "n131", &TSettings::QuoteGroup, true},
    {&kMenu, "n132", &TSettings::LineHeadGroup, true},
    {&kOptions, "clip", &TSettings::ClipboardWatch, true},
    {&kOptions, "aofreecaret", &TSettings::FreeCaret, false},
    {&kOptions, "aoautoindent", &TSettings::AutoIndent, true},
    {&kOptions, "aoautojpnindent", &TSettings::AutoJpnIndent, true},
    {&kOptions, "aowordwrap", &TSettings::WordWrap, true},
    {&kOptions, "aojpnbanbreak", &TSettings::JpnBanBreak, true},
    {&kVOptions, "vodependence", &TSettings::VoDependence, true},
    {&kVOptions, "vohankana", &TSettings::VoHankana, true},
    {&kVOptions, "voansispace", &TSettings::VoAnsiSpace, true},
    {&kVOptions, "vocolindecate", &TSettings::VoColIndicate, true},
    {&kVOptions, "vokeyword", &TSettings::VoKeyWord, true},
    {&kVOptions, "vorownum", &TSettings::VoRowNum, false},
    {&kVOptions, "vofoldmark", &TSettings::VoFoldMark, false},
    {&kVOptions, "vocr", &TSettings::VoCr, true},
    {&kVOptions, "votab", &TSettings::VoTab, true},
    {&kOptions, "foldright", &TSettings::FoldRight, false},
    {&kEmb, "html", &TSettings::EmphasizeTags, true},
    {&kEmb, "quat", &TSettings::EmphasizeQuotes, false},
};

void ReadForm(const TIniFile& ini, TSettings& s) {
  TFormBounds b;
  b.Left = ReadClamped(ini, kForm, QStringLiteral("left"), 0, -kMaxWindowExtent, kMaxWindowExtent);
  b.Top = ReadClamped(ini, kForm, QStringLiteral("top"), 0, -kMaxWindowExtent, kMaxWindowExtent);
  b.Width = ReadWindowExtent(ini, kForm, QStringLiteral("width"), 640);
  b.Height = ReadWindowExtent(ini, kForm, QStringLiteral("height"), 460);
  s.Form = b;
  s.TagMode = ini.ReadInteger(kForm, QStringLiteral("tagmode"), 0);
  s.HourFormat = ini.ReadInteger(kForm, QStringLiteral("hhtime"), 1);
  s.ConvToolBarVisible = ini.ReadBool(QStringLiteral("toolbar"), QStringLiteral("visible"), true);
}

void ReadPaths(const TIniFile& ini, TSettings& s) {
  for (int i = 0; i < 5; ++i) {
    s.History << ini.ReadString(QStringLiteral("history"), Key(i), QString());
    s.Folders << ini.ReadString(QStringLiteral("folder"), Key(i), QString());
  }
}

void ReadEditor(const TIniFile& ini, TSettings& s) {
  s.RowPich = ReadAtLeast(ini, kAfedit, QStringLiteral("pich"), 4, kMinRowPich, kMaxRowPich);
  s.DefWrapPos = std::max(ReadAtLeast(ini, kAfedit, QStringLiteral("defwrappos"), 60, 2, kMaxWrapPos),
                          kMinWrapPos);
  s.LeftMgn = ReadClamped(ini, kAfedit, QStringLiteral("lmgn"), 36, kMinLeftMgn, kMaxMargin);
  s.TopMgn = ReadAtLeast(ini, kAfedit, QStringLiteral("umgn"), 1, kMinTopMgn, kMaxMargin);
  for (const ColorKey& c : kColorKeys) s.*c.member = ReadColor(ini, QLatin1String(c.key), c.def);
}

void ReadFont(const TIniFile& ini, TSettings& s) {
  s.Font.Color = static_cast<TColor>(
      ini.ReadInteger(kFont, QStringLiteral("color"), static_cast<int>(kWindowTextNumber)));
  s.Font.Name = ini.ReadString(kFont, QStringLiteral("name"), QStringLiteral("ＭＳ ゴシック"));
  s.Font.Pitch = PitchFromText(ini.ReadString(kFont, QStringLiteral("pitch"), QStringLiteral("fpdefault")));
  s.Font.Size = ReadAtLeast(ini, kFont, QStringLiteral("size"), 9, kMinFontSize, kMaxFontSize);
}

void ReadPreview(const TIniFile& ini, TPreviewLayout& p) {
  const TPreviewLayout def;
  p.Height = ReadWindowExtent(ini, kForm2, QStringLiteral("height"), def.Height);
  p.Width = ReadWindowExtent(ini, kForm2, QStringLiteral("width"), def.Width);
  for (int i = 0; i < 3; ++i) {
    const QString band = QStringLiteral("band%1").arg(i);
    p.Band[i] = ini.ReadInteger(kForm2, band, def.Band[i]);
    p.BandWidth[i] = ReadClamped(ini, kForm2, band + QStringLiteral("width"), def.BandWidth[i], 0,
                                 kMaxWindowExtent);
    p.BandBreak[i] = ini.ReadBool(kForm2, band + QStringLiteral("break"), def.BandBreak[i]);
  }
  p.SearchUrl = ini.ReadString(kForm2, QStringLiteral("searchurl"), def.SearchUrl);
}

void WriteFormAndPaths(const TSettings& s, TIniFile& ini) {
  const TFormBounds b = s.Form.value_or(TFormBounds{});
  ini.WriteInteger(kForm, QStringLiteral("left"), b.Left);
  ini.WriteInteger(kForm, QStringLiteral("top"), b.Top);
  ini.WriteInteger(kForm, QStringLiteral("width"), b.Width);
  ini.WriteInteger(kForm, QStringLiteral("height"), b.Height);
  ini.WriteInteger(kForm, QStringLiteral("tagmode"), s.TagMode);
  ini.WriteInteger(kForm, QStringLiteral("hhtime"), s.HourFormat);
  ini.WriteBool(QStringLiteral("toolbar"), QStringLiteral("visible"), s.ConvToolBarVisible);
  for (int i = 0; i < 5; ++i) {
    ini.WriteString(QStringLiteral("history"), Key(i), s.History.value(i));
  }
  for (int i = 0; i < 5; ++i) {
    ini.WriteString(QStringLiteral("folder"), Key(i), s.Folders.value(i));
  }
}

void WriteEditor(const TSettings& s, TIniFile& ini) {
  ini.WriteInteger(kAfedit, QStringLiteral("pich"), s.RowPich <= 0 ? 4 : s.RowPich);
  ini.WriteInteger(kAfedit, QStringLiteral("defwrappos"), s.DefWrapPos < 2 ? 60 : s.DefWrapPos);
  ini.WriteInteger(kAfedit, QStringLiteral("lmgn"), s.LeftMgn);
  ini.WriteInteger(kAfedit, QStringLiteral("umgn"), s.TopMgn <= 0 ? 1 : s.TopMgn);
  for (const ColorKey& c : kColorKeys) ini.WriteString(kColor, QLatin1String(c.key), ColorToText(s.*c.member));
}

void WriteFont(const TSettings& s, TIniFile& ini) {
  ini.WriteInteger(kFont, QStringLiteral("color"), static_cast<int>(s.Font.Color));
  ini.WriteInteger(kFont, QStringLiteral("size"), s.Font.Size);
  ini.WriteString(kFont, QStringLiteral("name"), s.Font.Name);
  ini.WriteString(kFont, QStringLiteral("pitch"), PitchText(s.Font.Pitch));
}

void WritePreview(const TPreviewLayout& p, TIniFile& ini) {
  ini.WriteInteger(kForm2, QStringLiteral("height"), p.Height);
  ini.WriteInteger(kForm2, QStringLiteral("width"), p.Width);
  for (int i = 0; i < 3; ++i) {
    if (p.Band[i] < 1 || p.Band[i] > 3) continue;
    const QString band = QStringLiteral("band%1").arg(i);
    ini.WriteInteger(kForm2, band, p.Band[i]);
    ini.WriteInteger(kForm2, band + QStringLiteral("width"), p.BandWidth[i]);
    ini.WriteBool(kForm2, band + QStringLiteral("break"), p.BandBreak[i]);
  }
  ini.WriteString(kForm2, QStringLiteral("searchurl"), p.SearchUrl);
}

}  // namespace

TSettings ReadSettings(const TIniFile& ini) {
  TSettings s;
  ReadForm(ini, s);
  ReadPaths(ini, s);
  ReadEditor(ini, s);
  for (const BoolKey& k : kBoolKeys) {
    s.*k.member = ini.ReadBool(*k.section, QLatin1String(k.key), k.def);
  }
  ReadFont(ini, s);
  ReadPreview(ini, s.Preview);
  return s;
}

void WriteSettings(const TSettings& s, TIniFile& ini) {
  WriteFormAndPaths(s, ini);
  WriteEditor(s, ini);
  for (const BoolKey& k : kBoolKeys) ini.WriteBool(*k.section, QLatin1String(k.key), s.*k.member);
  WriteFont(s, ini);
  WritePreview(s.Preview, ini);
}

QRect FitOnScreens(const QRect& window, const QList<QRect>& screens) {
  if (screens.isEmpty()) return window;
  QRect screen = screens.constFirst();
  long long best = 0;
  for (const QRect& s : screens) {
    const QRect overlap = s.intersected(window);
    const long long area = static_cast<long long>(overlap.width()) * overlap.height();
    if (area > best) {
      best = area;
      screen = s;
    }
  }
  QRect fitted(window.topLeft(), window.size().boundedTo(screen.size()));
  fitted.moveLeft(std::clamp(fitted.left(), screen.left(), screen.right() - fitted.width() + 1));
  fitted.moveTop(std::clamp(fitted.top(), screen.top(), screen.bottom() - fitted.height() + 1));
  return fitted;
}

TSettingsFiles TSettingsFiles::ForProgram(const QString& programDir) {
  QString dir = programDir;
  if (!QFileInfo(dir).isWritable()) {
    dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
  }
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return TSettingsFiles{dir};
}
