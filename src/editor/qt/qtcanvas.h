// The control's drawing surface on Qt: an image as large as the viewport in
// device pixels, painted through one QPainter kept open between calls. The
// widget copies what changed to the screen.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "editor/host.h"
#include "editor/qt/glyphcache.h"
#include "editor/qt/qtcolors.h"

QFont ToQFont(const TFont& font);

class TQtCanvas : public TCanvas {
 public:
  // `changed` is called when a drawing begins a new batch of changes.
  explicit TQtCanvas(std::function<void()> changed) : changed_(std::move(changed)) {}
  ~TQtCanvas() override { End(); }

  // Keeps what fits of the old image; the rest is `fill`.
  void Resize(QSize size, qreal pixelRatio, const QColor& fill);
  void SetPalette(const QPalette& palette) { palette_ = palette; }
  const QPalette& Palette() const { return palette_; }
  // Closes the painter, so that the image can be read or changed.
  void End();
  const QImage& Image() const { return image_; }
  // The area changed since the last call, in logical pixels.
  QRect TakeDirty() { return std::exchange(dirty_, QRect()); }
  // Moves the pixels inside `area` by dx logical pixels.
  void Scroll(int dx, const QRect& area);
  TGlyphCache& Glyphs(const TFont& font);

  void FillRect(const TRect& r, TColor color) override;
  void TextOutCells(int x, int y, std::string_view bytes, std::span<const int> advances,
                    const TRect& clip, const TFont& font, TColor bkColor) override;
  void Line(int x1, int y1, int x2, int y2, TColor color, bool invert) override;
  int CharWidth(std::string_view ch, const TFont& font) override;
  void DrawBitmap(const TRect& dest, const TBitmap& bmp, const TRect& clip) override;
  double PixelRatio() const override { return image_.isNull() ? 1.0 : image_.devicePixelRatio(); }

 private:
  QPainter* Painter();
  void Touch(const QRect& r);
  QColor Color(TColor c) const { return ToQColor(c, palette_); }

  std::function<void()> changed_;
  QImage image_;
  QPainter painter_;
  QPalette palette_;
  QRect dirty_;
  using TFontKey = std::tuple<std::string, int, TFontStyles>;
  std::map<TFontKey, std::unique_ptr<TGlyphCache>> glyphs_;
  TFont lastFont_;
  TGlyphCache* lastGlyphs_ = nullptr;
  // Glyphs of the run being drawn, by the font that draws them.
  std::vector<std::pair<QList<quint32>, QList<QPointF>>> byFont_;
  // Glyphs wider than their cells, narrowed to fit them.
  struct TSqueezed {
    int font;
    quint32 index;
    qreal x;
    qreal factor;
  };
  std::vector<TSqueezed> squeezed_;
};
