// The document's display rows: Shift-JIS text (a row that ends its logical
// line carries one trailing CR), its attribute record and optional column
// attributes, in one gap vector so that local edits of huge documents stay
// cheap. A plain container: events and undo live in the control.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "editor/attrlists.h"
#include "editor/gapvector.h"
#include "editor/lineindex.h"
#include "editor/rowtext.h"

struct TRow {
  TRowText Text;
  TLineAttr Attr;
  std::unique_ptr<TColAttrList> ColAttrs;
};

class TRowList {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  std::string_view Text(int i) const { return rows_[i].Text.View(); }
  void SetText(int i, std::string_view text) {
    lines_.Changing(i, Text(i), text);
    rows_[i].Text.Assign(text);
  }
  TLineAttr& Attr(int i) { return rows_[i].Attr; }
  const TLineAttr& Attr(int i) const { return rows_[i].Attr; }
  TColAttrList* ColAttrsOrNull(int i) const { return rows_[i].ColAttrs.get(); }
  TColAttrList& ColAttrs(int i);  // created on demand, one entry per byte
  void ClearColAttrs(int i) { rows_[i].ColAttrs.reset(); }
  bool HasCR(int i) const;

  void Insert(int i, std::string_view text, const TLineAttr& attr);
  void Append(std::string_view text, const TLineAttr& attr) { Insert(Count(), text, attr); }
  void Delete(int i) {
    lines_.Deleting(i, Text(i));
    rows_.erase(i);
  }
  // Room for `count` rows in all, so that a large insertion does not grow
  // the list a quarter at a time, copying it each time.
  void Reserve(int count) { rows_.reserve(static_cast<std::size_t>(count)); }
  void Swap(int i, int j) {
    lines_.Changing(i, Text(i), Text(j));
    lines_.Changing(j, Text(j), Text(i));
    std::swap(rows_[i], rows_[j]);
  }
  // The rows from `first` on take new places: the row that lands at
  // first + i is the one at sources[i] (a row of the same stretch). Undoing
  // sends each back to where it came from.
  void Permute(int first, const std::vector<int>& sources, bool undo);
  void Clear();
  // Where the logical lines begin.
  const TLineIndex& Lines() const { return lines_; }

  // Loading: rows are collected in a plain vector (reserved generously;
  // untouched capacity costs no memory), their text packed in the arena,
  // and then become the list in one move.
  class TBulkAppender {
   public:
    TBulkAppender(TRowList& list, std::size_t expectedRows);
    void Append(std::string_view text, const TLineAttr& attr);
    void Finish();

   private:
    TRowList& list_;
    std::vector<TRow> rows_;
  };

 private:
  const char* CopyToArena(std::string_view text);

  GapVector<TRow> rows_;
  TLineIndex lines_;
  std::vector<std::unique_ptr<char[]>> arena_;
  char* arenaNext_ = nullptr;
  std::size_t arenaLeft_ = 0;
};

inline bool EndsWithCR(std::string_view s) { return !s.empty() && s.back() == '\r'; }
