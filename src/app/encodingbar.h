// The slim bar above a document's editor that says the file read as
// Shift-JIS looks like another encoding, with a button that reopens it with
// that encoding's open command and one that keeps it as it is.
#pragma once

#include <QFrame>
#include <QString>

#include "encoding/detect.h"

class QLabel;
class TMDIChild;
class TMainForm;

// An encoding a file can be reopened in: its name in the bar, and the open
// command (and its open mode) that reads it.
struct TReopenEncoding {
  TDetected Detected;
  const char* Name;
  const char* OpenCommand;
  int OpenMode;
};

// The encoding for what the detector said, or null when it is none the
// editor reopens in (Shift-JIS, ASCII, binary).
const TReopenEncoding* ReopenEncodingFor(TDetected detected);

class TEncodingBar : public QFrame {
  Q_OBJECT
 public:
  // `path`: the file the suggestion is about; `commandCaption`: the caption
  // of the open command, on the reopen button.
  TEncodingBar(const TReopenEncoding& encoding, const QString& path, const QString& commandCaption,
               QWidget* parent);

  const TReopenEncoding& Encoding() const { return encoding_; }
  const QString& Path() const { return path_; }
  QString Message() const;

 signals:
  // The reopen button was pressed; the keep button closes the bar itself.
  void Reopen();

 private:
  const TReopenEncoding& encoding_;
  QString path_;
  QLabel* label_ = nullptr;
};

// Shows the bar in the document's window when the file at `path`, read as
// Shift-JIS, looks like another encoding. Reopening asks first when the
// document was changed, and keeps it when the file cannot be read.
void OfferReopen(TMainForm& main, TMDIChild& child, const QString& path, TDetected looksLike);
