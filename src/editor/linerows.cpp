#include "editor/linerows.h"

void TLineRows::Reset(std::string_view text, bool lastOfDocument) {
  text_ = text;
  lastOfDocument_ = lastOfDocument;
  rows_.clear();
}

void TLineRows::AddRowsAsRead(const TLineAttr& attr) {
  const int size = static_cast<int>(text_.size());
  for (int at = 0; at == 0 || at < size; at += kMaxLineBytes) AddRow(at, attr);
}

std::string_view TLineRows::Text(int row) const {
  const int start = rows_[row].Start;
  return text_.substr(start, End(row) - start);
}

void TLineRows::AppendEmpty(int row) {
  rows_.push_back(TRowStart{static_cast<int>(text_.size()), rows_[row].Attr});
  ++changes_;
}

void TLineRows::DeleteEmpty(int row) {
  rows_.erase(rows_.begin() + row);
  ++changes_;
}

// Each piece after a cut becomes a row with a copy of the row's record;
// the rest goes in front of the next row unless it is a row of its own.
void TLineRows::Cut(int row, const TWrapStep& step) {
  const int start = rows_[row].Start;
  const TLineAttr attr = rows_[row].Attr;
  const int pieces = static_cast<int>(step.Cuts.size());
  const int newRows = pieces - (step.OwnLine ? 0 : 1);
  std::vector<TRowStart> inserted;
  for (int k = 0; k < newRows; ++k) inserted.push_back(TRowStart{start + step.Cuts[k], attr});
  rows_.insert(rows_.begin() + row + 1, inserted.begin(), inserted.end());
  if (!step.OwnLine) rows_[row + pieces].Start = start + step.Cuts[pieces - 1];
  ++changes_;
}

void TLineRows::FitNext(int row, const TWrapStep& step) {
  if (step.AppendEmpty) AppendEmpty(row);
  if (step.Join) {
    rows_.erase(rows_.begin() + row + 1);
    ++changes_;
  } else if (step.Keep != End(row) - Start(row)) {
    rows_[row + 1].Start = Start(row) + step.Keep;
    ++changes_;
  }
}
