#include "app/inifile.h"

#include <cstdint>

#include "app/sjistext.h"
#include "app/wholefile.h"

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view t) { return !t.empty() && t.front() == ';'; }

}  // namespace

TIniFile::TIniFile(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines_.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

TReadResult TIniFile::Load(const QString& path) {
  QByteArray data;
  const TReadResult result = ReadWholeFile(path, data);
  *this = TIniFile(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
  return result;
}

std::string TIniFile::Text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\r\n";
  return out;
}

bool TIniFile::Save(const QString& path, QString* error) const {
  return WriteWholeFile(path, Text(), error);
}

TIniFile::Location TIniFile::Find(const std::string& section, const std::string& key) const {
  Location loc;
  bool inside = false;
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const std::string_view line = lines_[i];
    if (const auto name = SectionName(line)) {
      if (loc.sectionLine >= 0 && inside) break;  // the section ended
      inside = SameName(*name, section);
      if (inside && loc.sectionLine < 0) {
        loc.sectionLine = i;
        loc.sectionEnd = i + 1;
      }
      continue;
    }
    if (!inside || loc.sectionLine < 0) continue;
    const std::string_view t = Trim(line);
    if (t.empty()) continue;
    loc.sectionEnd = i + 1;
    if (IsComment(t) || loc.keyLine >= 0) continue;
    const std::size_t eq = t.find('=');
    if (eq != std::string_view::npos && SameName(Trim(t.substr(0, eq)), key)) loc.keyLine = i;
  }
  return loc;
}

std::optional<QString> TIniFile::Value(const QString& section, const QString& key) const {
  const Location loc = Find(ToSjis(section), ToSjis(key));
  if (loc.keyLine < 0) return std::nullopt;
  const std::string& line = lines_[loc.keyLine];
  std::string_view v = Trim(std::string_view(line).substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return FromSjis(v);
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  return Value(section, key).value_or(def);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  const std::optional<QString> v = Value(section, key);
  if (!v) return def;
  return ParseIniInteger(*v).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  const std::string s = ToSjis(section);
  const std::string k = ToSjis(key);
  const std::string line = k + "=" + ToSjis(value);
  const Location loc = Find(s, k);
  if (loc.keyLine >= 0) {
    lines_[loc.keyLine] = line;
  } else if (loc.sectionLine >= 0) {
    lines_.insert(lines_.begin() + loc.sectionEnd, line);
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + s + "]");
    lines_.push_back(line);
  }
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

std::optional<int> ParseIniInteger(const QString& text) {
  QString t = text.trimmed();
  bool negative = false;
  if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
    negative = t.front() == QLatin1Char('-');
    t.remove(0, 1);
  }
  int base = 10;
  if (t.startsWith(QLatin1Char('$'))) {
    base = 16;
    t.remove(0, 1);
  } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    t.remove(0, 2);
  }
  if (t.isEmpty() || !t.front().isLetterOrNumber()) return std::nullopt;
  bool ok = false;
  const qulonglong magnitude = t.toULongLong(&ok, base);
  if (!ok) return std::nullopt;
  if (base == 16) {
    // Hexadecimal names the 32 bits themselves: $80000008 is negative.
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    const long long bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    const long long value = negative ? -bits : bits;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
  }
  if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
  return negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
}
