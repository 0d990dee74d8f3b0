// Writing a whole file at once (ReplaceFile): to a temporary file beside it
// that replaces it only when everything was written. A symbolic link is
// written through to the file it names unless `links` says otherwise.
#pragma once

#include <QString>

#include <string>

#include "editor/filereplace.h"

bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error,
                    TLinkPolicy links = TLinkPolicy::Follow);
