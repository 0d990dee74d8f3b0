// A recovery copy: the text of a modified document, as its save would write
// it, with what its window knows of the file behind it, in one file that
// tells when it is incomplete or damaged.
#pragma once

#include <QDateTime>
#include <QString>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/fileorigin.h"

struct TRecoveryCopy {
  QString Path;        // the document's caption
  TFileOrigin Origin;  // encoding, line ends, and the file as it was at load or last save
  QDateTime Written;   // when the copy was taken
  std::string Text;    // Shift-JIS, CR LF line ends
};

// A header of "key value" lines, then the text with its length and checksum.
void WriteRecoveryCopy(std::ostream& out, const TRecoveryCopy& copy);

// The copy in `bytes`. Nothing, and in `why` what is wrong, when a field is
// missing or out of its range, or the text is shorter or longer than the
// header says or does not match its checksum.
std::optional<TRecoveryCopy> ReadRecoveryCopy(std::string_view bytes, QString& why);
