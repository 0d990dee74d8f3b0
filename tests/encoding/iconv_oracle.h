// glibc iconv as the reference the conversions are checked against.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "encoding/iconvcodec.h"

inline std::string ToLeBytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

inline std::u16string FromLeBytes(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

class IconvOracle {
 public:
  explicit IconvOracle(const char* charset)
      : decoder("UTF-16LE", charset), encoder(charset, "UTF-16LE") {}

  std::optional<std::u16string> Decode(std::string_view bytes) {
    const std::optional<std::string> le = decoder.Convert(bytes);
    if (!le) return std::nullopt;
    return FromLeBytes(*le);
  }

  std::optional<std::string> Encode(std::u16string_view text) {
    return encoder.Convert(ToLeBytes(text));
  }

 private:
  IconvCodec decoder;
  IconvCodec encoder;
};
