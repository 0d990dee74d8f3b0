#include "app/textlist.h"

#include "app/wholefile.h"

TStringList SplitLines(std::string_view text) {
  TStringList list;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    list.emplace_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return list;
}

TReadResult LoadList(const QString& path, TStringList& list) {
  QByteArray data;
  const TReadResult result = ReadWholeFile(path, data);
  list = SplitLines(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
  return result;
}

bool SaveList(const QString& path, const TStringList& list, QString* error) {
  std::string text;
  for (const std::string& entry : list) text += entry + "\r\n";
  return WriteWholeFile(path, text, error);
}
