// The document's display rows: Shift-JIS text (a row that ends its logical
// line carries one trailing CR), its attribute record and optional column
// attributes, in blocks so that local edits of huge documents stay cheap
// wherever they happen. A plain container: events and undo live in the
// control.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "editor/attrlists.h"
#include "editor/blockvector.h"
#include "editor/lineindex.h"
#include "editor/rowtext.h"

struct TRow {
  // Its tail padding holds the record: a row takes 40 bytes, not 48.
  [[no_unique_address]] TRowText Text;
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
  // Takes the row's column attributes away from it.
  std::unique_ptr<TColAttrList> TakeColAttrs(int i) { return std::move(rows_[i].ColAttrs); }
  bool HasCR(int i) const;

  void Insert(int i, std::string_view text, const TLineAttr& attr);
  void Append(std::string_view text, const TLineAttr& attr) { Insert(Count(), text, attr); }
  // Appends a row whose bytes are packed into the list's arena with those
  // of the rows before it (loading, rebuilding all rows).
  void AppendPacked(std::string_view text, const TLineAttr& attr,
                    std::unique_ptr<TColAttrList> colAttrs = nullptr);
  void Delete(int i) {
    lines_.Deleting(i, Text(i));
    rows_.erase(i);
  }
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

 private:
  const char* CopyToArena(std::string_view text);

  BlockVector<TRow> rows_;
  TLineIndex lines_;
  std::vector<std::unique_ptr<char[]>> arena_;
  char* arenaNext_ = nullptr;
  std::size_t arenaLeft_ = 0;
};

inline bool EndsWithCR(std::string_view s) { return !s.empty() && s.back() == '\r'; }
