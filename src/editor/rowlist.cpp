#include "editor/rowlist.h"

TColAttrList& TRowList::ColAttrs(int i) {
  TRow& row = rows_[i];
  if (!row.ColAttrs) row.ColAttrs = std::make_unique<TColAttrList>(static_cast<int>(row.Text.size()));
  return *row.ColAttrs;
}

bool TRowList::HasCR(int i) const { return EndsWithCR(rows_[i].Text); }

void TRowList::Insert(int i, std::string text, const TLineAttr& attr) {
  rows_.insert(i, TRow{std::move(text), attr, nullptr});
}
