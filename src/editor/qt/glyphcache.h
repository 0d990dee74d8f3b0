// The glyph of every Shift-JIS character in one font, looked up once: which
// font draws it (the font itself or a fallback Qt chooses), its glyph index
// and its advance. Painting a run then needs no text shaping at all.
#pragma once

#include <QFont>
#include <QRawFont>
#include <string_view>
#include <vector>

class TGlyphCache {
 public:
  struct Glyph {
    quint32 Index = 0;
    qreal Advance = 0;
    qint16 Font = -1;  // for RawFont(); -1 for nothing to draw
  };

  explicit TGlyphCache(const QFont& font);

  // `ch` is one character: a single byte, or a lead byte and a trail byte.
  const Glyph& Lookup(std::string_view ch);
  const QRawFont& RawFont(int i) const { return fonts_[i]; }
  qreal Ascent() const { return ascent_; }

 private:
  Glyph Resolve(std::string_view ch);
  int FontIndex(const QRawFont& raw);

  QFont font_;
  qreal ascent_ = 0;
  std::vector<QRawFont> fonts_;  // [0] is the font itself
  std::vector<Glyph> glyphs_;    // by code: byte, or lead << 8 | trail
  std::vector<bool> known_;
};
