#include "app/convtext.h"

#include <array>
#include <cstdint>

#include "encoding/mapstring.h"
#include "encoding/sjis.h"
#include "encoding/stringfunc.h"

namespace {

// The characters "全角英数字→ 半角" converts all start with 0x81 or 0x82:
// "０"-"９" 824F-8258, "Ａ"-"Ｚ" 8260-8279, "ａ"-"ｚ" 8281-829A, and the signs
// ＿ ＋ ― ＝ ￥ ＆ ％ ＄ ＃ ？ ！.
constexpr unsigned kFirstLead = 0x81;
constexpr std::uint16_t kSigns[] = {0x8151, 0x817B, 0x815C, 0x8181, 0x818F, 0x8195,
                                    0x8193, 0x8190, 0x8194, 0x8148, 0x8149};

// Half-width forms by code, empty for a character that stays. Built once
// with MapString, so that both ways of converting agree.
class AlnumTable {
 public:
  static const AlnumTable& Get() {
    static const AlnumTable table;
    return table;
  }

  // Null when the two-byte character lead, trail stays as it is.
  const std::string* Half(unsigned char lead, unsigned char trail) const {
    const unsigned index = (lead - kFirstLead) << 8 | trail;
    if (lead < kFirstLead || index >= half_.size() || half_[index].empty()) return nullptr;
    return &half_[index];
  }

 private:
  AlnumTable() {
    for (std::uint16_t code = 0x824F; code <= 0x8258; ++code) Add(code);
    for (std::uint16_t code = 0x8260; code <= 0x8279; ++code) Add(code);
    for (std::uint16_t code = 0x8281; code <= 0x829A; ++code) Add(code);
    for (const std::uint16_t code : kSigns) Add(code);
  }
  void Add(std::uint16_t code) {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    half_[code - (kFirstLead << 8)] = stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH, {bytes, 2});
  }

  std::array<std::string, 0x200> half_;
};

}  // namespace

std::string AlnumToHalfWidth(std::string_view s) {
  const AlnumTable& table = AlnumTable::Get();
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = sjis::CharLen(s, i);
    const std::string* half =
        len == 2 ? table.Half(static_cast<unsigned char>(s[i]), static_cast<unsigned char>(s[i + 1])) : nullptr;
    if (half) {
      out += *half;
    } else {
      out.append(s, i, len);
    }
    i += len;
  }
  return out;
}

std::string ReplaceChars(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s.compare(i, from.size(), from) == 0) {
      out += to;
      i += from.size();
    } else {
      const std::size_t len = sjis::CharLen(s, i);
      out.append(s, i, len);
      i += len;
    }
  }
  return out;
}

std::string Enclose(std::string_view s, std::string_view opening, std::string_view closing) {
  const auto [lineEnd, body] = stringfunc::SplitLineEnd(s);
  std::string out;
  out.reserve(opening.size() + s.size() + closing.size());
  return out.append(opening).append(body).append(closing).append(lineEnd);
}
