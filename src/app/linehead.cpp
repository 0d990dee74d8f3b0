#include "app/linehead.h"

#include "app/integertext.h"
#include "editor/afedit.h"
#include "encoding/mapstring.h"
#include "encoding/sjis.h"
#include "encoding/stringfunc.h"

namespace {

std::string NumberText(std::int64_t value, bool fullWidth) {
  const std::string half = std::to_string(value);
  return fullWidth ? stringfunc::MapString(stringfunc::LCMAP_FULLWIDTH, half) : half;
}

}  // namespace

void ReplaceLineHeads(TCustomAFEdit& edit, TRowRange rows, int n, std::string_view s) {
  edit.BeginUpdate();
  for (int r = std::min(rows.Last, edit.RowCount() - 1); r >= rows.First; --r) {
    edit.ReplaceRow(r, stringfunc::ReplaceHead(edit.GetRow(r), n, s));
    edit.ReflowRow(r);
  }
  edit.EndUpdate();
}

TNumbering SplitNumbering(std::string_view answer) {
  TNumbering numbering;
  for (std::size_t i = 0; i < answer.size();) {
    const std::string_view c = answer.substr(i, sjis::CharLen(answer, i));
    if (IsDigitChar(c)) {
      numbering.Digits += c;
    } else {
      (numbering.Digits.empty() ? numbering.Prefix : numbering.Suffix) += c;
    }
    i += c.size();
  }
  return numbering;
}

void NumberRows(TCustomAFEdit& edit, TRowRange rows, const TNumbering& numbering, std::int64_t first) {
  const bool fullWidth = stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH, numbering.Digits) != numbering.Digits;
  edit.BeginUpdate();
  for (int r = std::min(rows.Last, edit.RowCount() - 1); r >= rows.First; --r) {
    edit.CaretPos = TPoint{0, r};
    InsertCommandText(edit, numbering.Prefix + NumberText(first + (r - rows.First), fullWidth) + numbering.Suffix);
  }
  edit.EndUpdate();
}
