// The commands on the heads of the selected rows: "選択範囲の行頭を置き換え"
// and "選択範囲の行頭に連番を挿入". Each row changed is one undo step.
//
// The rows are worked from the last to the first: a change re-wraps its
// own row and those below it, so the rows still to do keep their places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/selectionedit.h"

class TCustomAFEdit;

// The first n characters of each row become s; a row of n characters or
// fewer (its line end not counted) becomes s and its line end.
void ReplaceLineHeads(TCustomAFEdit& edit, TRowRange rows, int n, std::string_view s);

// An answer to "最初の番号を入力してください。" taken apart: the text before
// the first digit, every digit ("0"-"9", "０"-"９"), and the text after the
// first digit that is none.
struct TNumbering {
  std::string Prefix;
  std::string Digits;
  std::string Suffix;
};
TNumbering SplitNumbering(std::string_view answer);

// Prefix, a number and Suffix at the start of each row's text: `first` on
// the first row, one more on each row after it. Full-width digits in the
// answer give full-width numbers.
void NumberRows(TCustomAFEdit& edit, TRowRange rows, const TNumbering& numbering, std::int64_t first);
