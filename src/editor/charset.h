// A set of Shift-JIS characters (one- or two-byte), answering membership of
// a whole character in constant time.
#pragma once

#include <bitset>
#include <string_view>

#include "encoding/sjis.h"

class TSjisCharSet {
 public:
  void Assign(std::string_view chars) {
    bits_.reset();
    for (std::size_t i = 0; i < chars.size(); i += sjis::CharLen(chars, i))
      bits_.set(Code(chars.substr(i, sjis::CharLen(chars, i))));
  }
  // `ch` is one character: one byte, or a lead byte and its trail byte.
  bool Contains(std::string_view ch) const { return !ch.empty() && bits_.test(Code(ch)); }

 private:
  static unsigned Code(std::string_view ch) {
    const unsigned first = static_cast<unsigned char>(ch[0]);
    return ch.size() >= 2 ? (first << 8) | static_cast<unsigned char>(ch[1]) : first;
  }
  std::bitset<65536> bits_;
};
