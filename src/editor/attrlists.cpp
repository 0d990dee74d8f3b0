#include "editor/attrlists.h"

#include <algorithm>

// ---- TColAttrList

TColAttr& TColAttrList::Items(int i) {
  if (i >= Count()) items_.resize(i + 1);
  return items_[i];
}

void TColAttrList::InsertInactive(int at, int count) {
  if (count <= 0) return;
  if (at > Count()) items_.resize(at);
  items_.insert(items_.begin() + at, count, TColAttr{});
}

void TColAttrList::Delete(int at, int count) {
  if (at >= Count() || count <= 0) return;
  const int n = std::min(count, Count() - at);
  items_.erase(items_.begin() + at, items_.begin() + at + n);
}

void TColAttrList::DeactivateAll() {
  for (TColAttr& a : items_) a.Active = false;
}

void TColAttrList::AppendFrom(TColAttrList& from, int count, int textLength) {
  DeactivateAll();
  for (int k = 0; k < count; ++k) {
    if (Count() < textLength + k) items_.resize(textLength + k);
    items_.push_back(TColAttr{});
    Items(textLength + k) = k < from.Count() ? from.items_[k] : TColAttr{};
  }
  from.Delete(0, count);
}

void TColAttrList::MoveTailTo(int at, TColAttrList& to) {
  const int count = std::max(0, Count() - at);
  to.DeactivateAll();
  to.items_.insert(to.items_.begin(), items_.begin() + at, items_.begin() + at + count);
  Delete(at, count);
}

// ---- TBlkAttr / TBlkAttrList

bool TBlkAttr::Contains(TPoint p) const {
  return !PosBefore(p, StartPos) && PosBefore(p, EndPos);
}

TBlkAttr& TBlkAttrList::Items(int i) {
  if (i >= Count()) items_.resize(i + 1);
  return items_[i];
}

void TBlkAttrList::Delete(int i) {
  const TBlkAttr gone = items_[i];
  items_.erase(items_.begin() + i);
  if (OnDelete) OnDelete(gone.StartPos.Y, gone.EndPos.Y);
}

const TBlkAttr* TBlkAttrList::Lookup(TPoint p) const {
  for (const TBlkAttr& b : items_)
    if (b.Contains(p)) return &b;
  return nullptr;
}

int TBlkAttrList::NextBoundary(int row, int after) const {
  int best = -1;
  auto consider = [&](TPoint p) {
    if (p.Y == row && p.X > after && (best < 0 || p.X < best)) best = p.X;
  };
  for (const TBlkAttr& b : items_) {
    consider(b.StartPos);
    consider(b.EndPos);
  }
  return best;
}

void TBlkAttrList::RowInserted(int index) {
  for (TBlkAttr& b : items_) {
    if (b.StartPos.Y >= index) ++b.StartPos.Y;
    if (b.EndPos.Y >= index) ++b.EndPos.Y;
  }
}

void TBlkAttrList::RowDeleted(int index) {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBlkAttr& b = items_[i];
    if (b.StartPos.Y == index || b.EndPos.Y == index) Delete(i);
  }
  for (TBlkAttr& b : items_) {
    if (b.StartPos.Y > index) --b.StartPos.Y;
    if (b.EndPos.Y > index) --b.EndPos.Y;
  }
}

void TBlkAttrList::RowReplaced(int index) {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBlkAttr& b = items_[i];
    if (b.StartPos.Y == index || b.EndPos.Y == index) Delete(i);
  }
}

void TBlkAttrList::BytesInserted(int row, int at, int count) {
  for (TBlkAttr& b : items_) {
    for (TPoint* p : {&b.StartPos, &b.EndPos})
      if (p->Y == row && p->X >= at) p->X += count;
  }
}

void TBlkAttrList::BytesDeleted(int row, int at, int count) {
  for (TBlkAttr& b : items_) {
    for (TPoint* p : {&b.StartPos, &b.EndPos}) {
      if (p->Y != row || p->X <= at) continue;
      p->X = std::max(at, p->X - count);
    }
  }
}

void TBlkAttrList::BytesCarriedDown(int row, int at, int count) {
  for (TBlkAttr& b : items_) {
    for (TPoint* p : {&b.StartPos, &b.EndPos}) {
      if (p->Y == row + 1) {
        p->X += count;
      } else if (p->Y == row && p->X >= at) {
        p->Y = row + 1;
        p->X -= at;
      }
    }
  }
}

void TBlkAttrList::BytesPulledUp(int row, int count, int rowLength, bool wholeRow) {
  for (TBlkAttr& b : items_) {
    for (TPoint* p : {&b.StartPos, &b.EndPos}) {
      if (p->Y != row + 1) continue;
      if (p->X < count || (wholeRow && p->X == count)) {
        p->Y = row;
        p->X += rowLength;
      } else {
        p->X -= count;
      }
    }
  }
}
