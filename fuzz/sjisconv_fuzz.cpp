// JIS, EUC-JP and Shift-JIS -> JIS on any bytes: no crash, no read past the
// input, and output that grows at most linearly.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "encoding/sjisconv.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const TAutoSjisConv conv;
  // Escapes and SO/SI are dropped, and every other byte gives at most one.
  Require(conv.JisToSjis(input).size() <= size);
  Require(conv.EucToSjis(input).size() <= size);
  // Worst case: ESC ( B before every one-byte character, ESC $ B before every pair.
  Require(conv.SjisToJis(input).size() <= 4 * size + 3);
  return 0;
}
