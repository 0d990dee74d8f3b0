// Re-wrapping in steps. Each step looks at one row (and the row after it),
// decides what to do from their text alone (TCustomAFEdit::DecideStep) and
// then changes the rows through a TWrapRows: the control's own rows, where a
// change records undo information, fires the row events and carries
// attributes, blocks and the caret along; or the rows of one logical line
// wrapped on its own (loading, re-wrapping everything), where only the
// places between rows move.
#pragma once

#include <string_view>
#include <vector>

struct TWrapStep {
  enum class TKind {
    Complete,     // the row ends its line and fits, or is the empty last row
    DeleteEmpty,  // an empty row that is not the last
    Cut,          // a line end inside, or too long: cut into rows
    FitNext,      // soft-wrapped (or the last): text moves between it and the next row
  };
  TKind Kind = TKind::Complete;
  // Complete: the last row ends with CR, an empty last row follows it.
  // FitNext: the last row is too long, an empty continuation row comes first.
  bool AppendEmpty = false;
  // Cut: byte offsets where new rows begin, the display column of each cut
  // in the row it ends, and whether the rest becomes a row of its own (the
  // row is the last or ends with CR) rather than going in front of the next.
  std::vector<int> Cuts;
  std::vector<int> CutCols;
  bool OwnLine = false;
  // FitNext: the whole next row comes up (Join), or the row keeps `Keep`
  // bytes of itself and the next row together. Length is the row's display
  // length and CutCol the display column of the cut in the two together.
  // Filled: the next row came up whole although the two are not narrower
  // than the width; the row is then looked at again only to take up a row
  // holding nothing but a line end, which the rules let hang on it.
  bool Join = false;
  bool Filled = false;
  int Keep = 0;
  int Length = 0;
  int CutCol = 0;
};

class TWrapRows {
 public:
  virtual ~TWrapRows() = default;
  virtual int Count() const = 0;
  virtual std::string_view Text(int row) const = 0;
  virtual int Indent(int row) const = 0;
  // The document's last row (the last of the line only for the last line).
  virtual bool IsLast(int row) const = 0;

  // An empty row with a copy of the last row's record after it.
  virtual void AppendEmpty(int row) = 0;
  virtual void DeleteEmpty(int row) = 0;
  virtual void Cut(int row, const TWrapStep& step) = 0;
  virtual void FitNext(int row, const TWrapStep& step) = 0;
};
