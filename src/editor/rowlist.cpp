#include "editor/rowlist.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kArenaBlock = 1 << 20;
}

TColAttrList& TRowList::ColAttrs(int i) {
  TRow& row = rows_[i];
  if (!row.ColAttrs) row.ColAttrs = std::make_unique<TColAttrList>(static_cast<int>(row.Text.View().size()));
  return *row.ColAttrs;
}

bool TRowList::HasCR(int i) const { return EndsWithCR(rows_[i].Text.View()); }

void TRowList::Insert(int i, std::string_view text, const TLineAttr& attr) {
  rows_.insert(i, TRow{TRowText(text), attr, nullptr});
  lines_.Inserted(i, *this);
}

void TRowList::Permute(int first, const std::vector<int>& sources, bool undo) {
  const int n = static_cast<int>(sources.size());
  std::vector<int> landing(sources);  // the row that lands at first + i
  if (undo) {
    for (int i = 0; i < n; ++i) landing[sources[i] - first] = first + i;
  }
  for (int i = 0; i < n; ++i) lines_.Changing(first + i, Text(first + i), Text(landing[i]));
  std::vector<TRow> moved(sources.size());
  for (int i = 0; i < n; ++i) moved[i] = std::move(rows_[landing[i]]);
  for (int i = 0; i < n; ++i) rows_[first + i] = std::move(moved[i]);
}

void TRowList::AppendPacked(std::string_view text, const TLineAttr& attr, std::unique_ptr<TColAttrList> colAttrs) {
  rows_.push_back(TRow{TRowText::Borrowed(CopyToArena(text), text.size()), attr, std::move(colAttrs)});
  lines_.Inserted(Count() - 1, *this);
}

void TRowList::Clear() {
  rows_.clear();
  lines_.Clear();
  arena_.clear();
  arenaNext_ = nullptr;
  arenaLeft_ = 0;
}

const char* TRowList::CopyToArena(std::string_view text) {
  if (text.empty()) return nullptr;  // before the first block there is nowhere to point
  if (text.size() > arenaLeft_) {
    const std::size_t block = std::max(kArenaBlock, text.size());
    // Not zeroed: a re-wrap of a short document would otherwise clear a
    // whole block it never fills.
    arena_.push_back(std::make_unique_for_overwrite<char[]>(block));
    arenaNext_ = arena_.back().get();
    arenaLeft_ = block;
  }
  char* at = arenaNext_;
  std::memcpy(at, text.data(), text.size());
  arenaNext_ += text.size();
  arenaLeft_ -= text.size();
  return at;
}
