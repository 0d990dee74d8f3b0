// The plain-text list files ("key.lst", "teikei.lst", "fav.lst"): one
// Shift-JIS entry per line, lines ended by CR LF.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "app/readwhole.h"

using TStringList = std::vector<std::string>;  // Shift-JIS entries

// Lines split at CR LF, LF or CR; a line end after the last line adds no
// empty line.
TStringList SplitLines(std::string_view text);

// The lines of the file, split as above. Anything but Read leaves the list
// empty.
TReadResult LoadList(const QString& path, TStringList& list);

// Replaces the file whole, in one step; false (and *error) when it cannot.
bool SaveList(const QString& path, const TStringList& list, QString* error = nullptr);
