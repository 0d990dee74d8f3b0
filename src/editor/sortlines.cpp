// Sorting the logical lines of the text. Each line moves with all its rows
// and their records, recorded as one move of rows, so that undo costs
// neither time nor memory in proportion to the text.
#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "editor/afedit.h"
#include "encoding/casefold.h"
#include "encoding/sjistext.h"
#include "encoding/stringfunc.h"

namespace {

struct TLineSpan {
  int First;
  int Count;
};

// Whether line a sorts before line b (texts without their line end). Text
// order is the order of the Shift-JIS codes after upper-casing; where only
// letter case differs, lower case comes first, which in Shift-JIS is the
// higher code of each pair.
class TLineOrder {
 public:
  TLineOrder(TSortMode mode, std::string_view sortString, const std::vector<std::string_view>& texts)
      : mode_(mode), texts_(texts) {
    if (mode == TSortMode::Length) {
      for (const std::string_view t : texts) lengths_.push_back(stringfunc::CharLength(t));
    } else if (mode == TSortMode::Containing) {
      const std::string wanted = stringfunc::UpperCase(sortString);
      std::string upper;
      for (const std::string_view t : texts)
        holds_.push_back(wanted.empty() || sjis::ContainsChars(stringfunc::Comparable(t, true, upper), wanted));
    }
  }

  bool operator()(int a, int b) const {
    switch (mode_) {
      case TSortMode::Text: {
        const int c = stringfunc::CompareUpperCase(texts_[a], texts_[b]);
        return c != 0 ? c < 0 : texts_[a] > texts_[b];
      }
      case TSortMode::TextIgnoreCase:
        return stringfunc::CompareUpperCase(texts_[a], texts_[b]) < 0;
      case TSortMode::Length:
        return lengths_[a] < lengths_[b];
      case TSortMode::Containing:
        return holds_[a] && !holds_[b];
    }
    return false;
  }

 private:
  TSortMode mode_;
  const std::vector<std::string_view>& texts_;
  std::vector<std::size_t> lengths_;
  std::vector<bool> holds_;
};

}  // namespace

void TCustomAFEdit::SortLines(TSortMode mode, std::string_view sortString) {
  int last = RowCount() - 1;
  if (last > 0 && rows_.Text(last).empty()) --last;
  std::vector<TLineSpan> lines;
  for (int r = 0; r <= last; ++r) {
    const int first = r;
    while (r < last && !rows_.HasCR(r)) ++r;
    lines.push_back(TLineSpan{first, r - first + 1});
  }
  // Texts without the line end; a wrapped line is joined.
  std::vector<std::string> joined;
  std::vector<std::string_view> texts;
  joined.reserve(std::count_if(lines.begin(), lines.end(), [](const TLineSpan& l) { return l.Count > 1; }));
  texts.reserve(lines.size());
  for (const TLineSpan& l : lines) {
    std::string_view text = rows_.Text(l.First);
    if (l.Count > 1) text = joined.emplace_back(LineText(l.First, l.First + l.Count - 1));
    if (EndsWithCR(text)) text.remove_suffix(1);
    texts.push_back(text);
  }
  std::vector<int> order(lines.size());
  std::iota(order.begin(), order.end(), 0);
  const TLineOrder before(mode, sortString, texts);
  std::stable_sort(order.begin(), order.end(), std::cref(before));
  if (std::is_sorted(order.begin(), order.end())) return;
  const int unended = rows_.HasCR(last) ? -1 : static_cast<int>(lines.size()) - 1;

  auto sources = std::make_shared<std::vector<int>>();
  sources->reserve(last + 1);
  for (const int i : order)
    for (int k = 0; k < lines[i].Count; ++k) sources->push_back(lines[i].First + k);
  ++UndoGroup;
  if (Recording()) {
    TUndoBuffItem rec = Record(TUndoKind::RowsMoved, 0, {}, {}, {}, {});
    rec.Order = sources;
    undo_.Add(std::move(rec));
  }
  rows_.Permute(0, *sources, false);
  FireUndoChange();

  // The line that had no line end gets one where it lands, and the line now
  // last loses its own, bottom first so that the rows above stay put.
  if (unended >= 0 && order.back() != unended) {
    SetRow(last, std::string(rows_.Text(last).substr(0, rows_.Text(last).size() - 1)), false);
    ReflowRow(last);
    int row = -1;
    for (const int i : order) {
      row += lines[i].Count;
      if (i == unended) break;
    }
    SetRow(row, std::string(rows_.Text(row)) + '\r', false);
    ReflowRow(row);
  }
  MarkRowsRedraw(0, RowCount() - 1);
  CaretPos = ClampPos(CaretPos);
  ClampSelection();
  if (!updating_) Paint();
}
