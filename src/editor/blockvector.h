// A sequence kept in blocks of at most BlockSize elements: inserting or
// erasing anywhere moves the elements of one block only, and growing at the
// end never copies what is already there. The rows of a large document live
// in one of these, so that typing Enter anywhere in millions of rows costs
// as little as at the end.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

template <typename T, std::size_t BlockSize = 256>
class BlockVector {
  static_assert(BlockSize >= 2, "a full block splits into two that each take one more");

 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  T& operator[](std::size_t i) {
    const std::size_t b = BlockOf(i);
    return blocks_[b][i - starts_[b]];
  }
  const T& operator[](std::size_t i) const {
    const std::size_t b = BlockOf(i);
    return blocks_[b][i - starts_[b]];
  }

  void push_back(T value) {
    if (blocks_.empty() || blocks_.back().size() == BlockSize) {
      AddBlock(blocks_.size());
      blocks_.back().reserve(BlockSize);  // appending: the block will fill
    }
    blocks_.back().push_back(std::move(value));
    ++size_;
  }

  void insert(std::size_t i, T value) {
    assert(i <= size_);
    if (i == size_) {
      push_back(std::move(value));
      return;
    }
    std::size_t b = BlockOf(i);
    std::size_t at = i - starts_[b];
    if (blocks_[b].size() == BlockSize) {
      Split(b);
      if (at >= blocks_[b].size()) at -= blocks_[b++].size();
    }
    std::vector<T>& block = blocks_[b];
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
    ++size_;
    Changed(b);
  }

  void erase(std::size_t i) {
    assert(i < size_);
    const std::size_t b = BlockOf(i);
    std::vector<T>& block = blocks_[b];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(i - starts_[b]));
    --size_;
    if (block.empty()) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
      starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
      validStarts_ = std::min(validStarts_, b);
    } else {
      Changed(b);
    }
  }

  void clear() {
    blocks_.clear();
    starts_.clear();
    size_ = 0;
    hint_ = 0;
    validStarts_ = 0;
  }

 private:
  // The block holding element i. Sequential access finds it without a
  // search; the first indices of the blocks after an edit are brought up
  // to date only when a block past it is looked for, so that a run of edits
  // in one place costs nothing in proportion to the number of blocks.
  std::size_t BlockOf(std::size_t i) const {
    assert(i < size_);
    if (InBlock(hint_, i)) return hint_;
    if (InBlock(hint_ + 1, i)) return ++hint_;
    while (validStarts_ < blocks_.size() && !(validStarts_ > 0 && i < End(validStarts_ - 1))) {
      starts_[validStarts_] = validStarts_ == 0 ? 0 : End(validStarts_ - 1);
      ++validStarts_;
    }
    const auto validEnd = starts_.begin() + static_cast<std::ptrdiff_t>(validStarts_);
    const auto after = std::upper_bound(starts_.begin(), validEnd, i);
    hint_ = static_cast<std::size_t>(after - starts_.begin()) - 1;
    return hint_;
  }
  bool InBlock(std::size_t b, std::size_t i) const {
    return b < validStarts_ && i >= starts_[b] && i < End(b);
  }
  std::size_t End(std::size_t b) const { return starts_[b] + blocks_[b].size(); }

  // Block b changed its size: the first indices after it are out of date.
  void Changed(std::size_t b) { validStarts_ = std::min(validStarts_, b + 1); }

  // A block grows as a vector does, so that a short document holds no
  // more than it needs.
  void AddBlock(std::size_t at) {
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(at), std::vector<T>());
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(at), 0);
    validStarts_ = std::min(validStarts_, at);
  }

  // The second half of block b becomes a block of its own after it.
  void Split(std::size_t b) {
    AddBlock(b + 1);
    std::vector<T>& from = blocks_[b];
    const auto secondHalf = from.begin() + static_cast<std::ptrdiff_t>(from.size() / 2);
    std::move(secondHalf, from.end(), std::back_inserter(blocks_[b + 1]));
    from.erase(secondHalf, from.end());
    Changed(b);
  }

  std::vector<std::vector<T>> blocks_;
  // The index of each block's first element, up to date for the first
  // validStarts_ blocks.
  mutable std::vector<std::size_t> starts_;
  mutable std::size_t validStarts_ = 0;
  std::size_t size_ = 0;
  mutable std::size_t hint_ = 0;  // the block of the last access
};
