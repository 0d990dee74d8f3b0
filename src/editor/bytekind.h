// Byte classes inside a Shift-JIS string, decided by scanning from the
// string's start as the platform's byte-type query does: a byte in the lead
// range may well be the second byte of the character before it.
#pragma once

#include <string_view>
#include <vector>

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

// Kinds of the bytes of s up to `upTo`, for many questions about one string.
inline void ClassifyBytes(std::string_view s, std::size_t upTo, std::vector<TByteKind>& kinds) {
  kinds.assign(upTo < s.size() ? upTo : s.size(), TByteKind::Single);
  for (std::size_t i = 0; i < kinds.size(); i += sjis::CharLen(s, i)) {
    if (sjis::CharLen(s, i) == 2) {
      kinds[i] = TByteKind::Lead;
      if (i + 1 < kinds.size()) kinds[i + 1] = TByteKind::Trail;
    }
  }
}

// The bytes of ASCII words: letters and digits only, not even '_'.
inline bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
