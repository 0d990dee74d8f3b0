#include "encoding/sjistext.h"

#include "encoding/sjis.h"

namespace sjis {

std::vector<std::string_view> SplitChars(std::string_view s) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = CharLen(s, i);
    chars.push_back(s.substr(i, len));
    i += len;
  }
  return chars;
}

std::size_t CharOffset(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  for (; n > 0 && i < s.size(); --n) i += CharLen(s, i);
  return i;
}

bool EndsWithChar(std::string_view s, std::string_view c) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLen(s, i)) last = i;
  return !s.empty() && s.substr(last) == c;
}

std::size_t FindChars(std::string_view s, std::string_view what) { return TCharMatches(s, what).Next(0); }

std::size_t TCharMatches::Next(std::size_t from) {
  if (what_.empty()) return std::string_view::npos;
  for (std::size_t at = s_.find(what_, from); at != std::string_view::npos; at = s_.find(what_, at + 1)) {
    if (StartsChar(at)) return at;
  }
  return std::string_view::npos;
}

bool TCharMatches::StartsChar(std::size_t i) {
  if (i < boundary_) boundary_ = 0;  // asked about an earlier byte: walk again
  while (boundary_ < i) boundary_ += CharLen(s_, boundary_);
  return boundary_ == i;
}

bool ContainsChars(std::string_view s, std::string_view what) {
  return FindChars(s, what) != std::string_view::npos;
}

std::string RemoveAll(std::string_view s, std::string_view what) {
  std::string rest;
  for (std::size_t at = FindChars(s, what); at != std::string_view::npos; at = FindChars(s, what)) {
    rest.append(s.substr(0, at));
    s.remove_prefix(at + what.size());
  }
  return rest.append(s);
}

std::string_view Trim(std::string_view s) {
  const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool IsBlank(std::string_view s) { return Trim(s).empty(); }

std::uint64_t DigitValue(std::string_view digits) {
  std::uint64_t value = 0;
  for (const char d : digits) {
    value = value * 10 + static_cast<std::uint64_t>(d - '0');
    if (value >= kDigitValueLimit) return kDigitValueLimit;
  }
  return value;
}

}  // namespace sjis
