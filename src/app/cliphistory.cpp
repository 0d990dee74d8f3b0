#include "app/cliphistory.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/sjistext.h"
#include "editor/qt/clipboarddata.h"

QByteArray ClipboardEntry(const QString& text) {
  const std::string sjis = ToSjis(text);
  // LF is never part of a two-byte character, so the bytes can be searched.
  auto forEachLoneLF = [&sjis](auto&& action) {
    for (std::size_t lf = sjis.find('\n'); lf != std::string::npos; lf = sjis.find('\n', lf + 1))
      if (lf == 0 || sjis[lf - 1] != '\r') action(lf);
  };
  qsizetype added = 0;
  forEachLoneLF([&added](std::size_t) { ++added; });
  // Sized once: a large copy grew it several times over.
  QByteArray entry;
  entry.reserve(static_cast<qsizetype>(sjis.size()) + added);
  std::size_t from = 0;
  forEachLoneLF([&](std::size_t lf) {
    entry.append(sjis.data() + from, static_cast<qsizetype>(lf - from)).append('\r');
    from = lf;
  });
  return entry.append(sjis.data() + from, static_cast<qsizetype>(sjis.size() - from));
}

TClipboardHistory::TClipboardHistory(QMenu* popup, QMenu* submenu, QObject* parent)
    : QObject(parent), menus_(popup, submenu, this) {}

void TClipboardHistory::SetWatching(bool on) {
  if (on == Watching()) return;
  if (on) {
    watch_ = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                     &TClipboardHistory::ClipboardChanged);
  } else {
    disconnect(watch_);
    watch_ = {};
  }
}

void TClipboardHistory::Rejoin() {
  SetWatching(false);
  SetWatching(true);
}

void TClipboardHistory::Clear() {
  menus_.Clear();
  entries_.clear();
}

void TClipboardHistory::ClipboardChanged() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (const std::optional<QByteArray> own = TClipboardData::Sjis(data)) {
    Add(*own);  // an editor's own copy: already the entry, shared rather than copied
  } else if (data && data->hasText()) {
    Add(ClipboardEntry(data->text()));
  }
}

void TClipboardHistory::Add(const QByteArray& text) {
  if (text.isEmpty() || text == "\r\n" || text == "\r") return;
  if (!entries_.isEmpty() && entries_.constFirst() == text) return;
  entries_.prepend(text);
  menus_.Prepend(text);
}
