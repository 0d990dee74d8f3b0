#include "encoding/filetext.h"

#include <cstring>

#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

std::string_view BomOf(TEncoding encoding) {
  if (encoding == TEncoding::Utf8) return "\xEF\xBB\xBF";
  if (encoding == TEncoding::Ucs2) return "\xFF\xFE";
  return {};
}

// The offset of the first NUL byte, for UCS-2 of the first zero unit.
std::size_t NulOffset(std::string_view bytes, TEncoding encoding) {
  if (encoding != TEncoding::Ucs2) return bytes.find('\0');
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == 0 && bytes[i + 1] == 0) return i;
  }
  return std::string_view::npos;
}

bool ConversionEndsAtNul(TEncoding encoding) {
  return encoding == TEncoding::Jis || encoding == TEncoding::Euc || encoding == TEncoding::Ucs2;
}

// Line ends counted as the loader pairs them: a CR and an LF next to each
// other, in either order, end one line, unless the first already ends one
// with the character before it. An LF CR counts for no style.
class TLineEndCount {
 public:
  // The CRs and LFs of a text, in order.
  void Add(std::size_t at, char c) {
    if (pending_ && at == pendingAt_ + 1 && c != pendingChar_) {
      crlf += pendingChar_ == '\r';
      pending_ = false;
      return;
    }
    Settle();
    pending_ = true;
    pendingAt_ = at;
    pendingChar_ = c;
  }
  // The last one alone, at the end of the text.
  void Settle() {
    if (pending_) ++(pendingChar_ == '\r' ? cr : lf);
    pending_ = false;
  }

  std::size_t crlf = 0, lf = 0, cr = 0;

 private:
  bool pending_ = false;  // a CR or LF not yet known to be alone
  std::size_t pendingAt_ = 0;
  char pendingChar_ = 0;
};

}  // namespace

TDecodedText DecodeText(std::string_view bytes, TEncoding from, bool nulEndsText) {
  TDecodedText decoded;
  const std::string_view bom = BomOf(from);
  if (!bom.empty() && bytes.starts_with(bom)) {
    bytes.remove_prefix(bom.size());
    decoded.Bom = true;
  }
  const std::size_t nul = NulOffset(bytes, from);
  if (nul != std::string_view::npos && (nulEndsText || ConversionEndsAtNul(from))) {
    bytes = bytes.substr(0, nul);
    decoded.CutAtNul = true;
  }
  const TAutoSjisConv conv;
  switch (from) {
    case TEncoding::ShiftJis: decoded.Text = bytes; break;
    case TEncoding::Jis: decoded.Text = conv.JisToSjis(bytes); break;
    case TEncoding::Euc: decoded.Text = conv.EucToSjis(bytes, &decoded.Replaced); break;
    case TEncoding::Utf8:
      decoded.Text = Utf8ToSjis(bytes, &decoded.Replaced);
      decoded.Malformed = decoded.Text.empty() && !bytes.empty();
      break;
    case TEncoding::Ucs2: decoded.Text = Ucs2ToSjis(bytes, &decoded.Replaced); break;
  }
  return decoded;
}

TEncodedText EncodeText(std::string_view sjis, TEncoding to, bool bom) {
  TEncodedText encoded;
  switch (to) {
    case TEncoding::Jis: encoded.Bytes = TAutoSjisConv().SjisToJis(sjis, &encoded.Lost); break;
    case TEncoding::Utf8: encoded.Bytes = SjisToUtf8(sjis, &encoded.Lost); break;
    case TEncoding::Ucs2: encoded.Bytes = SjisToUcs2(sjis, &encoded.Lost); break;
    case TEncoding::ShiftJis:
    case TEncoding::Euc: encoded.Bytes = sjis; break;
  }
  if (bom) encoded.Bytes.insert(0, BomOf(to));
  return encoded;
}

TLineEnd MostUsedLineEnd(std::string_view text) {
  TLineEndCount count;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  // memchr finds them many times faster than a look at every byte.
  for (const char* p = begin; p < end;) {
    const char* const lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* const stop = lf ? lf : end;
    for (const char* cr = p; (cr = static_cast<const char*>(std::memchr(cr, '\r', static_cast<std::size_t>(stop - cr))));
         ++cr) {
      count.Add(static_cast<std::size_t>(cr - begin), '\r');
    }
    if (!lf) break;
    count.Add(static_cast<std::size_t>(lf - begin), '\n');
    p = lf + 1;
  }
  count.Settle();
  if (count.crlf >= count.lf && count.crlf >= count.cr) return TLineEnd::CrLf;
  return count.lf >= count.cr ? TLineEnd::Lf : TLineEnd::Cr;
}

std::string_view LineEndBytes(TLineEnd style) {
  switch (style) {
    case TLineEnd::Lf: return "\n";
    case TLineEnd::Cr: return "\r";
    case TLineEnd::CrLf: break;
  }
  return "\r\n";
}

std::string WithLineEnds(std::string_view crlfText, TLineEnd style) {
  if (style == TLineEnd::CrLf) return std::string(crlfText);
  const char end = LineEndBytes(style)[0];
  std::string out;
  out.reserve(crlfText.size());
  std::size_t from = 0;
  for (std::size_t at; (at = crlfText.find("\r\n", from)) != std::string_view::npos; from = at + 2) {
    out.append(crlfText, from, at - from);
    out += end;
  }
  out.append(crlfText, from);
  return out;
}
