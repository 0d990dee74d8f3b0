// The file commands' rules that need no window: reading a document in the
// chosen encoding, writing an encoded copy, the save dialog's preparation
// and the names of new documents.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>

#include "app/dialogs.h"
#include "app/fileorigin.h"
#include "encoding/detect.h"

// How the next file is read (OpenMode).
enum TOpenMode : int {
  omPlain = 0,
  omAutoFormat = 2,
  omEuc = 3,
  omJis = 4,
  omUtf8 = 5,
  omUcs2 = 6,
};

struct TDocumentText {
  bool Ok = false;
  std::string Text;           // Shift-JIS
  std::size_t Replaced = 0;   // characters without a Shift-JIS form, now "?"
  TFileOrigin Origin;
  TDetected LooksLike = TDetected::ShiftJis;  // the encoding the bytes read best as
};

// Reads the whole file and converts it by mode: after a leading byte-order
// mark (UTF-8, UCS-2), up to the first zero byte (UCS-2: the first zero
// unit). Not Ok when the file cannot be read, or when UTF-8 mode meets
// bytes that are no UTF-8. A file read as Shift-JIS is also looked at for
// the encoding it is in.
TDocumentText ReadDocument(const QString& path, int mode);


// The open dialog as every open command shows it.
TFileDialogSpec OpenDialogSpec();
// The save dialog before any command has touched it.
TFileDialogSpec InitialSaveDialog();
// Prepares the shared save dialog for a document with this caption. An
// extension other than ".txt", ".html" and ".htm" adds a filter entry that
// stays for the rest of the session.
void PrepareSaveDialog(TFileDialogSpec& dialog, const QString& caption);

// "NONAME" and the number of open documents whose caption contains that
// word (in any letter case) plus one, and ".txt".
QString NewDocumentName(const QStringList& captions);

// Shows a folder in the desktop's file manager, without waiting.
void OpenFolder(const QString& folder);
