#include "app/selectionedit.h"

#include <algorithm>

#include "editor/afedit.h"

namespace {

// Byte positions of the selection's ends; false without a selection.
bool SelectionEnds(const TCustomAFEdit& edit, TPoint& from, TPoint& to) {
  const TSelArea sel = edit.ClampedSelection();
  if (sel.HasSel()) {
    const TPoint s = sel.SelStart(), e = sel.SelEnd();
    from = TPoint{std::max(0, edit.ColToIndex(s.Y, s.X)), s.Y};
    to = TPoint{std::max(0, edit.ColToIndex(e.Y, e.X)), e.Y};
    return true;
  }
  if (sel.HasRowSel()) {
    const int bottom = sel.RowSelBottom();
    from = TPoint{0, sel.RowSelTop()};
    to = TPoint{static_cast<int>(edit.GetRow(bottom).size()), bottom};
    return true;
  }
  return false;
}

}  // namespace

std::string SelectedBytes(const TCustomAFEdit& edit) {
  TPoint from, to;
  if (!SelectionEnds(edit, from, to)) return std::string();
  std::string out;
  for (int y = from.Y; y <= to.Y; ++y) {
    const std::string_view row = edit.GetRow(y);
    const std::size_t begin = y == from.Y ? std::min<std::size_t>(from.X, row.size()) : 0;
    const std::size_t end = y == to.Y ? std::min<std::size_t>(to.X, row.size()) : row.size();
    if (end <= begin) continue;
    out.append(row.substr(begin, end - begin));
    if (out.back() == '\r') out += '\n';  // a CR only ever ends a row
  }
  return out;
}

void InsertCommandText(TCustomAFEdit& edit, std::string text) {
  const bool typingMode = edit.InsertMode;
  edit.InsertMode = true;
  edit.InsertText(std::move(text));
  edit.InsertMode = typingMode;
  edit.UpdateCaret();  // its shape follows the typing mode again
}

void ReplaceSelection(TCustomAFEdit& edit, std::string text) {
  TSelArea& sel = edit.Sel();
  // Deleting rows moves a caret below them up, not one above or inside:
  // the text goes where the rows were.
  if (!sel.HasSel() && sel.HasRowSel()) edit.CaretPos = TPoint{0, sel.RowSelTop()};
  InsertCommandText(edit, std::move(text));
  // A row selection beside the replaced stream selection would now cover
  // other text.
  if (sel.HasRowSel()) {
    sel.ClearRowSel();
    edit.Paint();
  }
  edit.CheckSelState();
}

void DropSelection(TCustomAFEdit& edit) {
  edit.BeginUpdate();
  edit.Sel().CollapseSel();
  edit.Sel().ClearRowSel();
  edit.EndUpdate();
  edit.CheckSelState();
}

std::optional<TRowRange> SelectedRows(const TCustomAFEdit& edit) {
  const TSelArea sel = edit.ClampedSelection();
  if (sel.HasSel()) return TRowRange{sel.SelStart().Y, sel.SelEnd().Y};
  if (sel.HasRowSel()) return TRowRange{sel.RowSelTop(), sel.RowSelBottom()};
  return std::nullopt;
}
