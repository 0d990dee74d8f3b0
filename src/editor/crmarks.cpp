// The CR marks: the arrow bitmaps the program carries, recoloured by flood
// fills for the CR colour and the row background, cached until the size or
// a colour changes.
#include <algorithm>
#include <cmath>

#include "editor/afedit.h"

namespace {

// Points on the arrow of every CR bitmap, and one on its white ground.
constexpr TPoint kArrowStem{10, 4};
constexpr TPoint kArrowFoot{4, 10};
constexpr TPoint kGround{1, 1};

const char* SourceFor(int size) { return size > 20 ? "CRL" : size >= 15 ? "CR" : "CRS"; }

}  // namespace

void TCustomAFEdit::BuildCRMarks(TColor crColor, TColor background) {
  // Made at device resolution so that the mark stays sharp on dense screens.
  const int size = std::max(1, static_cast<int>(std::lround(charHeight_ * host_.Canvas().PixelRatio())));
  const TPixel cr = ResolvedPixel(crColor), bk = ResolvedPixel(background);
  const TPixel sel = ResolvedPixel(colSelBrush_);
  if (charHeight_ == crMarkHeight_ && size == crMarkSize_ && cr == crMarkCr_ && bk == crMarkBk_ &&
      sel == crMarkSel_)
    return;
  crMarkHeight_ = charHeight_;
  crMarkSize_ = size;
  crMarkCr_ = cr;
  crMarkBk_ = bk;
  crMarkSel_ = sel;
  colCr_ = crColor;

  // The artwork follows the character height, so that the mark looks the
  // same on every screen; only its pixels follow the screen's density.
  TBitmap source = host_.LoadBitmap(SourceFor(charHeight_));
  const TPixel maroon = PixelOf(clMaroon);
  FloodFillSurface(source, kArrowStem.X, kArrowStem.Y, maroon, cr);
  FloodFillSurface(source, kArrowFoot.X, kArrowFoot.Y, maroon, cr);
  FloodFillBorder(source, kGround.X, kGround.Y, bk, cr);
  crMarkNormal_ = Stretch(source, size, size);
  FloodFillBorder(source, kGround.X, kGround.Y, sel, cr);
  crMarkSelected_ = Stretch(source, size, size);
}
