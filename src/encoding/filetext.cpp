#include "encoding/filetext.h"

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
    case TEncoding::Euc: decoded.Text = conv.EucToSjis(bytes); break;
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
  std::size_t crlf = 0, lf = 0, cr = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    const char pair = c == '\r' ? '\n' : '\r';
    if (i + 1 < n && text[i + 1] == pair) {
      crlf += c == '\r';
      ++i;
    } else {
      ++(c == '\r' ? cr : lf);
    }
  }
  if (crlf >= lf && crlf >= cr) return TLineEnd::CrLf;
  return lf >= cr ? TLineEnd::Lf : TLineEnd::Cr;
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
