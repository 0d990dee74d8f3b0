// Reading a settings or list file whole. A missing file and one that exists
// but could not be read are told apart: the first gets the defaults and is
// written at exit; the second must be left alone, or the user loses it.
#pragma once

#include <QByteArray>
#include <QString>

enum class TReadResult { Read, Missing, Failed };

TReadResult ReadWholeFile(const QString& path, QByteArray& bytes);
