// Code page 932 codes of the characters that the width, kana and case maps
// change or produce, so that MapString can work on Shift-JIS directly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace charmap {

// One Shift-JIS character: its byte, or lead << 8 | trail.
using SjisCode = std::uint16_t;

class MapTable {
 public:
  static const MapTable& Get();

  // False when no character starting with this byte is in the table: most
  // kanji are passed over without looking at the larger table.
  bool MayMap(unsigned char firstByte) const { return firstBytes_[firstByte]; }

  // 0 for a character no map concerns, and for bytes that form no character.
  char16_t ToUnicode(SjisCode code) const { return toUnicode_[code]; }

  // 0 when c has no Shift-JIS code that reads back as c.
  SjisCode ToSjis(char16_t c) const { return toSjis_[c]; }
  bool Has(char16_t c) const { return toSjis_[c] != 0; }

 private:
  MapTable();
  void Add(char16_t c);

  std::array<bool, 0x100> firstBytes_{};
  std::vector<char16_t> toUnicode_;
  std::vector<SjisCode> toSjis_;
};

}  // namespace charmap
