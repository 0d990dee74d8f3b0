// Byte classes inside a Shift-JIS string, decided by scanning from the
// string's start as the platform's byte-type query does: a byte in the lead
// range may well be the second byte of the character before it.
#pragma once

#include <string_view>

#include "encoding/sjis.h"

enum class TByteKind { Single, Lead, Trail };

// Kind of s[i]; Single for an index past the end.
inline TByteKind ByteKindAt(std::string_view s, std::size_t i) {
  if (i >= s.size()) return TByteKind::Single;
  std::size_t k = 0;
  while (k < i) k += sjis::CharLen(s, k);
  if (k > i) return TByteKind::Trail;
  return sjis::CharLen(s, k) == 2 ? TByteKind::Lead : TByteKind::Single;
}

// The bytes of ASCII words: letters and digits only, not even '_'.
inline bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
