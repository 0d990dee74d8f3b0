// An INI file of "[section]" and "key=value" lines in Shift-JIS, kept line
// by line so that a rewrite changes only the keys written: unknown keys,
// comments and the order of everything else survive. Section and key names
// match without regard to ASCII letter case; the first of two equal keys
// counts.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/readwhole.h"

class TIniFile {
 public:
  TIniFile() = default;
  explicit TIniFile(std::string_view sjisText);

  // Anything but Read leaves the contents empty.
  TReadResult Load(const QString& path);
  // Replaces the file in one step; false (and *error) when it cannot.
  bool Save(const QString& path, QString* error = nullptr) const;
  // Lines ended by CR LF.
  std::string Text() const;

  // The value with surrounding blanks and one pair of enclosing quotes
  // removed; nothing when the key is missing.
  std::optional<QString> Value(const QString& section, const QString& key) const;
  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  // Decimal with an optional sign, or "$" / "0x" hexadecimal, in 32 bits;
  // anything else gives def.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  // True for any non-zero integer.
  bool ReadBool(const QString& section, const QString& key, bool def) const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);

 private:
  struct Location {
    int sectionLine = -1;  // the "[section]" line, -1 when there is none
    int sectionEnd = 0;    // one past its last non-blank line
    int keyLine = -1;
  };
  Location Find(const std::string& section, const std::string& key) const;

  std::vector<std::string> lines_;
};

// Parses an integer as TIniFile::ReadInteger does.
std::optional<int> ParseIniInteger(const QString& text);
