// A file's bytes as the editor's Shift-JIS text and back, in each encoding
// the editor reads or writes: where the text starts (after a byte-order
// mark), where it ends (at a NUL), and what the conversion could not keep.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class TEncoding { ShiftJis, Jis, Euc, Utf8, Ucs2 };

// How a file's lines end. The editor's text always ends them with CR LF;
// a file's own style is kept so that saving writes it back.
enum class TLineEnd { CrLf, Lf, Cr };

// The style most of the text's lines end with, pairing CR LF and LF CR as
// the editor's loader does (an LF CR, which no style writes, counts for
// none). CR LF for a text without line ends; a tie goes to CR LF, then LF.
TLineEnd MostUsedLineEnd(std::string_view text);

// "\r\n", "\n" or "\r".
std::string_view LineEndBytes(TLineEnd style);

// A text whose lines end with CR LF, as the editor gives it, with each CR LF
// written in the style instead.
std::string WithLineEnds(std::string_view crlfText, TLineEnd style);

struct TDecodedText {
  std::string Text;          // Shift-JIS
  bool Malformed = false;    // UTF-8 input that is no UTF-8: Text is empty
  bool Bom = false;          // a leading byte-order mark was skipped
  bool CutAtNul = false;     // a NUL (UCS-2: a zero unit) ended the text early
  std::size_t Replaced = 0;  // characters without a Shift-JIS form, now "?"
};

// A leading mark (UTF-8 EF BB BF, UCS-2 FF FE) is no text and is skipped.
// JIS, EUC-JP and UCS-2 text ends at its first NUL (UCS-2: its first zero
// unit); with `nulEndsText` Shift-JIS and UTF-8 end there too, as the
// editor reads files, else a NUL is a character of theirs.
TDecodedText DecodeText(std::string_view bytes, TEncoding from, bool nulEndsText);

struct TEncodedText {
  std::string Bytes;
  // JIS: characters without a 7-bit form, written as "?". UTF-8 and UCS-2:
  // invalid Shift-JIS sequences, written as U+FFFD.
  std::size_t Lost = 0;
};

// `bom` puts a byte-order mark before UTF-8 and UCS-2 and nothing before the
// others. EUC-JP is only ever read: asked for, the text stays Shift-JIS.
TEncodedText EncodeText(std::string_view sjis, TEncoding to, bool bom);
