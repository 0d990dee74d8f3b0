#include "app/datenotation.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "app/integertext.h"
#include "encoding/datewords.h"
#include "encoding/mapstring.h"
#include "encoding/sjis.h"
#include "encoding/sjistext.h"
#include "encoding/stringfunc.h"

namespace {

using namespace stringfunc;

bool IsDateSeparator(std::string_view c) {
  return c == "/" || c == "." || c == " " || c == "\r" || c == "\n" || c == "\x81\x40" /* 　 */ ||
         c == kYearMark || c == kMonthMark;
}

bool IsYearOrMonthMark(std::string_view c) { return c == kYearMark || c == kMonthMark; }

// ASCII letters in upper case; two-byte characters, whose second byte may
// look like a letter, stay.
std::string FoldAscii(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); i += sjis::CharLen(out, i)) {
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  }
  return out;
}

// text with every occurrence of what, letter case aside, replaced by by.
// Matches are found with find and kept only where a character starts.
std::string ReplaceIgnoringCase(const std::string& text, std::string_view what, std::string_view by) {
  if (what.empty()) return text;
  const std::string foldedText = FoldAscii(text);
  const std::string foldedWhat = FoldAscii(what);
  std::string out;
  std::size_t copied = 0;    // text before this is in out
  std::size_t boundary = 0;  // a character start, walked forward as matches are found
  for (std::size_t from = 0, at; (at = foldedText.find(foldedWhat, from)) != std::string::npos;) {
    while (boundary < at) boundary += sjis::CharLen(text, boundary);
    if (boundary != at) {
      from = at + 1;
      continue;
    }
    out.append(text, copied, at - copied).append(by);
    copied = from = at + foldedWhat.size();
  }
  return out.append(text, copied);
}

// One pass over the characters of the text. A candidate is a date being
// read: from its first digit (or the era name before it) on, through at
// most two runs of separators.
class TDateScanner {
 public:
  TDateScanner(std::string_view s, std::string_view pattern)
      : chars_(sjis::SplitChars(s)), pattern_(pattern), working_(s) {}

  std::string Run() {
    for (std::size_t i = 0; i < chars_.size(); ++i) {
      if (IsDigitChar(chars_[i])) {
        Digit(i);
      } else if (start_ && IsDateSeparator(chars_[i]) && SeparatorAdmitted()) {
        Separator(i);
      } else if (start_) {
        End(i, chars_[i] == kDayMark);
      }
    }
    // A date that ends the text with its last mark ("2006年7月").
    if (start_) End(chars_.size(), false);
    return working_;
  }

 private:
  std::string_view Text(std::size_t from, std::size_t to) const {
    if (from >= to) return {};
    const char* begin = chars_[from].data();
    return std::string_view(begin, chars_[to - 1].data() + chars_[to - 1].size() - begin);
  }

  bool EraBefore(std::size_t i, std::size_t count) const {
    return i >= count && HasEraName(Text(i - count, i));
  }

  void Digit(std::size_t i) {
    runOpen_ = false;
    if (!start_) {
      start_ = EraBefore(i, 2) ? i - 2 : EraBefore(i, 3) ? i - 3 : i;
      runs_ = 0;
      beganWithMonth_ = false;
    }
    if (i + 1 == chars_.size()) {
      Convert(Text(*start_, i + 1));
      start_.reset();
    }
  }

  bool SeparatorAdmitted() const { return runs_ < 2 && !(beganWithMonth_ && runs_ == 1); }

  void Separator(std::size_t i) {
    if (runOpen_) return;  // the open run goes on
    if (runs_ == 0 && !BeginsADate(i)) {
      start_.reset();
      return;
    }
    runOpen_ = true;
    runStart_ = i;
    ++runs_;
  }

  // Whether the candidate read up to character i can be a date: it begins
  // with an era name (within its first three characters), or is a year or
  // a month so far. Full-width digits count as digits.
  bool BeginsADate(std::size_t i) {
    if (HasEraName(Text(*start_, std::min(*start_ + 3, i)))) return true;
    const std::string sofar = MapString(LCMAP_HALFWIDTH, Text(*start_, i));
    if (IsYearText(sofar)) return true;
    beganWithMonth_ = IsMonthText(sofar);
    return beganWithMonth_;
  }

  // The candidate ends before character `end`. Its text stops where its
  // open separator run starts; the "年" or "月" that starts that run, or a
  // "日" right after its digits, stays with it, since the new notation
  // writes its own marks.
  void End(std::size_t end, bool dayMarkFollows) {
    const std::size_t stop = runOpen_ ? runStart_ : end;
    const bool keepsMark = runOpen_ ? IsYearOrMonthMark(chars_[runStart_]) : dayMarkFollows;
    Convert(Text(*start_, keepsMark ? stop + 1 : stop));
    start_.reset();
    runOpen_ = false;
  }

  // A text that FormatDateText leaves as it is is no date: its other
  // occurrences keep their letter case.
  void Convert(std::string_view candidate) {
    if (CharLength(candidate) <= 2) return;
    std::string date = FormatDateText(candidate, pattern_);
    if (!produced_.insert(date).second || date == candidate) return;
    working_ = ReplaceIgnoringCase(working_, candidate, date);
  }

  std::vector<std::string_view> chars_;
  std::string_view pattern_;
  std::string working_;
  std::set<std::string> produced_;
  std::optional<std::size_t> start_;  // the candidate's first character
  int runs_ = 0;
  bool runOpen_ = false;
  std::size_t runStart_ = 0;
  bool beganWithMonth_ = false;
};

}  // namespace

std::string ConvertDateNotation(std::string_view s, std::string_view pattern) {
  return TDateScanner(s, pattern).Run();
}
