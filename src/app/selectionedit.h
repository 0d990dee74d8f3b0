// What the text commands read from the selection and how they put their
// result back: through InsertText, so that each is one user operation.
#pragma once

#include <optional>
#include <string>

class TCustomAFEdit;

// The selected text as the rows hold it, lines joined by CR LF. Unlike
// SelText, blanks at its end are kept: a transform written back in its
// place must lose none of them. Empty without a selection.
std::string SelectedBytes(const TCustomAFEdit& edit);

// InsertText in insert mode whatever the typing mode is: a command's text
// takes the selection's place and never overwrites what follows it.
void InsertCommandText(TCustomAFEdit& edit, std::string text);

// text in place of the selection as one undo step, the caret behind it.
// Neither kind of selection is left, and the control reports that.
void ReplaceSelection(TCustomAFEdit& edit, std::string text);

// Lets go of both kinds of selection without changing the text.
void DropSelection(TCustomAFEdit& edit);

// The rows from the selection's first to its last, both included: those of
// a stream selection's ends (an end at the start of a row counts that row),
// else the row selection's. Nothing without a selection.
struct TRowRange {
  int First = 0;
  int Last = 0;
};
std::optional<TRowRange> SelectedRows(const TCustomAFEdit& edit);
