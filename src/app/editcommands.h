// "行選択": selects the caret's row as a row selection and moves the caret
// to the start of the next row, so that repeating it selects the rows one
// after another. The first row keeps the caret, and so does the last.
#pragma once

class TCustomAFEdit;

void SelectCaretRow(TCustomAFEdit& edit);
