// A whole-string converter over glibc iconv.
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

class IconvCodec {
 public:
  IconvCodec(const char* toCode, const char* fromCode);
  ~IconvCodec();
  IconvCodec(const IconvCodec&) = delete;
  IconvCodec& operator=(const IconvCodec&) = delete;

  // False when the system has no converter for this pair of encodings.
  bool Available() const { return cd != reinterpret_cast<iconv_t>(-1); }

  // The converted bytes, or nothing when any part of the input has no form
  // in the target encoding (or the codec is not available).
  std::optional<std::string> Convert(std::string_view in);

 private:
  // One iconv call (a null input flushes the shift state), growing out as needed.
  bool Run(char** inPtr, std::size_t* inLeft, std::string& out, std::size_t& used);

  iconv_t cd;
};
