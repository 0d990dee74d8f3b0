// The editor font template shared by every document window.
#pragma once

#include <QFont>
#include <QString>

#include "editor/host.h"
#include "editor/types.h"

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

struct TFontTemplate {
  QString Name = QStringLiteral("ＭＳ ゴシック");
  int Size = 9;  // points
  TColor Color = clWindowText;
  TFontPitch Pitch = TFontPitch::fpDefault;
  TFontStyles Style = 0;
  friend bool operator==(const TFontTemplate&, const TFontTemplate&) = default;
};

// The control measures in pixels at 96 dots per inch: 9 points are 12 pixels.
TFont ToEditorFont(const TFontTemplate& font);

QFont ToQFont(const TFontTemplate& font);
// Keeps the template's colour, which a QFont does not carry.
TFontTemplate FromQFont(const QFont& qfont, TColor color);

// The Japanese faces the settings name, mapped to installed ones.
void RegisterFontSubstitutes();
