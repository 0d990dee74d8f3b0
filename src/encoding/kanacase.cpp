#include "encoding/kanacase.h"

namespace charmap {
namespace {

constexpr char16_t kKanaOffset = u'ァ' - u'ぁ';

constexpr bool IsHiragana(char16_t c) {
  return (c >= u'ぁ' && c <= u'ゖ') || c == u'ゝ' || c == u'ゞ';
}

constexpr bool IsKatakana(char16_t c) {
  return (c >= u'ァ' && c <= u'ヶ') || c == u'ヽ' || c == u'ヾ';
}

// Letters whose capitals and small letters lie in parallel runs.
struct CaseRun {
  char16_t upperFirst;
  char16_t upperLast;
  char16_t lowerFirst;
};

constexpr CaseRun kCaseRuns[] = {
    {u'A', u'Z', u'a'},
    {u'Ａ', u'Ｚ', u'ａ'},
    {u'Α', u'Ρ', u'α'},  // U+03A2 is unassigned: final sigma has no capital
    {u'Σ', u'Ω', u'σ'},
    {u'А', u'Я', u'а'},
    {u'Ѐ', u'Џ', u'ѐ'},  // with Ё/ё
};

constexpr char16_t Shift(char16_t c, char16_t from, char16_t to) {
  return static_cast<char16_t>(c - from + to);
}

}  // namespace

char16_t Katakana(char16_t c) {
  return IsHiragana(c) ? static_cast<char16_t>(c + kKanaOffset) : c;
}

char16_t Hiragana(char16_t c) {
  return IsKatakana(c) ? static_cast<char16_t>(c - kKanaOffset) : c;
}

char16_t Upper(char16_t c) {
  for (const CaseRun& run : kCaseRuns) {
    const char16_t lowerLast = Shift(run.upperLast, run.upperFirst, run.lowerFirst);
    if (c >= run.lowerFirst && c <= lowerLast) return Shift(c, run.lowerFirst, run.upperFirst);
  }
  return c;
}

char16_t Lower(char16_t c) {
  for (const CaseRun& run : kCaseRuns) {
    if (c >= run.upperFirst && c <= run.upperLast) return Shift(c, run.upperFirst, run.lowerFirst);
  }
  return c;
}

}  // namespace charmap
