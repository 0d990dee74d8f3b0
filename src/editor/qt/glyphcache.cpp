#include "editor/qt/glyphcache.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>

#include "encoding/cp932.h"

namespace {

unsigned CodeOf(std::string_view ch) {
  const unsigned first = static_cast<unsigned char>(ch[0]);
  return ch.size() >= 2 ? (first << 8) | static_cast<unsigned char>(ch[1]) : first;
}

}  // namespace

TGlyphCache::TGlyphCache(const QFont& font)
    : font_(font), ascent_(QFontMetricsF(font).ascent()), glyphs_(65536), known_(65536, false) {
  fonts_.push_back(QRawFont::fromFont(font));
}

const TGlyphCache::Glyph& TGlyphCache::Lookup(std::string_view ch) {
  const unsigned code = CodeOf(ch);
  if (!known_[code]) {
    glyphs_[code] = Resolve(ch);
    known_[code] = true;
  }
  return glyphs_[code];
}

TGlyphCache::Glyph TGlyphCache::Resolve(std::string_view ch) {
  const std::u16string utf16 = cp932::ToUtf16(ch);
  const QString text = QString::fromStdU16String(utf16);
  Glyph g;
  if (text.isEmpty() || text.at(0).unicode() < 0x20) return g;
  const QRawFont& own = fonts_[0];
  if (own.isValid() && own.supportsCharacter(text.at(0))) {
    const QList<quint32> indexes = own.glyphIndexesForString(text);
    if (!indexes.isEmpty() && indexes[0] != 0) {
      g.Index = indexes[0];
      g.Advance = own.advancesForGlyphIndexes(QList<quint32>{g.Index}).value(0).x();
      g.Font = 0;
      return g;
    }
  }
  // Qt's own font fallback, asked once per character.
  QTextLayout layout(text, font_);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    if (run.glyphIndexes().isEmpty()) continue;
    g.Index = run.glyphIndexes()[0];
    g.Font = static_cast<qint16>(FontIndex(run.rawFont()));
    g.Advance = run.rawFont().advancesForGlyphIndexes(QList<quint32>{g.Index}).value(0).x();
    break;
  }
  return g;
}

int TGlyphCache::FontIndex(const QRawFont& raw) {
  for (std::size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i] == raw) return static_cast<int>(i);
  fonts_.push_back(raw);
  return static_cast<int>(fonts_.size()) - 1;
}
