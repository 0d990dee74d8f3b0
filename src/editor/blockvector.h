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

template <typename T, std::size_t BlockSize = 2048>
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
    if (blocks_.empty() || blocks_.back().size() == BlockSize) AddBlock(blocks_.size(), size_);
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
    if (blocks_[b].size() == BlockSize) {
      Split(b);
      if (i >= starts_[b + 1]) ++b;
    }
    std::vector<T>& block = blocks_[b];
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(i - starts_[b]), std::move(value));
    ++size_;
    for (std::size_t k = b + 1; k < starts_.size(); ++k) ++starts_[k];
  }

  void erase(std::size_t i) {
    assert(i < size_);
    const std::size_t b = BlockOf(i);
    std::vector<T>& block = blocks_[b];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(i - starts_[b]));
    --size_;
    for (std::size_t k = b + 1; k < starts_.size(); ++k) --starts_[k];
    if (block.empty()) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
      starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
      hint_ = 0;
    }
  }

  void clear() {
    blocks_.clear();
    starts_.clear();
    size_ = 0;
    hint_ = 0;
  }

 private:
  // The block holding element i; sequential access finds it without a search.
  std::size_t BlockOf(std::size_t i) const {
    assert(i < size_);
    if (!InBlock(hint_, i)) {
      if (InBlock(hint_ + 1, i)) {
        ++hint_;
      } else {
        const auto after = std::upper_bound(starts_.begin(), starts_.end(), i);
        hint_ = static_cast<std::size_t>(after - starts_.begin()) - 1;
      }
    }
    return hint_;
  }
  bool InBlock(std::size_t b, std::size_t i) const {
    return b < blocks_.size() && i >= starts_[b] && i - starts_[b] < blocks_[b].size();
  }

  // A block grows as a vector does, so that a short document holds no
  // more than it needs.
  void AddBlock(std::size_t at, std::size_t start) {
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(at), std::vector<T>());
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(at), start);
  }

  // The second half of block b becomes a block of its own after it.
  void Split(std::size_t b) {
    const std::size_t half = blocks_[b].size() / 2;
    AddBlock(b + 1, starts_[b] + half);
    std::vector<T>& from = blocks_[b];
    const auto secondHalf = from.begin() + static_cast<std::ptrdiff_t>(half);
    std::move(secondHalf, from.end(), std::back_inserter(blocks_[b + 1]));
    from.erase(secondHalf, from.end());
  }

  std::vector<std::vector<T>> blocks_;
  std::vector<std::size_t> starts_;  // the index of each block's first element
  std::size_t size_ = 0;
  mutable std::size_t hint_ = 0;  // the block of the last access
};
