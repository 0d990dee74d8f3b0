#include "app/docrecovery.h"

#include <QDateTime>

#include <algorithm>

#include "app/childwin.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/outsidework.h"
#include "app/recovery.h"
#include "app/recoverydialog.h"
#include "editor/memstream.h"
#include "editor/qt/tafedit.h"

TDocumentRecovery::TDocumentRecovery(TMDIChild& child, TRecovery& recovery)
    : QObject(&child), child_(child), recovery_(recovery), file_(recovery.NewCopyFile()) {
  connect(&tick_, &QTimer::timeout, this, &TDocumentRecovery::Tick);
}

TDocumentRecovery::~TDocumentRecovery() {
  if (written_) recovery_.Remove(file_);
}

// Counting is all a change costs; the ticks look at the count.
void TDocumentRecovery::Changed(bool edited) {
  ++changes_;
  if (!edited) {
    tick_.stop();
    if (written_) recovery_.Remove(file_);
    written_ = false;
    return;
  }
  if (tick_.isActive()) return;
  changesSeen_ = changes_;
  quiet_.start();
  waiting_.start();
  tick_.start(std::max(1, std::min(recovery_.PauseMs, recovery_.LongestWaitMs) / 4));
}

// The copy is taken once typing has paused, or has gone on too long without
// a pause, and then once no command or modal window about the document is
// under way.
void TDocumentRecovery::Tick() {
  if (changes_ != changesSeen_) {
    changesSeen_ = changes_;
    quiet_.start();
  }
  if (quiet_.elapsed() < recovery_.PauseMs && waiting_.elapsed() < recovery_.LongestWaitMs) return;
  tick_.stop();
  TOutsideWork::Post(this, [this] { WriteSoon(); });
}

// Room for the text as a save writes it: every row and a line end.
void TDocumentRecovery::WriteSoon() {
  const TAFEdit& edit = *child_.AFEdit;
  if (!edit.Edited()) return;
  std::size_t bytes = 0;
  for (int r = 0; r < edit.RowCount(); ++r) bytes += edit.GetRow(r).size() + 2;
  recovery_.MakeBuffer(bytes, this, [this](std::shared_ptr<std::string> buffer) {
    TOutsideWork::Post(this, [this, buffer] { WriteNow(std::move(*buffer)); });
  });
}

void TDocumentRecovery::WriteNow(std::string buffer) {
  const TAFEdit& edit = *child_.AFEdit;
  if (!edit.Edited()) return;
  buffer.clear();
  TRecoveryCopy copy{child_.windowTitle(), child_.Origin, QDateTime::currentDateTimeUtc(), std::move(buffer)};
  TStringOutStream out(copy.Text);
  edit.SaveToStream(out, child_.SaveOptions());
  recovery_.Write(file_, std::move(copy));
  ++copies_;
  written_ = true;
}

TMDIChild* RestoreDocument(TMainForm& form, TRecoveryCopy copy) {
  TDocumentText doc;
  doc.Ok = true;
  doc.Text = std::move(copy.Text);
  doc.Origin = copy.Origin;
  TMDIChild* w = form.OpenDocument(copy.Path, &doc);
  if (!w) return nullptr;
  w->AFEdit->SetEdited(true);
  w->SavedEdited = true;
  w->StateChanged();
  return w;
}

void KeepCopies(TMainForm& form, TRecovery& recovery) {
  form.SetRecovery(&recovery);
  QObject::connect(&recovery, &TRecovery::WriteFailed, &form, [&form](const QString& file, const QString& why) {
    static bool told = false;
    if (told) return;
    told = true;
    TOutsideWork::Post(&form, [&form, file, why] {
      form.Dlg().ShowMessage(QStringLiteral("異常終了に備えた復元用のコピー %1 を書き込めませんでした(-_-;)\n%2")
                                 .arg(file, why));
    });
  });
}

namespace {

void TellDamaged(Dialogs& dialogs, const TLeftCopies& left) {
  if (left.Damaged().empty()) return;
  QString text = QStringLiteral("次の復元用のコピーは壊れているため、開きませんでした。"
                                "ファイルは消さずに残してあります。");
  for (const TLeftCopies::TDamaged& d : left.Damaged()) text += QStringLiteral("\n%1\n（%2）").arg(d.File, d.Why);
  dialogs.ShowMessage(text);
}

QStringList Descriptions(const TLeftCopies& left) {
  QStringList lines;
  for (const TLeftCopies::TEntry& e : left.Entries()) {
    lines << e.Copy.Written.toLocalTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) + QStringLiteral("  ") +
                 e.Copy.Path;
  }
  return lines;
}

}  // namespace

// A restored document's own copy is on disk before the left one goes.
void OfferLeftCopies(TMainForm& form, TRecovery& recovery) {
  if (!recovery.Problem().isEmpty()) {
    form.Dlg().ShowMessage(QStringLiteral("異常終了に備えた復元用のコピーを作れないため、"
                                          "保存していない変更は異常終了のときに失われます(-_-;)\n") +
                           recovery.Problem());
    return;
  }
  const std::unique_ptr<TLeftCopies> left = recovery.ClaimLeftCopies();
  TellDamaged(form.Dlg(), *left);
  if (left->Entries().empty()) return;
  TRecoveryDialog dialog(&form, Descriptions(*left));
  form.Dlg().RunModal(dialog);
  if (dialog.Choice() == TRecoveryDialog::Later) return;
  for (std::size_t i = 0; i < left->Entries().size(); ++i) {
    if (dialog.Choice() == TRecoveryDialog::Restore && dialog.Checked(static_cast<int>(i))) {
      TMDIChild* w = RestoreDocument(form, left->Entries()[i].Copy);
      if (!w) continue;
      if (TDocumentRecovery* own = w->Recovery()) own->WriteNow();
      recovery.Flush();
    }
    left->Drop(i);
  }
}
