// Character-aware scanning of Shift-JIS text: a two-byte character is never
// split, and a trail byte never matches a one-byte character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sjis {

// The characters of s in order; a lead byte at the very end is one on its own.
std::vector<std::string_view> SplitChars(std::string_view s);

// Byte offset at which character n (from 0) starts; s.size() when s has no
// more than n characters.
std::size_t CharOffset(std::string_view s, std::size_t n);

// True when the last character of s is c.
bool EndsWithChar(std::string_view s, std::string_view c);

// Byte offset of the first occurrence of what that starts on a character
// boundary of s, or npos. An empty what is never found.
std::size_t FindChars(std::string_view s, std::string_view what);

// The occurrences of what that start on a character boundary of s, looked
// for left to right, so that the boundaries are walked only once however
// many are asked for. An empty what is never found.
class TCharMatches {
 public:
  TCharMatches(std::string_view s, std::string_view what) : s_(s), what_(what) {}
  // The first occurrence at or after `from`, or npos.
  std::size_t Next(std::size_t from);
  // Whether a character of s starts at byte i.
  bool StartsChar(std::size_t i);

 private:
  std::string_view s_;
  std::string_view what_;
  std::size_t boundary_ = 0;  // a character start, at or before the bytes asked about so far
};
bool ContainsChars(std::string_view s, std::string_view what);

// s without every such occurrence of what.
std::string RemoveAll(std::string_view s, std::string_view what);

// s without its leading and trailing spaces and control characters (bytes up
// to 0x20, which are never part of a two-byte character).
std::string_view Trim(std::string_view s);
bool IsBlank(std::string_view s);

// Value of a run of ASCII digits. Saturates at kDigitValueLimit, far above any
// year, month, day or count the callers compare it with.
constexpr std::uint64_t kDigitValueLimit = 1'000'000'000'000;
std::uint64_t DigitValue(std::string_view digits);

}  // namespace sjis
