// Replacing found text: the selection alone, or every match as one user
// operation, a logical line at a time.
#include <algorithm>
#include <vector>

#include "editor/afedit.h"
#include "encoding/casefold.h"
#include "encoding/sjistext.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Matches from `begin` on, leftmost first, none overlapping the one before.
std::vector<std::size_t> MatchesForward(std::string_view text, std::string_view needle, std::size_t begin) {
  std::vector<std::size_t> found;
  sjis::TCharMatches matches(text, needle);
  for (std::size_t at = matches.Next(begin); at != npos; at = matches.Next(at + needle.size())) found.push_back(at);
  return found;
}

// Matches that end by `end`, rightmost first (as repeated backward finds
// would meet them), none overlapping the one after; in text order.
std::vector<std::size_t> MatchesBackward(std::string_view text, std::string_view needle, std::size_t end) {
  std::vector<std::size_t> all;
  sjis::TCharMatches matches(text, needle);
  for (std::size_t at = matches.Next(0); at != npos && at + needle.size() <= end; at = matches.Next(at + 1))
    all.push_back(at);
  std::vector<std::size_t> found;
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (*it + needle.size() <= end) {
      found.push_back(*it);
      end = *it;
    }
  }
  std::reverse(found.begin(), found.end());
  return found;
}

std::string Replaced(std::string_view text, const std::vector<std::size_t>& at, std::size_t length,
                     std::string_view replacement) {
  std::string out;
  out.reserve(text.size() + at.size() * replacement.size());
  std::size_t done = 0;
  for (const std::size_t p : at) {
    out.append(text.substr(done, p - done));
    out.append(replacement);
    done = p + length;
  }
  out.append(text.substr(done));
  return out;
}

}  // namespace

bool TCustomAFEdit::ReplaceSelection(std::string_view s, std::string r, int options, TPoint& next) {
  const bool backward = options & foBackward;
  TPoint from, to;
  if (!SelectionHolds(s, options) || !SelectionBytes(from, to)) {
    next = SearchStart(backward);
    return false;
  }
  // Insertion re-wraps the line from the selection on; its offset into the
  // line stays.
  const int line = LineFirstRow(from.Y);
  const int offset = OffsetFrom(line, from);
  InsertText(std::move(r));
  next = backward ? BytesAfter(TPoint{0, line}, offset) : SearchStart(false);
  return true;
}

int TCustomAFEdit::ReplaceAll(std::string_view s, std::string_view r, int options) {
  if (s.empty()) return 0;
  const bool backward = options & foBackward;
  const bool ignoreCase = options & foIgnoreCase;
  // A selection that holds s is the first match in either direction.
  TPoint selFrom, selTo;
  const bool holds = SelectionHolds(s, options) && SelectionBytes(selFrom, selTo);
  const TPoint start = !holds ? SearchStart(backward) : backward ? selTo : selFrom;
  const std::string needle = ignoreCase ? stringfunc::UpperCase(s) : std::string(s);
  const std::string replacement = WithoutControlBytes(std::string(r));

  ++UndoGroup;
  const bool wasUpdating = updating_;
  updating_ = true;
  int count = 0;
  int caretLine = -1, caretOffset = 0;  // behind the replacement made last
  int line = LineFirstRow(start.Y);
  std::size_t offset = OffsetFrom(line, start);
  std::string upper;
  while (line >= 0 && line < RowCount()) {
    const int last = LineLastRow(line);
    const std::string text = LineText(line, last);
    const std::string_view comparable = stringfunc::Comparable(text, ignoreCase, upper);
    const std::vector<std::size_t> at = backward ? MatchesBackward(comparable, needle, std::min(offset, text.size()))
                                                 : MatchesForward(comparable, needle, offset);
    if (!at.empty()) {
      ReplaceLine(line, last, Replaced(text, at, needle.size(), replacement));
      count += static_cast<int>(at.size());
      // Forward the rightmost of the line was replaced last, backward the leftmost.
      const std::size_t k = backward ? 0 : at.size() - 1;
      caretLine = line;
      caretOffset = static_cast<int>(at[k] + k * replacement.size() - k * needle.size() + replacement.size());
    }
    if (backward) {
      line = line > 0 ? LineFirstRow(line - 1) : -1;
      offset = npos;
    } else {
      line = LineLastRow(line) + 1;
      offset = 0;
    }
  }
  updating_ = wasUpdating;
  if (count > 0) {
    sel_.ClearRowSel();
    CaretPos = IndexToCol(BytesAfter(TPoint{0, caretLine}, caretOffset));
    sel_.AnchorPos = sel_.EndPos = CaretPos;
    CheckSelState();
  }
  if (!updating_) {
    Paint();
    UpdateCaret();
  }
  return count;
}

void TCustomAFEdit::ReplaceLine(int first, int last, std::string text) {
  for (int r = last; r > first; --r) DeleteRow(r);
  ClearColAttrs(first);
  SetRow(first, std::move(text), false);
  ReflowRow(first);
  const int end = LineLastRow(first);
  for (int r = first; r <= end; ++r) RaiseMaxRowLen(r);
}
