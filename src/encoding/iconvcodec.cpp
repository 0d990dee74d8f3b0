#include "encoding/iconvcodec.h"

#include <cerrno>

IconvCodec::IconvCodec(const char* toCode, const char* fromCode)
    : cd(iconv_open(toCode, fromCode)) {}

IconvCodec::~IconvCodec() {
  if (Available()) iconv_close(cd);
}

std::optional<std::string> IconvCodec::Convert(std::string_view in) {
  if (!Available()) return std::nullopt;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // forget any earlier shift state
  std::string out(in.size() * 2 + 16, '\0');
  std::size_t used = 0;
  char* inPtr = const_cast<char*>(in.data());  // iconv never writes through it
  std::size_t inLeft = in.size();
  // The second call closes stateful targets (ISO-2022-JP) with a return to ASCII.
  if (!Run(&inPtr, &inLeft, out, used) || !Run(nullptr, nullptr, out, used)) return std::nullopt;
  out.resize(used);
  return out;
}

bool IconvCodec::Run(char** inPtr, std::size_t* inLeft, std::string& out, std::size_t& used) {
  for (;;) {
    char* outPtr = out.data() + used;
    std::size_t outLeft = out.size() - used;
    const std::size_t rc = iconv(cd, inPtr, inLeft, &outPtr, &outLeft);
    used = out.size() - outLeft;
    if (rc != static_cast<std::size_t>(-1)) return true;
    if (errno != E2BIG) return false;
    out.resize(out.size() * 2);
  }
}
