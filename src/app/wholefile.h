// Writing a whole file at once: to a temporary file beside it that replaces
// it only when everything was written, through a symbolic link to the file
// it names.
#pragma once

#include <QString>

#include <string>

bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error);
