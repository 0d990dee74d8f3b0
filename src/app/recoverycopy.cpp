#include "app/recoverycopy.h"

#include <QByteArray>
#include <QFile>

#include <array>
#include <charconv>
#include <cstdint>
#include <ostream>
#include <utility>

namespace {

constexpr std::string_view kMagic = "Zib_Editor recovery copy 1";

constexpr std::array<std::pair<TEncoding, std::string_view>, 5> kEncodings{{
    {TEncoding::ShiftJis, "sjis"},
    {TEncoding::Jis, "jis"},
    {TEncoding::Euc, "euc"},
    {TEncoding::Utf8, "utf8"},
    {TEncoding::Ucs2, "ucs2"},
}};
constexpr std::array<std::pair<TLineEnd, std::string_view>, 3> kLineEnds{{
    {TLineEnd::CrLf, "crlf"},
    {TLineEnd::Lf, "lf"},
    {TLineEnd::Cr, "cr"},
}};

template <typename T, std::size_t N>
std::string_view NameOf(const std::array<std::pair<T, std::string_view>, N>& table, T value) {
  for (const auto& [v, name] : table) {
    if (v == value) return name;
  }
  return table[0].second;
}

template <typename T, std::size_t N>
std::optional<T> ValueOf(const std::array<std::pair<T, std::string_view>, N>& table, std::string_view name) {
  for (const auto& [v, n] : table) {
    if (n == name) return v;
  }
  return std::nullopt;
}

// FNV-1a, 64 bits: enough to tell a damaged text from the one written.
std::uint64_t Checksum(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ULL;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

// A path as bytes on disk, percent-encoded: no byte of it can end the line.
std::string EncodedPath(const QString& path) {
  return QFile::encodeName(path).toPercentEncoding().toStdString();
}

std::string Hex(std::uint64_t v) {
  char buf[17] = {};
  std::to_chars(buf, buf + 16, v, 16);
  std::string s(buf);
  return std::string(16 - s.size(), '0') + s;
}

// The header as written, line by line; each field is taken off in order.
class THeader {
 public:
  explicit THeader(std::string_view bytes) : rest_(bytes) {}

  // The value of the next line, which must carry `key`.
  std::optional<std::string_view> Next(std::string_view key) {
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = rest_.substr(0, end);
    if (!line.starts_with(key)) return std::nullopt;
    line.remove_prefix(key.size());
    if (!line.empty() && line.front() != ' ') return std::nullopt;
    rest_.remove_prefix(end + 1);
    return line.empty() ? line : line.substr(1);
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

template <typename Int>
std::optional<Int> Number(std::string_view s, int base = 10) {
  Int v{};
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty() || s.front() == '+') return std::nullopt;
  return v;
}

std::optional<bool> Flag(std::string_view s) {
  if (s == "0") return false;
  if (s == "1") return true;
  return std::nullopt;
}

std::optional<QString> DecodedPath(std::string_view s, bool mayBeEmpty) {
  const QByteArray bytes = QByteArray::fromPercentEncoding(QByteArray(s.data(), static_cast<qsizetype>(s.size())));
  if ((bytes.isEmpty() && !mayBeEmpty) || bytes.contains('\0')) return std::nullopt;
  return QFile::decodeName(bytes);
}

// "exists link device inode size modified"
std::optional<TFileIdentity> Identity(std::string_view s) {
  std::array<std::string_view, 6> f;
  for (std::size_t i = 0; i < f.size(); ++i) {
    const std::size_t space = s.find(' ');
    if ((space == std::string_view::npos) != (i + 1 == f.size())) return std::nullopt;
    f[i] = s.substr(0, space);
    s = space == std::string_view::npos ? std::string_view() : s.substr(space + 1);
  }
  const auto exists = Flag(f[0]), link = Flag(f[1]);
  const auto device = Number<std::uint64_t>(f[2]), inode = Number<std::uint64_t>(f[3]);
  const auto size = Number<std::int64_t>(f[4]), modified = Number<std::int64_t>(f[5]);
  if (!exists || !link || !device || !inode || !size || *size < 0 || !modified) return std::nullopt;
  TFileIdentity id;
  id.Exists = *exists;
  id.IsLink = *link;
  id.Device = *device;
  id.Inode = *inode;
  id.Size = *size;
  id.ModifiedNs = *modified;
  return id;
}

QString Missing(const char* key) { return QStringLiteral("「%1」の行がないか、値が正しくありません").arg(QLatin1String(key)); }

}  // namespace

void WriteRecoveryCopy(std::ostream& out, const TRecoveryCopy& copy) {
  const TFileOrigin& o = copy.Origin;
  const TFileIdentity& id = o.Identity;
  out << kMagic << '\n'
      << "path " << EncodedPath(copy.Path) << '\n'
      << "encoding " << NameOf(kEncodings, o.Encoding) << '\n'
      << "bom " << o.Bom << '\n'
      << "line-end " << NameOf(kLineEnds, o.LineEnd) << '\n'
      << "cut-at-nul " << o.CutAtNul << '\n'
      << "file " << id.Exists << ' ' << id.IsLink << ' ' << id.Device << ' ' << id.Inode << ' ' << id.Size
      << ' ' << id.ModifiedNs << '\n'
      << "link-target " << EncodedPath(QFile::decodeName(QByteArray::fromStdString(id.Target))) << '\n'
      << "written " << copy.Written.toUTC().toString(Qt::ISODateWithMs).toStdString() << '\n'
      << "text " << copy.Text.size() << ' ' << Hex(Checksum(copy.Text)) << '\n';
  out.write(copy.Text.data(), static_cast<std::streamsize>(copy.Text.size()));
}

std::optional<TRecoveryCopy> ReadRecoveryCopy(std::string_view bytes, QString& why) {
  THeader h(bytes);
  if (!h.Next(kMagic)) {
    why = QStringLiteral("復元用コピーの形式ではありません");
    return std::nullopt;
  }
  TRecoveryCopy copy;
  TFileOrigin& o = copy.Origin;
  const auto fail = [&why](const char* key) {
    why = Missing(key);
    return std::nullopt;
  };
  const auto path = h.Next("path");
  const auto decodedPath = path ? DecodedPath(*path, false) : std::nullopt;
  if (!decodedPath) return fail("path");
  copy.Path = *decodedPath;
  const auto encoding = h.Next("encoding");
  const auto encodingValue = encoding ? ValueOf(kEncodings, *encoding) : std::nullopt;
  if (!encodingValue) return fail("encoding");
  o.Encoding = *encodingValue;
  const auto bom = h.Next("bom");
  if (!bom || !Flag(*bom)) return fail("bom");
  o.Bom = *Flag(*bom);
  const auto lineEnd = h.Next("line-end");
  const auto lineEndValue = lineEnd ? ValueOf(kLineEnds, *lineEnd) : std::nullopt;
  if (!lineEndValue) return fail("line-end");
  o.LineEnd = *lineEndValue;
  const auto cut = h.Next("cut-at-nul");
  if (!cut || !Flag(*cut)) return fail("cut-at-nul");
  o.CutAtNul = *Flag(*cut);
  const auto file = h.Next("file");
  const auto identity = file ? Identity(*file) : std::nullopt;
  if (!identity) return fail("file");
  o.Identity = *identity;
  const auto target = h.Next("link-target");
  const auto targetPath = target ? DecodedPath(*target, true) : std::nullopt;
  if (!targetPath) return fail("link-target");
  o.Identity.Target = QFile::encodeName(*targetPath).toStdString();
  const auto written = h.Next("written");
  if (written) copy.Written = QDateTime::fromString(QString::fromLatin1(*written), Qt::ISODate);
  if (!written || !copy.Written.isValid() || copy.Written.timeSpec() != Qt::UTC) return fail("written");
  const auto text = h.Next("text");
  const std::size_t space = text ? text->find(' ') : std::string_view::npos;
  const auto length = space != std::string_view::npos ? Number<std::uint64_t>(text->substr(0, space)) : std::nullopt;
  const auto checksum =
      space != std::string_view::npos && text->size() == space + 17 ? Number<std::uint64_t>(text->substr(space + 1), 16)
                                                                    : std::nullopt;
  if (!length || !checksum) return fail("text");
  const std::string_view body = h.Rest();
  if (body.size() != *length) {
    why = QStringLiteral("本文が %1 バイトのはずが %2 バイトです").arg(*length).arg(body.size());
    return std::nullopt;
  }
  if (Checksum(body) != *checksum) {
    why = QStringLiteral("本文が書いたときと違います（チェックサムが合いません）");
    return std::nullopt;
  }
  copy.Text = body;
  return copy;
}
