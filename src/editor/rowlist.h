// The document's display rows: Shift-JIS text (a row that ends its logical
// line carries one trailing CR), its attribute record and optional column
// attributes, in one gap vector so that local edits of huge documents stay
// cheap. A plain container: events and undo live in the control.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "editor/attrlists.h"
#include "editor/gapvector.h"

struct TRow {
  std::string Text;
  TLineAttr Attr;
  std::unique_ptr<TColAttrList> ColAttrs;
};

class TRowList {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  const std::string& Text(int i) const { return rows_[i].Text; }
  std::string& MutableText(int i) { return rows_[i].Text; }
  TLineAttr& Attr(int i) { return rows_[i].Attr; }
  const TLineAttr& Attr(int i) const { return rows_[i].Attr; }
  TColAttrList* ColAttrsOrNull(int i) const { return rows_[i].ColAttrs.get(); }
  TColAttrList& ColAttrs(int i);  // created on demand, one entry per byte
  void ClearColAttrs(int i) { rows_[i].ColAttrs.reset(); }
  bool HasCR(int i) const;

  void Insert(int i, std::string text, const TLineAttr& attr);
  void Append(std::string text, const TLineAttr& attr) { Insert(Count(), std::move(text), attr); }
  void Delete(int i) { rows_.erase(i); }
  void Swap(int i, int j) { std::swap(rows_[i], rows_[j]); }
  void Clear() { rows_.clear(); }
  void Reserve(int n) { rows_.reserve(n); }

 private:
  GapVector<TRow> rows_;
};

inline bool EndsWithCR(std::string_view s) { return !s.empty() && s.back() == '\r'; }
