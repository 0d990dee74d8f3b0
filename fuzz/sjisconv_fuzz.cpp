// JIS, EUC-JP and Shift-JIS -> JIS on any bytes: no crash, no read past the
// input, and output that grows at most linearly.
#include <cstddef>
#include <cstdint>
#include <string>
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
  const std::string jis = conv.SjisToJis(input);
  Require(jis.size() <= 4 * size + 3);
  // Inside ESC $ B ... ESC ( B every byte is 7-bit JIS (escapes of the
  // input's own are written as they are, so only input without them tells).
  if (input.find('\x1B') != std::string_view::npos) return 0;
  bool kanji = false;
  for (std::size_t i = 0; i < jis.size(); ++i) {
    const std::string_view rest = std::string_view(jis).substr(i);
    if (rest.starts_with("\x1B$B") || rest.starts_with("\x1B(B")) {
      kanji = rest[1] == '$';
      i += 2;
    } else if (kanji) {
      Require(jis[i] >= 0x21 && jis[i] <= 0x7E);
    }
  }
  return 0;
}
