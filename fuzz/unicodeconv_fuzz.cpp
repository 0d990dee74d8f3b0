// UTF-8 and UCS-2 <-> Shift-JIS on any bytes: no crash, no read past the
// input, linear output, and counts that agree with each other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/unicodeconv.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t replaced = 0;
  Require(Utf8ToSjis(input, &replaced).size() <= 2 * size);
  Require(Ucs2ToSjis(input, &replaced).size() <= size);

  // What SjisToUtf8 writes is UTF-8, and exactly its U+FFFD come back as "?".
  std::size_t invalid = 0;
  const std::string utf8 = SjisToUtf8(input, &invalid);
  Require(utf8.size() <= 3 * size);
  const std::string back = Utf8ToSjis(utf8, &replaced);
  Require(back.empty() == input.empty());
  Require(replaced == invalid);

  const std::string ucs2 = SjisToUcs2(input, &invalid);
  Require(ucs2.size() <= 2 * size);
  return 0;
}
