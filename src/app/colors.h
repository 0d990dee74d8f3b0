// Colour values as the settings file writes them ("clWindow", "$00BBGGRR"),
// and their on-screen form.
#pragma once

#include <QColor>
#include <QString>

#include <optional>

#include "editor/types.h"

// The colour's name when it has one, else "$" and eight hex digits.
QString ColorToText(TColor color);

// A colour name (any letter case), "$" hex, or a signed decimal number;
// nothing for any other text.
std::optional<TColor> TextToColor(const QString& text);

// A system colour is looked up in the application palette.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
