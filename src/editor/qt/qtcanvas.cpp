#include "editor/qt/qtcanvas.h"

#include <QGlyphRun>
#include <cmath>
#include <cstring>

#include "editor/qt/qtcolors.h"
#include "encoding/sjis.h"

QFont ToQFont(const TFont& font) {
  QFont f(QString::fromStdString(font.Name));
  // A negative height is the character height, a positive one the cell
  // height; both come out close enough as the font's pixel size.
  f.setPixelSize(std::max(1, std::abs(font.Height)));
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

void TQtCanvas::Resize(QSize size, qreal pixelRatio, const QColor& fill) {
  End();
  const QSize device = (QSizeF(size) * pixelRatio).toSize();
  if (!image_.isNull() && image_.size() == device && image_.devicePixelRatio() == pixelRatio) return;
  QImage next(device, QImage::Format_RGB32);
  next.setDevicePixelRatio(pixelRatio);
  next.fill(fill);
  if (!image_.isNull() && image_.devicePixelRatio() == pixelRatio) {
    QPainter p(&next);
    p.drawImage(QPoint(0, 0), image_);
  }
  image_ = next;
}

void TQtCanvas::End() {
  if (painter_.isActive()) painter_.end();
}

QPainter* TQtCanvas::Painter() {
  if (image_.isNull()) return nullptr;
  if (!painter_.isActive()) painter_.begin(&image_);
  return &painter_;
}

void TQtCanvas::Touch(const QRect& r) {
  const bool first = dirty_.isNull();
  dirty_ |= r;
  if (first && changed_) changed_();
}

TGlyphCache& TQtCanvas::Glyphs(const TFont& font) {
  if (lastGlyphs_ && font.Name == lastFont_.Name && font.Height == lastFont_.Height &&
      font.Style == lastFont_.Style)
    return *lastGlyphs_;
  std::unique_ptr<TGlyphCache>& cache = glyphs_[TFontKey{font.Name, font.Height, font.Style}];
  if (!cache) cache = std::make_unique<TGlyphCache>(ToQFont(font));
  lastFont_ = font;
  lastGlyphs_ = cache.get();
  return *cache;
}

void TQtCanvas::FillRect(const TRect& r, TColor color) {
  QPainter* p = Painter();
  const QRect rect(r.Left, r.Top, r.Width(), r.Height());
  if (!p || rect.isEmpty()) return;
  p->fillRect(rect, Color(color));
  Touch(rect);
}

// Each character is placed at its own cells, centred over them, so that
// the grid holds whatever the font's advances are; a glyph wider than its
// cells (most of a proportional font's, and a Latin monospace font's) is
// narrowed to them rather than drawn over its neighbours. Glyphs are
// grouped by the font that draws them, one glyph run each.
void TQtCanvas::TextOutCells(int x, int y, std::string_view bytes, std::span<const int> advances,
                             const TRect& clip, const TFont& font, TColor bkColor) {
  QPainter* p = Painter();
  const QRect clipRect(clip.Left, clip.Top, clip.Width(), clip.Height());
  if (!p || clipRect.isEmpty()) return;
  p->fillRect(clipRect, Color(bkColor));
  Touch(clipRect);
  TGlyphCache& glyphs = Glyphs(font);
  // Whole pixels: sharper glyphs, and one cached image per glyph.
  const qreal baseline = std::round(y + glyphs.Ascent());
  for (auto& [indexes, positions] : byFont_) {
    indexes.clear();
    positions.clear();
  }
  squeezed_.clear();
  int cellX = x;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = sjis::CharLen(bytes, i);
    int width = 0;
    for (std::size_t k = i; k < i + len; ++k) width += advances[k];
    const TGlyphCache::Glyph& g = glyphs.Lookup(bytes.substr(i, len));
    if (g.Font >= 0 && g.Advance > width + 0.5) {
      squeezed_.push_back({g.Font, g.Index, static_cast<qreal>(cellX), width / g.Advance});
    } else if (g.Font >= 0) {
      if (byFont_.size() <= static_cast<std::size_t>(g.Font)) byFont_.resize(g.Font + 1);
      byFont_[g.Font].first.append(g.Index);
      byFont_[g.Font].second.append(QPointF(std::round(cellX + (width - g.Advance) / 2), baseline));
    }
    cellX += width;
    i += len;
  }
  p->setClipRect(clipRect);
  p->setPen(Color(font.Color));
  for (std::size_t f = 0; f < byFont_.size(); ++f) {
    if (byFont_[f].first.isEmpty()) continue;
    QGlyphRun run;
    run.setRawFont(glyphs.RawFont(static_cast<int>(f)));
    run.setGlyphIndexes(byFont_[f].first);
    run.setPositions(byFont_[f].second);
    run.setUnderline(font.Style & fsUnderline);
    run.setStrikeOut(font.Style & fsStrikeOut);
    p->drawGlyphRun(QPointF(0, 0), run);
  }
  for (const TSqueezed& q : squeezed_) {
    QGlyphRun run;
    run.setRawFont(glyphs.RawFont(q.font));
    run.setGlyphIndexes({q.index});
    run.setPositions({QPointF(0, 0)});
    p->save();
    p->translate(q.x, baseline);
    p->scale(q.factor, 1);
    p->drawGlyphRun(QPointF(0, 0), run);
    p->restore();
  }
  p->setClipping(false);
}

// The end point is not drawn, as with the system's line drawing.
void TQtCanvas::Line(int x1, int y1, int x2, int y2, TColor color, bool invert) {
  QPainter* p = Painter();
  if (!p) return;
  QRect rect;
  if (x1 == x2) {
    rect = QRect(x1, std::min(y1, y2), 1, std::abs(y2 - y1));
  } else if (y1 == y2) {
    rect = QRect(std::min(x1, x2), y1, std::abs(x2 - x1), 1);
  }
  if (invert) {
    p->setCompositionMode(QPainter::CompositionMode_Difference);
    p->fillRect(rect, Qt::white);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  } else if (!rect.isNull()) {
    p->fillRect(rect, Color(color));
  } else {
    p->setPen(Color(color));
    p->drawLine(x1, y1, x2, y2);
    rect = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
  }
  Touch(rect);
}

int TQtCanvas::CharWidth(std::string_view ch, const TFont& font) {
  return static_cast<int>(std::ceil(Glyphs(font).Lookup(ch).Advance));
}

namespace {

// A bitmap's pixels leave the alpha byte 0, where a 32-bit RGB image needs
// 0xFF: drawn as they are, they would be copied as transparent pixels, and
// what blends over them later (the caret's inversion) would not show.
QImage OpaqueImage(const TBitmap& bmp) {
  QImage image(bmp.Width, bmp.Height, QImage::Format_RGB32);
  for (int y = 0; y < bmp.Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bmp.Width; ++x) line[x] = 0xFF000000u | bmp.At(x, y);
  }
  return image;
}

}  // namespace

void TQtCanvas::DrawBitmap(const TRect& dest, const TBitmap& bmp, const TRect& clip) {
  QPainter* p = Painter();
  const QRect clipRect(clip.Left, clip.Top, clip.Width(), clip.Height());
  if (!p || bmp.Pixels.empty() || clipRect.isEmpty()) return;
  p->setClipRect(clipRect);
  const QRect target(dest.Left, dest.Top, dest.Width(), dest.Height());
  p->drawImage(target, OpaqueImage(bmp));
  p->setClipping(false);
  Touch(target & clipRect);
}

void TQtCanvas::Scroll(int dx, const QRect& area) {
  End();
  const qreal ratio = image_.devicePixelRatio();
  const QRect device = QRect((QRectF(area).topLeft() * ratio).toPoint(), (QSizeF(area.size()) * ratio).toSize())
                           .intersected(image_.rect());
  const int shift = static_cast<int>(std::lround(dx * ratio));
  const int width = device.width() - std::abs(shift);
  if (device.isEmpty() || width <= 0) return;
  const int from = device.left() + (shift < 0 ? -shift : 0);
  const int to = device.left() + (shift > 0 ? shift : 0);
  for (int row = device.top(); row <= device.bottom(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
    std::memmove(line + to, line + from, static_cast<std::size_t>(width) * sizeof(QRgb));
  }
  Touch(area);
}
