// Captions of menu items that show texts of the user's: recent paths,
// favourites, clipboard entries and fixed phrases.
#pragma once

#include <QString>

#include <string_view>

// The text as a caption: "&" is shown as itself, not taken as an access key.
QString LiteralCaption(QString text);

// A readable caption for an entry of Shift-JIS text of any length: its
// first line that is not blank (leading spaces kept), tabs and control characters as spaces,
// shortened with "…" when it is long or more lines follow.
QString EntryCaption(std::string_view sjis);
