// A colour as an HTML attribute value: a colour name, or "#RRGGBB", in
// double quotes.
#pragma once

#include <string>

#include "editor/types.h"

// The name when the colour equals one of the sixteen standard colours or
// MoneyGreen, SkyBlue, Cream, MedGray; else "#" and the hexadecimal digits
// of red, green and blue in upper case. A system colour is resolved first.
std::string HtmlColorValue(TColor color);
