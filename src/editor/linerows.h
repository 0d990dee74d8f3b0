// The rows of one logical line wrapped apart from the document (loading,
// re-wrapping everything): the line's text once, and where each row begins
// with its record. A re-wrapping step only moves these places; the text
// never changes.
#pragma once

#include <string_view>
#include <vector>

#include "editor/attrlists.h"
#include "editor/wraprows.h"

// Reading cuts a line longer than this into rows of this many bytes.
constexpr int kMaxLineBytes = 65536;

class TLineRows : public TWrapRows {
 public:
  // Starts a line; its text must stay valid while it is wrapped. Its rows
  // are then added in order, the first at 0.
  void Reset(std::string_view text, bool lastOfDocument);
  void AddRow(int start, const TLineAttr& attr) { rows_.push_back(TRowStart{start, attr}); }
  // The rows reading gives the line: pieces of kMaxLineBytes.
  void AddRowsAsRead(const TLineAttr& attr);

  int Start(int row) const { return rows_[row].Start; }
  const TLineAttr& Attr(int row) const { return rows_[row].Attr; }
  // Counts the steps that changed the rows.
  long long Changes() const { return changes_; }

  int Count() const override { return static_cast<int>(rows_.size()); }
  std::string_view Text(int row) const override;
  int Indent(int row) const override { return rows_[row].Attr.Indent; }
  bool IsLast(int row) const override { return lastOfDocument_ && row == Count() - 1; }
  void AppendEmpty(int row) override;
  void DeleteEmpty(int row) override;
  void Cut(int row, const TWrapStep& step) override;
  void FitNext(int row, const TWrapStep& step) override;

 private:
  struct TRowStart {
    int Start;
    TLineAttr Attr;
  };
  int End(int row) const { return row + 1 < Count() ? rows_[row + 1].Start : static_cast<int>(text_.size()); }

  std::string_view text_;
  bool lastOfDocument_ = false;
  std::vector<TRowStart> rows_;
  long long changes_ = 0;
};
