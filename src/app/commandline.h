// The files a command line names. A shell hands an unquoted path with a
// space in it over as several arguments, so runs of arguments joined with
// single spaces are tried as well as single ones.
#pragma once

#include <QDir>
#include <QStringList>

// Absolute paths, in order, of the existing files the arguments name,
// relative ones taken from `base`. At each argument the longest run that
// ends there and names a file is taken, and the next run starts after it;
// so an argument that names no file (a folder, a device, a missing path)
// does not swallow the files after it.
QStringList CommandLineFiles(const QStringList& args, const QDir& base);
