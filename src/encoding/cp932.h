// Code page 932 (Shift-JIS as Windows defines it) <-> UTF-16, through tables
// built once from glibc iconv "CP932".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cp932 {

// Bytes that are no Shift-JIS character become U+FFFD: a lead byte and a
// trail byte (0x40-0x7E, 0x80-0xFC) that form no character give one U+FFFD;
// a lead byte followed by anything else, or by nothing, gives one U+FFFD and
// the next byte is read on its own. 0x80, 0xA0 and 0xFD-0xFF are read as
// Windows reads them (U+0080, U+F8F0-U+F8F3), so they survive a round trip.
// *invalid receives the number of U+FFFD produced.
std::u16string ToUtf16(std::string_view sjis, std::size_t* invalid = nullptr);
// The same into `out`, which has room for sjis.size() units; returns the
// number of units written.
std::size_t ToUtf16(std::string_view sjis, char16_t* out, std::size_t* invalid = nullptr);

// A unit without a Shift-JIS form becomes "?"; so does a surrogate, and a
// surrogate pair gives a single "?". *replaced receives the number of "?"
// produced that way.
std::string FromUtf16(std::u16string_view text, std::size_t* replaced = nullptr);

// The Shift-JIS code of one character: its byte below 0x100, else
// lead << 8 | trail; 0xFFFF when it has none.
std::uint16_t SjisCode(char16_t u);

// The same character as the two-byte code lead, trail (lead 0xF0-0xFC)
// under a lead byte below 0xF0: an IBM extension (leads 0xFA-0xFC) has a
// twin among the JIS X 0208 characters, the NEC special characters or the
// NEC-selected IBM extensions (leads 0xED-0xEE). The lowest such code as
// lead << 8 | trail, or 0 when there is none (user-defined characters,
// unused codes, leads below 0xF0).
std::uint16_t LowerTwin(unsigned char lead, unsigned char trail);

}  // namespace cp932
