// Documents and their recovery copies: each modified document keeps a copy
// of its text in the recovery folder, and at start the copies that an
// editor which ended without removing them left behind are offered back.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>

class TMainForm;
class TMDIChild;
class TRecovery;
struct TRecoveryCopy;

// The copy of one document: written once typing has paused, or after a
// longer while of typing without a pause; removed once the document is
// saved, is back to its saved state, or is closed.
class TDocumentRecovery : public QObject {
 public:
  TDocumentRecovery(TMDIChild& child, TRecovery& recovery);
  ~TDocumentRecovery() override;

  // After every change of the document's text or modified state; cheap, as
  // a large paste calls it for every row.
  void Changed(bool edited);
  // Takes a copy without waiting for a pause, once the memory for it is
  // ready (TRecovery::MakeBuffer), from the event loop.
  void WriteSoon();
  // Takes the copy now; into `buffer` when its memory is ready.
  void WriteNow(std::string buffer = std::string());
  // Copies handed to the writer so far.
  int Copies() const { return copies_; }

 private:
  void Tick();

  TMDIChild& child_;
  TRecovery& recovery_;
  QString file_;
  QTimer tick_;             // runs while changes wait for a copy
  QElapsedTimer quiet_;    // since the last change a tick saw
  QElapsedTimer waiting_;  // since the first change that no copy holds yet
  long long changes_ = 0;
  long long changesSeen_ = 0;
  bool written_ = false;
  int copies_ = 0;
};

// The document window of a copy, under the copy's path, with its text and
// modified; null when no window could be made.
TMDIChild* RestoreDocument(TMainForm& form, TRecoveryCopy copy);

// Documents opened from now on keep copies; a copy that cannot be written
// is reported, once a session.
void KeepCopies(TMainForm& form, TRecovery& recovery);

// Offers the copies left by editors that are gone: each to be restored or
// discarded, or all kept for a later start. Says first when no copies can be
// kept at all, and which left copies are damaged (those are kept, unread).
void OfferLeftCopies(TMainForm& form, TRecovery& recovery);
