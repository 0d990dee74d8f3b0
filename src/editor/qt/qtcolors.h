// TColor values on Qt: plain 0x00BBGGRR colours, and the Windows system
// colours resolved through the widget's palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "editor/types.h"

QColor ToQColor(TColor color, const QPalette& palette);
// A plain colour as 0x00BBGGRR.
TColor ToTColor(const QColor& color);

// The system colour behind clSystemColor + index as 0x00BBGGRR; black for
// an index no palette role stands for.
TColor SystemColorOf(TColor color, const QPalette& palette);
