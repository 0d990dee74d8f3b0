// A vector with a movable gap, so that runs of insertions and deletions near
// one place cost nothing in proportion to the size. Rows of a large document
// live in one of these: typing Enter in the middle of millions of rows moves
// the gap once instead of every row after the caret.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

template <typename T>
class GapVector {
 public:
  std::size_t size() const { return body_.size() - gapLength_; }
  bool empty() const { return size() == 0; }

  T& operator[](std::size_t i) {
    assert(i < size());
    return body_[i < gapStart_ ? i : i + gapLength_];
  }
  const T& operator[](std::size_t i) const {
    assert(i < size());
    return body_[i < gapStart_ ? i : i + gapLength_];
  }

  void insert(std::size_t i, T value) {
    assert(i <= size());
    MakeRoom(i, 1);
    body_[gapStart_] = std::move(value);
    ++gapStart_;
    --gapLength_;
  }

  void push_back(T value) { insert(size(), std::move(value)); }

  // Removes count elements starting at i; the gap swallows them.
  void erase(std::size_t i, std::size_t count = 1) {
    assert(i + count <= size());
    if (count == 0) return;
    MoveGapTo(i);
    for (std::size_t k = 0; k < count; ++k) body_[gapStart_ + gapLength_ + k] = T();
    gapLength_ += count;
  }

  void clear() {
    body_.clear();
    body_.shrink_to_fit();
    gapStart_ = gapLength_ = 0;
  }

  // Takes over a filled vector (with its capacity) as the whole content.
  void Adopt(std::vector<T>&& items) {
    body_ = std::move(items);
    gapStart_ = body_.size();
    gapLength_ = 0;
  }

  void reserve(std::size_t n) {
    if (n > size()) MakeRoom(size(), n - size());
  }

 private:
  void MoveGapTo(std::size_t pos) {
    if (gapLength_ == 0) {
      gapStart_ = pos;  // nothing to move; moving elements onto themselves would empty them
      return;
    }
    if (pos < gapStart_) {
      std::move_backward(body_.begin() + pos, body_.begin() + gapStart_,
                         body_.begin() + gapStart_ + gapLength_);
    } else if (pos > gapStart_) {
      std::move(body_.begin() + gapStart_ + gapLength_, body_.begin() + pos + gapLength_,
                body_.begin() + gapStart_);
    }
    gapStart_ = pos;
  }

  // Ensures a gap of at least n at position pos.
  void MakeRoom(std::size_t pos, std::size_t n) {
    if (gapLength_ < n) {
      MoveGapTo(size());  // gap at the end: growing the vector extends it
      const std::size_t grow = std::max(n, body_.size() / 4 + 16);
      // Exact, not the vector's doubling; capacity already there is used first.
      if (body_.capacity() < body_.size() + grow) body_.reserve(body_.size() + grow);
      body_.resize(body_.size() + grow);
      gapLength_ += grow;
    }
    MoveGapTo(pos);
  }

  std::vector<T> body_;
  std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};
