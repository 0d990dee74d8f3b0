#include "encoding/mapstring.h"

#include <utility>

#include "encoding/kanacase.h"
#include "encoding/maptable.h"
#include "encoding/sjis.h"
#include "encoding/widthmap.h"

namespace stringfunc {
namespace {

using charmap::HalfForm;
using charmap::MapTable;

constexpr std::uint32_t kAllFlags = LCMAP_LOWERCASE | LCMAP_UPPERCASE | LCMAP_HIRAGANA |
                                    LCMAP_KATAKANA | LCMAP_HALFWIDTH | LCMAP_FULLWIDTH;

bool AsksForBoth(std::uint32_t flags, std::uint32_t a, std::uint32_t b) {
  return (flags & a) != 0 && (flags & b) != 0;
}

bool IsUsable(std::uint32_t flags) {
  return (flags & kAllFlags) != 0 && !AsksForBoth(flags, LCMAP_LOWERCASE, LCMAP_UPPERCASE) &&
         !AsksForBoth(flags, LCMAP_HIRAGANA, LCMAP_KATAKANA) &&
         !AsksForBoth(flags, LCMAP_HALFWIDTH, LCMAP_FULLWIDTH);
}

// One pass over the text. Each stage keeps a character whose result has no
// Shift-JIS code, so every character reaching the output has one.
class Mapper {
 public:
  Mapper(std::uint32_t flags, std::string_view text)
      : flags_(flags), text_(text), table_(MapTable::Get()) {}

  std::string Run() {
    // Each character at most doubles: a byte becomes a full-width pair, and a
    // pair at most the two bytes of a half-width kana and its mark.
    out_.resize(2 * text_.size());
    end_ = out_.data();
    while (pos_ < text_.size()) {
      const std::size_t len = sjis::CharLen(text_, pos_);
      const char16_t c = UnicodeAt(pos_, len);
      if (c == 0) {
        CopyBytes(len);
      } else {
        pos_ += len;
        MapChar(c);
      }
    }
    out_.resize(static_cast<std::size_t>(end_ - out_.data()));
    return std::move(out_);
  }

 private:
  bool Has(std::uint32_t flag) const { return (flags_ & flag) != 0; }

  char16_t Keep(char16_t from, char16_t to) const { return table_.Has(to) ? to : from; }

  char16_t UnicodeAt(std::size_t i, std::size_t len) const {
    const auto byte = [this](std::size_t k) { return static_cast<unsigned char>(text_[k]); };
    if (!table_.MayMap(byte(i))) return 0;
    return table_.ToUnicode(len == 2 ? static_cast<charmap::SjisCode>(byte(i) << 8 | byte(i + 1))
                                     : byte(i));
  }

  void MapChar(char16_t c) {
    if (Has(LCMAP_FULLWIDTH)) c = ToFullWidth(c);
    c = ToKana(c);
    const HalfForm form = Has(LCMAP_HALFWIDTH) ? ToHalfWidth(c) : HalfForm{c, 0};
    Append(ToCase(form.first));
    if (form.second != 0) Append(ToCase(form.second));
  }

  // Takes the next character too when it is a voiced mark that joins c.
  char16_t ToFullWidth(char16_t c) {
    if (pos_ < text_.size()) {
      const std::size_t len = sjis::CharLen(text_, pos_);
      const char16_t joined = charmap::ComposeHalfKana(c, UnicodeAt(pos_, len));
      if (joined != 0 && table_.Has(joined)) {
        pos_ += len;
        return joined;
      }
    }
    return Keep(c, charmap::FullWidth(c));
  }

  char16_t ToKana(char16_t c) const {
    if (Has(LCMAP_KATAKANA)) return Keep(c, charmap::Katakana(c));
    if (Has(LCMAP_HIRAGANA)) return Keep(c, charmap::Hiragana(c));
    return c;
  }

  HalfForm ToHalfWidth(char16_t c) const {
    const HalfForm form = charmap::HalfWidth(c);
    const bool encodable = table_.Has(form.first) && (form.second == 0 || table_.Has(form.second));
    return encodable ? form : HalfForm{c, 0};
  }

  char16_t ToCase(char16_t c) const {
    if (Has(LCMAP_UPPERCASE)) return Keep(c, charmap::Upper(c));
    if (Has(LCMAP_LOWERCASE)) return Keep(c, charmap::Lower(c));
    return c;
  }

  void CopyBytes(std::size_t len) {
    for (; len > 0; --len) *end_++ = text_[pos_++];
  }

  void Append(char16_t c) {
    const charmap::SjisCode code = table_.ToSjis(c);
    if (code > 0xFF) *end_++ = static_cast<char>(code >> 8);
    *end_++ = static_cast<char>(code & 0xFF);
  }

  const std::uint32_t flags_;
  const std::string_view text_;
  const MapTable& table_;
  std::size_t pos_ = 0;
  std::string out_;
  char* end_ = nullptr;
};

}  // namespace

std::string MapString(std::uint32_t flags, std::string_view s) {
  if (!IsUsable(flags)) return std::string(s);
  return Mapper(flags, s).Run();
}

}  // namespace stringfunc
