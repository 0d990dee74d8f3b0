#include "encoding/detect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "encoding/cp932.h"
#include "encoding/sjis.h"
#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

constexpr std::size_t kWholeLimit = 1 << 20;
constexpr std::size_t kHeadBytes = 256 << 10;
constexpr std::size_t kWindowBytes = 16 << 10;
constexpr std::size_t kWindows = 32;

unsigned ByteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// ---- Sampling

// The parts of the input that are looked at. `units` start at even
// offsets, for UCS-2. `chars` start and end just after a byte below 0x40,
// which no character of Shift-JIS, EUC-JP or UTF-8 has in its middle, so
// that none is cut in two.
struct TSample {
  std::vector<std::string_view> units;
  std::vector<std::string_view> chars;
};

bool IsCharBoundary(unsigned b) { return b < 0x40; }

std::string_view WholeChars(std::string_view bytes, std::size_t offset, std::size_t length) {
  std::size_t begin = offset, end = offset + length;
  if (begin > 0) {
    while (begin < end && !IsCharBoundary(ByteAt(bytes, begin - 1))) ++begin;
  }
  if (end < bytes.size()) {
    while (end > begin && !IsCharBoundary(ByteAt(bytes, end - 1))) --end;
  }
  return bytes.substr(begin, end - begin);
}

TSample Sample(std::string_view bytes) {
  if (bytes.size() <= kWholeLimit) return TSample{{bytes}, {bytes}};
  TSample sample;
  const auto add = [&](std::size_t offset, std::size_t length) {
    sample.units.push_back(bytes.substr(offset, length));
    const std::string_view chars = WholeChars(bytes, offset, length);
    if (!chars.empty()) sample.chars.push_back(chars);
  };
  add(0, kHeadBytes);
  const std::size_t span = bytes.size() - kWindowBytes;
  for (std::size_t i = 1; i <= kWindows; ++i) add(span * i / kWindows & ~std::size_t{1}, kWindowBytes);
  return sample;
}

// ---- Bytes

struct TByteCounts {
  std::size_t total = 0;
  std::size_t nul = 0;
  std::size_t controls = 0;  // below space, other than the ones text uses
  std::size_t high = 0;      // 0x80 and above
  std::size_t halfKana = 0;  // 0xA1-0xDF
};

// TAB, LF, FF, CR, SO, SI and ESC are at home in text (SO, SI and ESC in JIS).
bool IsTextControl(unsigned b) {
  return b == '\t' || b == '\n' || b == '\f' || b == '\r' || b == 0x0E || b == 0x0F || b == 0x1B;
}

TByteCounts CountBytes(const TSample& sample) {
  TByteCounts n;
  for (const std::string_view part : sample.units) {
    n.total += part.size();
    for (const char c : part) {
      const unsigned b = static_cast<unsigned char>(c);
      n.nul += b == 0;
      n.controls += (b < 0x20 && b != 0 && !IsTextControl(b)) || b == 0x7F;
      n.high += b >= 0x80;
      n.halfKana += b >= 0xA1 && b <= 0xDF;
    }
  }
  return n;
}

// An escape that switches ISO-2022-JP to kanji or to half-width katakana.
bool HasJisEscape(const TSample& sample) {
  for (const std::string_view part : sample.units) {
    for (const std::string_view escape : {"\x1B$B", "\x1B$@", "\x1B(I"}) {
      if (part.find(escape) != std::string_view::npos) return true;
    }
  }
  return false;
}

// ---- Characters

// How typical of Japanese text a character is, by its place in code page
// 932: kana and the common punctuation most, first-level kanji more than
// second-level ones, and so on down to bytes that are no character.
constexpr int kTypical = 2;    // kana, Japanese punctuation
constexpr int kCommon = 1;     // first-level kanji, full-width letters, half-width katakana
constexpr int kNeutral = 0;    // ASCII, symbols, second-level kanji, NEC special characters
constexpr int kForeign = -1;   // Greek, Cyrillic, box drawing, IBM extensions, Latin-1 letters
constexpr int kUnlikely = -3;  // characters outside code page 932
constexpr int kPrivate = -5;   // user-defined characters
constexpr int kInvalid = -8;   // no character: undecodable bytes, controls

struct TCodeRange {
  std::uint16_t first, last;
  int weight;
};

// Ranges of two-byte codes; codes in none of them are symbols (kNeutral).
constexpr TCodeRange kCodeWeights[] = {
    {0x8141, 0x8152, kTypical},  // 、。，．・：；？！゛゜´｀¨＾￣＿
    {0x8158, 0x815B, kTypical},  // 々〆〇ー
    {0x8163, 0x817A, kTypical},  // …‥ quotes and brackets
    {0x824F, 0x829A, kCommon},   // full-width digits and letters
    {0x829F, 0x82F1, kTypical},  // hiragana
    {0x8340, 0x8396, kTypical},  // katakana
    {0x839F, 0x84BE, kForeign},  // Greek, Cyrillic, box drawing
    {0x889F, 0x9872, kCommon},   // first-level kanji
    {0xED40, 0xEEFC, kForeign},  // NEC-selected IBM extensions
    {0xF040, 0xF9FC, kPrivate},  // user-defined
    {0xFA40, 0xFC4B, kForeign},  // IBM extensions
};

int WeightOfCode(std::uint16_t code) {
  if (code < 0x80) return (code >= 0x20 && code < 0x7F) || IsTextControl(code) ? kNeutral : kInvalid;
  if (code < 0x100) {
    if (code >= 0xA6 && code <= 0xDF) return kCommon;           // half-width katakana
    return code >= 0xA1 && code <= 0xA5 ? kNeutral : kInvalid;  // ｡｢｣､･
  }
  for (const TCodeRange& r : kCodeWeights) {
    if (code >= r.first && code <= r.last) return r.weight;
  }
  return kNeutral;
}

// Characters without a Shift-JIS form come from the other encodings.
int WeightOutsideCp932(char16_t u) {
  if (u < 0xA0 || u == 0xFFFD) return kInvalid;
  if (u <= 0xFF || (u >= 0x4E00 && u <= 0x9FFF)) return kForeign;
  if (u >= 0xD800 && u <= 0xDFFF) return kNeutral;  // from UTF-8 beyond U+FFFF, such as emoji
  if (u >= 0xE000 && u <= 0xF8FF) return kPrivate;
  return kUnlikely;
}

// What the text looks like read in one encoding.
struct TReading {
  bool decodes = true;         // false: the bytes are no text in this encoding
  std::size_t units = 0;       // characters, ASCII included
  std::size_t chars = 0;       // characters beyond ASCII
  std::size_t typical = 0;
  std::size_t unlikely = 0;    // unlikely, private or invalid
  std::size_t invalid = 0;
  std::size_t doubleByte = 0;  // characters of two bytes in Shift-JIS, but IBM extensions
  std::size_t upperLead = 0;   // of them, those with a lead byte from 0xE0
  long long score = 0;         // sum of the weights

  void Add(std::u16string_view text) {
    for (const char16_t u : text) {
      ++units;
      const std::uint16_t code = cp932::SjisCode(u);
      const bool inCp932 = code != 0xFFFF;
      const int w = inCp932 ? WeightOfCode(code) : WeightOutsideCp932(u);
      if (u < 0x80 && w == kNeutral) continue;
      ++chars;
      score += w;
      typical += w == kTypical;
      unlikely += w <= kUnlikely;
      invalid += w == kInvalid;
      // IBM extensions count for neither: no UTF-8 or EUC-JP text read as
      // Shift-JIS gives their lead bytes 0xFA-0xFC.
      const bool misreadable = inCp932 && code >= 0x100 && code < 0xFA00;
      doubleByte += misreadable;
      upperLead += misreadable && code >= 0xE000;
    }
  }
  bool Clean() const { return decodes && invalid == 0; }
  // Text in another encoding read as Shift-JIS gives characters of the upper
  // lead bytes (rare kanji, extensions, user-defined ones) between half-width
  // katakana. Real text has kana or common kanji beside them.
  bool OnlyRareDoubleBytes() const { return doubleByte > 0 && doubleByte == upperLead; }
};

// A lead byte cut short by the end of the input is no fault of the text.
TReading ReadShiftJis(const TSample& sample) {
  TReading r;
  for (const std::string_view part : sample.chars) {
    std::u16string text = cp932::ToUtf16(part);
    if (!part.empty() && sjis::IsLeadByte(static_cast<unsigned char>(part.back())) && text.back() == u'\uFFFD') {
      text.pop_back();
    }
    r.Add(text);
  }
  return r;
}

TReading ReadUtf8(const TSample& sample) {
  TReading r;
  for (const std::string_view part : sample.chars) {
    const std::optional<std::u16string> text = Utf8ToUtf16(part);
    if (!text) return TReading{.decodes = false};
    r.Add(*text);
  }
  return r;
}

// ASCII, pairs of bytes in 0xA1-0xFE, SS2 with a half-width katakana byte,
// and SS3 with a pair.
bool IsEucJp(std::string_view text) {
  const std::size_t n = text.size();
  const auto inRange = [&](std::size_t i, unsigned low, unsigned high) {
    return i < n && ByteAt(text, i) >= low && ByteAt(text, i) <= high;
  };
  for (std::size_t i = 0; i < n;) {
    const unsigned b = ByteAt(text, i);
    if (b < 0x80) {
      ++i;
    } else if (b == 0x8E && inRange(i + 1, 0xA1, 0xDF)) {
      i += 2;
    } else if (b == 0x8F && inRange(i + 1, 0xA1, 0xFE) && inRange(i + 2, 0xA1, 0xFE)) {
      i += 3;
    } else if (inRange(i, 0xA1, 0xFE) && inRange(i + 1, 0xA1, 0xFE)) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

// As the EUC-JP open command would show it.
TReading ReadEucJp(const TSample& sample) {
  TReading r;
  const TAutoSjisConv conv;
  for (const std::string_view part : sample.chars) {
    if (!IsEucJp(part)) return TReading{.decodes = false};
    r.Add(cp932::ToUtf16(conv.EucToSjis(part)));
  }
  return r;
}

TReading ReadUcs2(const TSample& sample) {
  TReading r;
  std::u16string text;
  for (const std::string_view part : sample.units) {
    text.resize(part.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(ByteAt(part, 2 * i) | ByteAt(part, 2 * i + 1) << 8);
    }
    r.Add(text);
  }
  return r;
}

// Text, not numbers that happen to have zero bytes in every other place.
bool LooksLikeUcs2(const TReading& r) { return r.units > 0 && r.unlikely * 50 <= r.units && r.score >= 0; }

// Valid UTF-8 beyond ASCII is rarely valid Shift-JIS as well; when it is,
// the better reading wins, a tie going to UTF-8.
bool BetterAsUtf8(const TReading& utf8, const TReading& sjis) {
  if (!utf8.decodes || utf8.chars == 0) return false;
  if (!sjis.Clean()) return true;
  return utf8.score > 0 && (sjis.OnlyRareDoubleBytes() || utf8.score >= sjis.score);
}

// Read as Shift-JIS, EUC-JP is half-width katakana, with a character of
// lead byte 0x8E, 0x8F or from 0xE0 wherever such a byte comes first. Text
// of half-width katakana alone is real Shift-JIS and reads better so; two
// such characters beside them make EUC-JP that reads nearly as well the
// likelier one.
bool BetterAsEucJp(const TReading& euc, const TReading& sjis) {
  if (!euc.decodes || euc.chars < 2 || euc.score <= 0) return false;
  if (!sjis.Clean()) return true;
  if (sjis.doubleByte > 1) return 4 * euc.score >= 3 * sjis.score;
  if (sjis.doubleByte == 1) return euc.score > sjis.score;
  return euc.typical > 1 && euc.score > sjis.score;
}

// Kanji and kana alone in UCS-2 have no zero byte, and many of their bytes
// are ASCII: Shift-JIS reads them without fault, but not well.
bool BetterAsUcs2(const TReading& ucs2, const TReading& sjis) {
  return LooksLikeUcs2(ucs2) && (!sjis.Clean() || ucs2.score > sjis.score);
}

// Another encoding is named only when it reads better than Shift-JIS.
TDetected DetectText(const TSample& sample) {
  const TReading sjis = ReadShiftJis(sample);
  if (BetterAsUtf8(ReadUtf8(sample), sjis)) return TDetected::Utf8;
  if (BetterAsEucJp(ReadEucJp(sample), sjis)) return TDetected::Euc;
  if (BetterAsUcs2(ReadUcs2(sample), sjis)) return TDetected::Ucs2;
  // A few bad bytes in Shift-JIS text, or no text at all.
  return sjis.invalid * 50 <= sjis.chars ? TDetected::ShiftJis : TDetected::Binary;
}

}  // namespace

TDetected DetectEncoding(std::string_view bytes) {
  if (bytes.empty()) return TDetected::Ascii;
  if (bytes.starts_with("\xEF\xBB\xBF")) return TDetected::Utf8;
  if (bytes.starts_with("\xFF\xFE")) return TDetected::Ucs2;
  const TSample sample = Sample(bytes);
  const TByteCounts n = CountBytes(sample);
  if (n.nul > 0) return LooksLikeUcs2(ReadUcs2(sample)) ? TDetected::Ucs2 : TDetected::Binary;
  // JIS writes half-width katakana as raw bytes, and nothing else above 0x7F.
  if (HasJisEscape(sample) && n.high == n.halfKana) return TDetected::Jis;
  if (n.high == 0) return n.controls * 100 > n.total ? TDetected::Binary : TDetected::Ascii;
  return DetectText(sample);
}

std::string_view DetectedName(TDetected detected) {
  switch (detected) {
    case TDetected::ShiftJis: return "sjis";
    case TDetected::Jis: return "jis";
    case TDetected::Euc: return "euc";
    case TDetected::Utf8: return "utf8";
    case TDetected::Ucs2: return "ucs2";
    case TDetected::Ascii: return "ascii";
    case TDetected::Binary: break;
  }
  return "binary";
}
