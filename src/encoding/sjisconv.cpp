#include "encoding/sjisconv.h"

#include <utility>

#include "encoding/cp932.h"
#include "encoding/sjis.h"

namespace {

constexpr unsigned char kSO = 0x0E;
constexpr unsigned char kSI = 0x0F;
constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSS2 = 0x8E;
constexpr unsigned char kSS3 = 0x8F;
constexpr std::string_view kToKanji = "\x1B$B";
constexpr std::string_view kToAscii = "\x1B(B";

enum class Mode { ascii, kanji, kana };

struct BytePair {
  char first;
  char second;
};

// JIS X 0208 row j1 and cell j2 to Shift-JIS; odd bytes go through the same
// arithmetic, which is why d is signed and may be negative.
BytePair PairToSjis(int j1, int j2) {
  const int d = (j1 - 0x21) * 94 + (j2 - 0x21);
  int lead = d / 188 + 0x81;
  if (lead > 0x9F) lead += 0x40;
  int trail = d % 188 + 0x40;
  if (trail > 0x7E) ++trail;
  return {static_cast<char>(lead & 0xFF), static_cast<char>(trail & 0xFF)};
}

BytePair PairToJis(unsigned s1, unsigned s2) {
  const unsigned h = (2 * s1) & 0xFF;
  unsigned t = (s2 - 0x1F) & 0xFF;
  if (t < 0x80) t = (t + 0xDE + (t < 0x61 ? 1 : 0)) & 0xFF;
  const unsigned v = (h * 256 + t + 0x1FA1) & 0xFFFF;
  return {static_cast<char>((v >> 8) & 0x7F), static_cast<char>(v & 0x7F)};
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

unsigned ByteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// A three-byte escape that JIS or EUC-JP input may switch modes with.
struct Escape {
  char intermediate;
  char final;
  Mode mode;
};

constexpr Escape kJisEscapes[] = {
    {'$', '@', Mode::kanji}, {'$', 'B', Mode::kanji}, {'(', 'B', Mode::ascii},
    {'(', 'J', Mode::ascii}, {'(', 'H', Mode::ascii}, {'(', 'I', Mode::kana},
};
constexpr Escape kEucEscapes[] = {{'(', 'I', Mode::kana}, {'(', 'J', Mode::ascii}};

// The escape whose two bytes follow the ESC, or null.
template <std::size_t N>
const Escape* FindEscape(const Escape (&escapes)[N], unsigned intermediate, unsigned final) {
  for (const Escape& e : escapes) {
    if (static_cast<unsigned char>(e.intermediate) == intermediate &&
        static_cast<unsigned char>(e.final) == final) {
      return &e;
    }
  }
  return nullptr;
}

bool IsJisByte(unsigned b) { return b >= 0x21 && b <= 0x7E; }
bool IsEucByte(unsigned b) { return b >= 0xA1 && b <= 0xFE; }

// 7-bit kana: 0x21-0x5F stand for the half-width katakana 0xA1-0xDF.
char KanaByte(unsigned b) { return static_cast<char>(b >= 0x21 && b <= 0x5F ? b + 0x80 : b); }

// Appends the Shift-JIS pair, or only its lead when the input ended after j1.
void AppendPair(std::string& out, unsigned j1, unsigned j2, bool cutShort) {
  const BytePair sjis = PairToSjis(static_cast<int>(j1), static_cast<int>(j2));
  out += sjis.first;
  if (!cutShort) out += sjis.second;
}

}  // namespace

std::string TAutoSjisConv::JisToSjis(std::string_view jis) const {
  const std::string_view text = UpToNul(jis);
  const std::size_t n = text.size();
  std::string out;
  out.reserve(n);
  Mode mode = Mode::ascii;
  std::size_t maskedEnd = 0;  // an ESC clears the high bit of the two bytes after it
  std::size_t i = 0;
  while (i < n) {
    const unsigned c = ByteAt(text, i) & 0x7F;
    if (c == kSO || c == kSI) {
      mode = c == kSO ? Mode::kana : Mode::ascii;
      ++i;
    } else if (c == kEsc) {
      maskedEnd = i + 3;
      const Escape* e = i + 2 < n ? FindEscape(kJisEscapes, ByteAt(text, i + 1) & 0x7F,
                                               ByteAt(text, i + 2) & 0x7F)
                                  : nullptr;
      if (e) mode = e->mode;
      else out += static_cast<char>(kEsc);
      i += e ? 3 : 1;
    } else if (mode == Mode::kanji && IsJisByte(c)) {
      // The second byte is taken as it is, unless an ESC just masked it.
      const bool cutShort = i + 1 >= n;
      const unsigned second = cutShort ? 0 : ByteAt(text, i + 1) & (i + 1 < maskedEnd ? 0x7F : 0xFF);
      AppendPair(out, c, second, cutShort);
      i += 2;
    } else {
      out += mode == Mode::kana ? KanaByte(c) : static_cast<char>(c);
      ++i;
    }
  }
  return out;
}

std::string TAutoSjisConv::EucToSjis(std::string_view euc, std::size_t* replaced) const {
  const std::string_view text = UpToNul(euc);
  const std::size_t n = text.size();
  std::string out;
  out.reserve(n);
  bool kana = false;
  std::size_t i = 0;
  while (i < n) {
    const unsigned c = ByteAt(text, i);
    const Escape* e = c == kEsc && i + 2 < n
                          ? FindEscape(kEucEscapes, ByteAt(text, i + 1), ByteAt(text, i + 2))
                          : nullptr;
    if (e) {
      kana = e->mode == Mode::kana;
      i += 3;
    } else if (c == kSO || c == kSI) {
      kana = c == kSO;
      ++i;
    } else if (kana) {
      out += KanaByte(c);
      ++i;
    } else if (c == kSS2 && i + 1 < n && sjis::IsHalfKana(ByteAt(text, i + 1))) {
      out += text[i + 1];
      i += 2;
    } else if (c == kSS3 && i + 2 < n && IsEucByte(ByteAt(text, i + 1)) && IsEucByte(ByteAt(text, i + 2))) {
      // Read as a JIS X 0208 pair it was another character, saved as that.
      out += '?';
      if (replaced) ++*replaced;
      i += 3;
    } else if (IsEucByte(c)) {
      const bool cutShort = i + 1 >= n;
      AppendPair(out, c & 0x7F, cutShort ? 0 : ByteAt(text, i + 1) & 0x7F, cutShort);
      i += 2;
    } else {
      out += static_cast<char>(c & 0x7F);
      ++i;
    }
  }
  return out;
}

namespace {

// Shift-JIS to JIS output, switching between ASCII and kanji mode as needed.
class JisWriter {
 public:
  explicit JisWriter(std::size_t size) { out_.reserve(size + size / 4); }

  void Byte(char b) {
    if (kanji_) out_ += kToAscii;
    kanji_ = false;
    out_ += b;
  }
  void Pair(BytePair jis) {
    if (!kanji_) out_ += kToKanji;
    kanji_ = true;
    out_ += jis.first;
    out_ += jis.second;
  }
  std::string Finish() {
    if (kanji_) out_ += kToAscii;
    return std::move(out_);
  }

 private:
  std::string out_;
  bool kanji_ = false;
};

// A code for lead, trail whose arithmetic JIS form is 7-bit, or 0.
// Leads 0xF0-0xFC have none of their own: an IBM extension is written as
// its twin, which code page 932 maps to the same character.
unsigned SevenBitCode(unsigned lead, unsigned trail) {
  if (lead < 0xF0) return lead << 8 | trail;
  return cp932::LowerTwin(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
}

}  // namespace

std::string TAutoSjisConv::SjisToJis(std::string_view sjis, std::size_t* replaced) const {
  JisWriter out(sjis.size());
  std::size_t missing = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    const unsigned b = ByteAt(sjis, i);
    if (!sjis::IsLeadByte(b)) {
      out.Byte(sjis[i++]);
      continue;
    }
    // A lead byte without a trail byte stands alone: what follows it is
    // read on its own, so a line end after it stays a line end.
    const bool paired = i + 1 < sjis.size() && sjis::IsTrailByte(ByteAt(sjis, i + 1));
    const unsigned code = paired ? SevenBitCode(b, ByteAt(sjis, i + 1)) : 0;
    if (code != 0) {
      out.Pair(PairToJis(code >> 8, code & 0xFF));
    } else {
      out.Byte('?');
      ++missing;
    }
    i += paired ? 2 : 1;
  }
  if (replaced) *replaced = missing;
  return out.Finish();
}
