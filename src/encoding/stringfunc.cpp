#include "encoding/stringfunc.h"

#include <algorithm>

#include "encoding/sjis.h"
#include "encoding/sjistext.h"

namespace stringfunc {
namespace {

constexpr std::string_view kSpace = " ";
constexpr std::string_view kFullWidthSpace = "\x81\x40";  // 　
constexpr std::string_view kBlankChars = " \x81\x40\r\n";

bool IsOneOf(std::string_view c, const std::vector<std::string_view>& chars) {
  return std::find(chars.begin(), chars.end(), c) != chars.end();
}

// The trailing line end. CR LF, LF CR and CR CR count as one; a CR or LF
// before the last byte counts only when the last byte is one too.
std::string_view LineEndOf(std::string_view s) {
  if (s.empty()) return {};
  const char last = s.back();
  if (last != '\r' && last != '\n') return {};
  const char before = s.size() >= 2 ? s[s.size() - 2] : '\0';
  const bool pair = before == '\r' || (before == '\n' && last == '\r');
  return s.substr(s.size() - (pair ? 2 : 1));
}

}  // namespace

std::size_t CharLength(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i += sjis::CharLen(s, i)) ++count;
  return count;
}

bool ConsistsOf(std::string_view s, std::string_view allowed) {
  const std::vector<std::string_view> allowedChars = sjis::SplitChars(allowed);
  for (std::size_t i = 0; i < s.size(); i += sjis::CharLen(s, i)) {
    if (!IsOneOf(s.substr(i, sjis::CharLen(s, i)), allowedChars)) return false;
  }
  return true;
}

bool ConsistsOfText(std::string_view s, std::string_view allowed) {
  if (s.empty()) return false;
  if (!ConsistsOf(MapString(LCMAP_UPPERCASE, s), MapString(LCMAP_UPPERCASE, allowed))) return false;
  const std::vector<std::string_view> allowedChars = sjis::SplitChars(allowed);
  const bool allowsSpace = IsOneOf(kSpace, allowedChars) || IsOneOf(kFullWidthSpace, allowedChars);
  return !allowsSpace || !ConsistsOf(s, kBlankChars);
}

bool RemoveBlankLines(std::vector<std::string>* list) {
  if (list == nullptr) return false;
  std::erase_if(*list, [](const std::string& line) { return sjis::IsBlank(line); });
  return true;
}

std::pair<std::string, std::string> SplitLineEnd(std::string_view s) {
  const std::string_view lineEnd = LineEndOf(s);
  return {std::string(lineEnd), std::string(s.substr(0, s.size() - lineEnd.size()))};
}

std::string ReplaceHead(std::string_view s, int n, std::string_view prefix) {
  const auto [lineEnd, body] = SplitLineEnd(s);
  const std::size_t count = static_cast<std::size_t>(std::max(n, 0));
  std::string result(prefix);
  if (count < CharLength(body)) return result.append(s.substr(sjis::CharOffset(s, count)));
  return result.append(lineEnd);
}

}  // namespace stringfunc
