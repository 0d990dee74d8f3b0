// Re-wrapping every row at once (ReformatAll, and loading with wrapping):
// each logical line is wrapped apart from the document, giving exactly the
// rows that ReflowRow called for each of its rows in turn gives, and the
// rows are then built anew.
#include <algorithm>

#include "editor/afedit.h"
#include "editor/linerows.h"
#include "editor/switches.h"

// One chain of steps from `row`, as ReflowRow runs it. A step looks only at
// its row and the next, so a step that changed nothing changes nothing when
// its rows are met again as they were: a chain that reaches such rows is
// finished there. Without this, every row of a line would re-wrap all the
// rows after it. True when the chain ran on past the line's last row.
bool TCustomAFEdit::ChainInLine(TLineRows& rows, int row, TQuietRows& quiet) {
  int touched = row - 1;  // rows this chain may have changed
  int quietFrom = -1;     // where this chain's steps began to change nothing
  bool lineEndOnly = false;
  for (int r = row;;) {
    // A step that may only take up a line end follows a change of its own
    // row: it is never in a quiet stretch, and decides unlike one that is.
    if (r > touched && r >= quiet.From && r <= quiet.To) {
      quiet.From = quietFrom >= 0 ? quietFrom : r;
      return quiet.PastEnd;
    }
    const int countBefore = rows.Count();
    const long long changesBefore = rows.Changes();
    const TReflowNext next = ReflowStep(rows, r, lineEndOnly);
    if (lineEndOnly && rows.Changes() == changesBefore) {
      quietFrom = -1;
    } else if (rows.Changes() != changesBefore) {
      if (r + 1 < quiet.From) {
        quiet.From += rows.Count() - countBefore;
        quiet.To += rows.Count() - countBefore;
      } else {
        quiet = TQuietRows{};
      }
      touched = std::max({touched, r + 1, next.Row});
      quietFrom = -1;
    } else if (quietFrom < 0) {
      quietFrom = r;
    }
    const bool pastEnd = !next.Done && next.Row >= rows.Count();
    if (next.Done || pastEnd) {
      quiet = quietFrom >= 0 ? TQuietRows{quietFrom, r, pastEnd} : TQuietRows{};
      return pastEnd;
    }
    r = next.Row;
    lineEndOnly = next.LineEndOnly;
  }
}

// ReflowRow for every row of the line in turn, the row count changing as it
// goes, after `arriving` chains that ran into the line from the one above
// (a row with a line end that cannot be cut passes re-wrapping on to the
// next row). Returns how many chains ran on into the next line.
int TCustomAFEdit::WrapEveryRow(TLineRows& rows, int arriving) {
  TQuietRows quiet;
  int leaving = 0;
  for (int k = 0; k < arriving; ++k) leaving += ChainInLine(rows, 0, quiet);
  for (int i = 0; i < rows.Count(); ++i) leaving += ChainInLine(rows, i, quiet);
  return leaving;
}

// Where a row holding several line ends (a pasted text) is cut: each of its
// lines into the rows loading gives it. The text after the last line end
// goes on into the rows below, so it is cut only as far as it must be,
// unless it ends the document. cutCols gets the display column of each cut
// in the row it ends.
std::vector<int> TCustomAFEdit::CutLines(std::string_view text, int indent, bool lastOfDocument,
                                         std::vector<int>& cutCols) {
  std::vector<int> cuts;
  auto cutAfter = [&](int at, std::string_view row) {
    cuts.push_back(at);
    cutCols.push_back(ColumnOfIndex(indent, row, static_cast<int>(row.size())));
  };
  TLineAttr attr;
  attr.Indent = static_cast<std::int16_t>(indent);
  TLineRows line;
  int arriving = 0;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t cr = text.find('\r', begin);
    const std::size_t end = cr == std::string_view::npos ? text.size() : cr + 1;
    const std::string_view lineText = text.substr(begin, end - begin);
    const int at = static_cast<int>(begin);
    if (cr == std::string_view::npos && !lastOfDocument) {
      std::vector<int> cols;
      for (const int cut : FindCuts(lineText, indent, cols)) cuts.push_back(at + cut);
      cutCols.insert(cutCols.end(), cols.begin(), cols.end());
      break;
    }
    line.Reset(lineText, cr == std::string_view::npos);
    line.AddRowsAsRead(attr);
    arriving = WrapEveryRow(line, arriving);
    for (int k = 1; k < line.Count(); ++k) cutAfter(at + line.Start(k), line.Text(k - 1));
    if (end < text.size()) cutAfter(static_cast<int>(end), line.Text(line.Count() - 1));
    begin = end;
  }
  return cuts;
}

// Rebuilds every row: each logical line wrapped from its rows as they are,
// or (asRead) from the rows loading reads it in, with the record of its
// first row. Rows whose bytes stayed together keep their column attributes;
// blocks and the row selection keep their place in the text. False when
// nothing moved.
bool TCustomAFEdit::RewrapAllRows(bool asRead) {
  const bool remap = blocks_.Count() > 0 || sel_.HasRowSel();
  const std::vector<long long> oldOffsets = remap ? RowOffsets() : std::vector<long long>();
  std::vector<long long> newOffsets;
  long long offset = 0;
  TRowList rebuilt;
  TLineRows line;
  std::string joined;
  std::vector<int> oldStarts;  // of the line's rows before wrapping
  int arriving = 0;
  bool changed = false;
  for (int first = 0; first < RowCount();) {
    int last = first;
    while (last < RowCount() - 1 && !rows_.HasCR(last)) ++last;
    joined.clear();
    oldStarts.clear();
    for (int r = first; r <= last; ++r) {
      oldStarts.push_back(static_cast<int>(joined.size()));
      joined += rows_.Text(r);
    }
    line.Reset(joined, last == RowCount() - 1);
    if (asRead) {
      line.AddRowsAsRead(rows_.Attr(first));
    } else {
      for (int k = 0; k <= last - first; ++k) line.AddRow(oldStarts[k], rows_.Attr(first + k));
    }
    arriving = WrapEveryRow(line, arriving);
    changed = changed || line.Count() != last - first + 1;
    for (int k = 0; k < line.Count(); ++k) {
      const std::string_view text = line.Text(k);
      const bool kept = first + k <= last && line.Start(k) == oldStarts[k] &&
                        text.size() == rows_.Text(first + k).size();
      changed = changed || !kept;
      TLineAttr attr = line.Attr(k);
      attr.Redraw = true;
      rebuilt.AppendPacked(text, attr, kept ? rows_.TakeColAttrs(first + k) : nullptr);
      MaxRowLen = std::max(MaxRowLen, static_cast<int>(text.size()) + 2);
      if (remap) newOffsets.push_back(offset);
      offset += static_cast<long long>(text.size());
    }
    first = last + 1;
  }
  rows_ = std::move(rebuilt);
  if (remap) {
    newOffsets.push_back(offset);
    KeepPlacesInText(oldOffsets, newOffsets);
  }
  return changed;
}

// Re-wraps every row without recording the row changes. Older undo records
// hold row indices, so the layouts before and after are recorded instead.
// While an undo or redo replays, the recorded layouts are restored instead
// of re-wrapping.
void TCustomAFEdit::ReformatAll() {
  if (EditSwitches::UndoReplaying) {
    Paint();
    return;
  }
  const long long caretOffset = CaretByteOffset();
  const int caretDistance = CaretPos.Y - TopRow;
  const bool callerSuspended = EditSwitches::UndoSuspended;
  const bool undoable = undo_.LastRecord() != nullptr;
  TLayout before;
  if (undoable && !callerSuspended) before = CaptureLayout();
  const bool changed = RewrapAllRows(false);
  PlaceCaretAtByteOffset(caretOffset);
  TopRow = std::max(0, CaretPos.Y - caretDistance);
  if (changed) {
    if (undoable && !callerSuspended) {
      RecordRelayout(std::move(before));
    } else if (undoable) {
      undo_.ClearKeepingEdited();
    } else {
      undo_.DropRedo();
    }
  }
  Paint();
}
