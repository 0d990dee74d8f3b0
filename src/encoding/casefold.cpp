#include "encoding/casefold.h"

#include <cstdint>
#include <vector>

#include "encoding/mapstring.h"
#include "encoding/sjis.h"

namespace stringfunc {
namespace {

// Upper-case forms of every one-byte and two-byte character, taken from
// MapString itself so that the two can never disagree.
class UpperTable {
 public:
  static const UpperTable& Get() {
    static const UpperTable table;
    return table;
  }

  unsigned char Single(unsigned char b) const { return single_[b]; }
  // Whether any character with this lead byte changes.
  bool LeadChanges(unsigned char lead) const { return leadChanges_[lead]; }
  std::uint16_t Pair(unsigned char lead, unsigned char trail) const { return pairs_[lead << 8 | trail]; }

 private:
  UpperTable() : pairs_(0x10000) {
    for (int b = 0; b < 0x100; ++b) {
      single_[b] = static_cast<unsigned char>(b);
      if (sjis::IsLeadByte(static_cast<unsigned char>(b))) continue;
      const std::string upper = MapString(LCMAP_UPPERCASE, std::string(1, static_cast<char>(b)));
      if (upper.size() == 1) single_[b] = static_cast<unsigned char>(upper[0]);
    }
    for (int code = 0; code < 0x10000; ++code) {
      const unsigned char lead = static_cast<unsigned char>(code >> 8);
      pairs_[code] = static_cast<std::uint16_t>(code);
      if (!sjis::IsLeadByte(lead)) continue;
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(code & 0xFF)};
      const std::string upper = MapString(LCMAP_UPPERCASE, std::string_view(bytes, 2));
      if (upper.size() != 2) continue;  // a form of another length would move offsets
      const auto mapped = static_cast<std::uint16_t>(static_cast<unsigned char>(upper[0]) << 8 |
                                                     static_cast<unsigned char>(upper[1]));
      if (mapped == code) continue;
      pairs_[code] = mapped;
      leadChanges_[lead] = true;
    }
  }

  unsigned char single_[0x100];
  bool leadChanges_[0x100] = {};
  std::vector<std::uint16_t> pairs_;
};

// The upper-cased bytes of a text, one at a time.
class UpperBytes {
 public:
  explicit UpperBytes(std::string_view s) : s_(s), table_(UpperTable::Get()) {}
  bool AtEnd() const { return pos_ >= s_.size() && !pending_; }
  unsigned char Next() {
    if (pending_) {
      pending_ = false;
      return second_;
    }
    const unsigned char b = static_cast<unsigned char>(s_[pos_]);
    if (sjis::CharLen(s_, pos_) == 1) {
      ++pos_;
      return table_.Single(b);
    }
    const std::uint16_t code = table_.Pair(b, static_cast<unsigned char>(s_[pos_ + 1]));
    pos_ += 2;
    second_ = static_cast<unsigned char>(code & 0xFF);
    pending_ = true;
    return static_cast<unsigned char>(code >> 8);
  }

 private:
  std::string_view s_;
  const UpperTable& table_;
  std::size_t pos_ = 0;
  unsigned char second_ = 0;
  bool pending_ = false;
};

}  // namespace

void AppendUpperCase(std::string_view s, std::string& out) {
  const UpperTable& table = UpperTable::Get();
  const std::size_t start = out.size();
  out.resize(start + s.size());
  char* to = out.data() + start;
  const auto* from = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = from[i];
    if (!sjis::IsLeadByte(b) || i + 1 == n) {
      to[i] = static_cast<char>(table.Single(b));
      ++i;
      continue;
    }
    if (table.LeadChanges(b)) {
      const std::uint16_t code = table.Pair(b, from[i + 1]);
      to[i] = static_cast<char>(code >> 8);
      to[i + 1] = static_cast<char>(code & 0xFF);
    } else {
      to[i] = static_cast<char>(b);
      to[i + 1] = static_cast<char>(from[i + 1]);
    }
    i += 2;
  }
}

std::string UpperCase(std::string_view s) {
  std::string out;
  AppendUpperCase(s, out);
  return out;
}

std::string_view Comparable(std::string_view text, bool ignoreCase, std::string& buffer) {
  if (!ignoreCase) return text;
  buffer.clear();
  AppendUpperCase(text, buffer);
  return buffer;
}

std::string UpperCaseSources(char upper) {
  const UpperTable& table = UpperTable::Get();
  const auto wanted = static_cast<unsigned char>(upper);
  std::string sources;
  for (int b = 0; b < 0x100; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    bool source = table.Single(byte) == wanted;  // a lead byte stands for itself here
    for (int trail = 0; !source && table.LeadChanges(byte) && trail < 0x100; ++trail)
      source = table.Pair(byte, static_cast<unsigned char>(trail)) >> 8 == wanted;
    if (source) sources += static_cast<char>(byte);
  }
  return sources;
}

int CompareUpperCase(std::string_view a, std::string_view b) {
  UpperBytes x(a), y(b);
  while (!x.AtEnd() && !y.AtEnd()) {
    const unsigned char p = x.Next(), q = y.Next();
    if (p != q) return p < q ? -1 : 1;
  }
  if (x.AtEnd() && y.AtEnd()) return 0;
  return x.AtEnd() ? -1 : 1;
}

}  // namespace stringfunc
