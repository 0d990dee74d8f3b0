#include "app/colors.h"

#include <QApplication>
#include <QPalette>

#include <cstdint>

namespace {

struct NamedColor {
  const char* name;
  TColor value;
};

// The standard colours first, so that a value with two names gets this one.
constexpr NamedColor kNames[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", clSystemColor + 0},
    {"clBackground", clSystemColor + 1},
    {"clActiveCaption", clSystemColor + 2},
    {"clInactiveCaption", clSystemColor + 3},
    {"clMenu", clSystemColor + 4},
    {"clWindow", clWindow},
    {"clWindowFrame", clSystemColor + 6},
    {"clMenuText", clSystemColor + 7},
    {"clWindowText", clWindowText},
    {"clCaptionText", clSystemColor + 9},
    {"clActiveBorder", clSystemColor + 10},
    {"clInactiveBorder", clSystemColor + 11},
    {"clAppWorkSpace", clSystemColor + 12},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clSystemColor + 16},
    {"clGrayText", clSystemColor + 17},
    {"clBtnText", clSystemColor + 18},
    {"clInactiveCaptionText", clSystemColor + 19},
    {"clBtnHighlight", clSystemColor + 20},
    {"cl3DDkShadow", clSystemColor + 21},
    {"cl3DLight", clSystemColor + 22},
    {"clInfoText", clSystemColor + 23},
    {"clInfoBk", clSystemColor + 24},
    {"clHotLight", clSystemColor + 26},
    {"clGradientActiveCaption", clSystemColor + 27},
    {"clGradientInactiveCaption", clSystemColor + 28},
    {"clMenuHighlight", clSystemColor + 29},
    {"clMenuBar", clSystemColor + 30},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
};

QColor FromBgr(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QColor SystemQColor(TColor color) {
  const QPalette pal = QApplication::palette();
  switch (color & 0xFF) {
    case 5: return pal.color(QPalette::Base);
    case 8: return pal.color(QPalette::Text);
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);
    case 16: return pal.color(QPalette::Mid);
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);
    case 21: return pal.color(QPalette::Shadow);
    case 22: return pal.color(QPalette::Midlight);
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    case 7:
    case 9:
    case 19: return pal.color(QPalette::WindowText);
    default: return pal.color(QPalette::Window);
  }
}

}  // namespace

QString ColorToText(TColor color) {
  for (const NamedColor& n : kNames) {
    if (n.value == color) return QString::fromLatin1(n.name);
  }
  return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> TextToColor(const QString& text) {
  const QString t = text.trimmed();
  for (const NamedColor& n : kNames) {
    if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) return n.value;
  }
  bool ok = false;
  if (t.startsWith(QLatin1Char('$'))) {
    const qulonglong v = t.mid(1).toULongLong(&ok, 16);
    if (ok && v <= 0xFFFFFFFFull) return static_cast<TColor>(v);
    return std::nullopt;
  }
  const qlonglong v = t.toLongLong(&ok, 10);
  if (ok && v >= INT32_MIN && v <= UINT32_MAX) return static_cast<TColor>(v);
  return std::nullopt;
}

QColor ToQColor(TColor color) { return IsSystemColor(color) ? SystemQColor(color) : FromBgr(color); }

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
         static_cast<TColor>(color.blue()) << 16;
}
