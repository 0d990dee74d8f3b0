#include "app/editorfont.h"

#include <QStringList>

TFont ToEditorFont(const TFontTemplate& font) {
  TFont f;
  f.Name = font.Name.toStdString();
  f.Height = -(font.Size * 96 + 36) / 72;
  f.Color = font.Color;
  f.Style = font.Style;
  return f;
}

QFont ToQFont(const TFontTemplate& font) {
  QFont f(font.Name, font.Size);
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  if (font.Pitch == TFontPitch::fpFixed) f.setFixedPitch(true);
  return f;
}

TFontTemplate FromQFont(const QFont& qfont, TColor color) {
  TFontTemplate f;
  f.Name = qfont.family();
  f.Size = qfont.pointSize() > 0 ? qfont.pointSize() : 9;
  f.Color = color;
  f.Pitch = qfont.fixedPitch() ? TFontPitch::fpFixed : TFontPitch::fpDefault;
  f.Style = static_cast<TFontStyles>((qfont.bold() ? fsBold : 0) | (qfont.italic() ? fsItalic : 0) |
                                     (qfont.underline() ? fsUnderline : 0) |
                                     (qfont.strikeOut() ? fsStrikeOut : 0));
  return f;
}

void RegisterFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                             QStringList{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}
