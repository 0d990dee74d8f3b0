// The bytes of one row in 12 bytes: either its own exact-size copy on the
// heap, or a view into the row list's arena, where the rows of a loaded
// document sit end to end without a header each. Millions of rows make the
// difference between a document that fits in memory three times its size
// and one that does not. A row holds less than 2 GiB: the top bit of the
// size tells whether the bytes are the row's own.
#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

class TRowText {
 public:
  TRowText() = default;
  explicit TRowText(std::string_view s) { Assign(s); }
  ~TRowText() { Release(); }
  TRowText(const TRowText&) = delete;
  TRowText& operator=(const TRowText&) = delete;
  TRowText(TRowText&& o) noexcept { Take(o); }
  TRowText& operator=(TRowText&& o) noexcept {
    if (this != &o) {
      Release();
      Take(o);
    }
    return *this;
  }

  // Rows borrowed from an arena live as long as the arena.
  static TRowText Borrowed(const char* data, std::size_t size) {
    TRowText t;
    t.data_ = const_cast<char*>(data);
    t.size_ = Checked(size);
    return t;
  }

  std::string_view View() const { return std::string_view(data_, size_ & kSizeBits); }

  void Assign(std::string_view s) {
    char* copy = s.empty() ? nullptr : new char[s.size()];
    if (copy) std::memcpy(copy, s.data(), s.size());
    Release();
    data_ = copy;
    size_ = Checked(s.size()) | (copy ? kOwned : 0);
  }

 private:
  static constexpr std::uint32_t kOwned = 0x80000000u;
  static constexpr std::uint32_t kSizeBits = ~kOwned;

  static std::uint32_t Checked(std::size_t size) {
    assert(size <= kSizeBits);
    return static_cast<std::uint32_t>(size);
  }
  void Release() {
    if (size_ & kOwned) delete[] data_;
    data_ = nullptr;
    size_ = 0;
  }
  void Take(TRowText& o) {
    data_ = std::exchange(o.data_, nullptr);
    size_ = std::exchange(o.size_, 0);
  }

  char* data_ = nullptr;
  std::uint32_t size_ = 0;
};
