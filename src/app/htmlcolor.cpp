#include "app/htmlcolor.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "editor/afedit.h"
#include "encoding/sjis.h"

namespace {

// Empty once blanks and control characters are trimmed from both ends.
bool IsBlank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

// Per byte: true when it is neither the lead nor the trail byte of a
// two-byte character.
std::vector<bool> OneByteChars(std::string_view s) {
  std::vector<bool> single(s.size(), true);
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = sjis::CharLen(s, i);
    if (len == 2) single[i] = single[i + 1] = false;
    i += len;
  }
  return single;
}

bool IsLineControl(char c) { return c == '\t' || c == '\n' || c == '\r'; }

bool OpensTag(char next) {
  return next == '!' || next == '/' || (next >= 'A' && next <= 'Z') || (next >= 'a' && next <= 'z');
}

// Whether the "<" at i starts a tag, for a row of `length` bytes and `n`
// column entries: when it is followed by "!", "/" or a letter, or when
// nothing can follow it on this row.
bool StartsTag(std::string_view s, std::size_t i, std::size_t n) {
  if (i + 1 < s.size() && i + 1 < n) return OpensTag(s[i + 1]);
  return true;
}

void Paint(TColAttrList& list, std::size_t i, TColor color) {
  TColAttr& a = list.Items(static_cast<int>(i));
  a.Active = true;
  a.Color = color;
}

bool CarriedIn(TCustomAFEdit& edit, int row, std::int16_t TLineAttr::*flag) {
  return row > 0 && edit.RowAttr(row - 1)->*flag == 1;
}

void TagPass(TCustomAFEdit& edit, int row, std::string_view s, const std::vector<bool>& single,
             TColAttrList& list, std::size_t limit, TColor color) {
  bool inTag = CarriedIn(edit, row, &TLineAttr::Tag2);
  const std::size_t n = static_cast<std::size_t>(list.Count());
  for (std::size_t i = 0; i < limit; ++i) {
    if (inTag) {
      if (!IsLineControl(s[i])) Paint(list, i, color);
      if (single[i] && s[i] == '>') inTag = false;
    } else if (single[i] && s[i] == '<' && StartsTag(s, i, n)) {
      Paint(list, i, color);
      inTag = true;
    }
  }
  edit.RowAttr(row)->Tag2 = inTag ? 1 : 0;
}

void QuotePass(TCustomAFEdit& edit, int row, std::string_view s, const std::vector<bool>& single,
               TColAttrList& list, std::size_t limit, const THtmlColoring& c) {
  bool inQuote = CarriedIn(edit, row, &TLineAttr::Tag1);
  for (std::size_t i = 0; i < limit; ++i) {
    if (inQuote && (!single[i] || !IsLineControl(s[i]))) Paint(list, i, c.QuoteColor);
    if (single[i] && s[i] == c.QuoteChar) {
      Paint(list, i, c.QuoteColor);
      inQuote = !inQuote;
    }
  }
  edit.RowAttr(row)->Tag1 = inQuote ? 1 : 0;
}

bool HasTagStart(std::string_view s) {
  const std::vector<bool> single = OneByteChars(s);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (single[i] && s[i] == '<' && StartsTag(s, i, s.size())) return true;
  }
  return false;
}

}  // namespace

void ColorRow(TCustomAFEdit& edit, int row, const THtmlColoring& c) {
  const std::string_view s = edit.GetRow(row);
  if (IsBlank(s)) return;
  TColAttrList& list = edit.ColAttrs(row);
  const std::size_t limit = std::min(s.size(), static_cast<std::size_t>(list.Count()));
  for (std::size_t i = 0; i < limit; ++i) list.Items(static_cast<int>(i)).Active = false;
  const std::vector<bool> single = OneByteChars(s);
  if (c.EmphasizeTags) TagPass(edit, row, s, single, list, limit, c.TagColor);
  if (c.EmphasizeQuotes) QuotePass(edit, row, s, single, list, limit, c);
}

void ForgetRowColors(TCustomAFEdit& edit, int row, const THtmlColoring& c) {
  std::string_view s = edit.GetRow(row);
  const bool tags = c.EmphasizeTags && !IsBlank(s) &&
                    (CarriedIn(edit, row, &TLineAttr::Tag2) || HasTagStart(s));
  const bool quotes = c.EmphasizeQuotes && (s.find(c.QuoteChar) != std::string_view::npos ||
                                            CarriedIn(edit, row, &TLineAttr::Tag1));
  if (tags || quotes) edit.ClearColAttrs(row);
}
