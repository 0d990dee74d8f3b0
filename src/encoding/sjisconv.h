// JIS (ISO-2022-JP) and EUC-JP <-> Shift-JIS, by arithmetic on the JIS X 0208
// row and cell. Malformed input is converted byte by byte, never rejected.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TAutoSjisConv {
 public:
  // Reads up to the first NUL. Bytes are read as 7-bit; ESC $ @, ESC $ B
  // switch to kanji, ESC ( B, ESC ( J, ESC ( H and SI to ASCII, ESC ( I and
  // SO to half-width kana; any other ESC is kept. A kanji pair cut short by
  // the end gives its lead byte alone.
  std::string JisToSjis(std::string_view jis) const;

  // Reads up to the first NUL. SS2 + kana byte gives that byte; SS3 + pair
  // (JIS X 0212, which Shift-JIS cannot hold) gives "?", counted in
  // *replaced; any byte in 0xA1-0xFE starts a pair; other bytes lose their
  // high bit. ESC ( I / SO and ESC ( J / SI switch a 7-bit kana mode on and off.
  // A pair cut short by the end gives its lead byte alone.
  std::string EucToSjis(std::string_view euc, std::size_t* replaced = nullptr) const;

  // Kanji runs are wrapped in ESC $ B ... ESC ( B; one-byte characters, half-
  // width kana included, are written as they are. Everything inside the
  // escapes is 7-bit: an IBM extension (leads 0xFA-0xFC) is written as its
  // twin of code page 932 (mostly the NEC-selected one, leads 0xED-0xEE);
  // a character that still has no 7-bit form (user-defined, leads
  // 0xF0-0xF9) and a lead byte without its trail byte become "?", counted
  // in *replaced. Nothing after them shifts.
  std::string SjisToJis(std::string_view sjis, std::size_t* replaced = nullptr) const;
};
