#include "editor/blockvector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Random insertions and erasures at random places, the way rows change,
// and appends, against a std::vector doing the same.
template <std::size_t BlockSize>
void BehavesLikeAVector() {
  std::mt19937 rng(7);
  BlockVector<std::string, BlockSize> blocks;
  std::vector<std::string> plain;
  for (int step = 0; step < 20000; ++step) {
    const std::size_t at = plain.empty() ? 0 : rng() % (plain.size() + 1);
    const int what = static_cast<int>(rng() % 7);
    if (what < 3 || plain.empty()) {
      const std::string value = "row " + std::to_string(step) + std::string(rng() % 40, 'x');
      blocks.insert(at, value);
      plain.insert(plain.begin() + at, value);
    } else if (what < 4) {
      blocks.push_back("end " + std::to_string(step));
      plain.push_back("end " + std::to_string(step));
    } else {
      const std::size_t i = at % plain.size();
      const std::size_t n = std::min<std::size_t>(1 + rng() % 4, plain.size() - i);
      for (std::size_t k = 0; k < n; ++k) blocks.erase(i);
      plain.erase(plain.begin() + i, plain.begin() + i + n);
    }
    ASSERT_EQ(blocks.size(), plain.size());
    // One look far from the edit while later blocks' first indices are stale.
    if (!plain.empty()) {
      const std::size_t far = rng() % plain.size();
      ASSERT_EQ(blocks[far], plain[far]) << "step " << step;
    }
    if (step % 97 != 0) continue;
    for (std::size_t k = 0; k < plain.size(); ++k) ASSERT_EQ(blocks[k], plain[k]) << "step " << step;
    // Backwards, so that the remembered block is of no help.
    for (std::size_t k = plain.size(); k-- > 0;) ASSERT_EQ(blocks[k], plain[k]) << "step " << step;
  }
}

}  // namespace

TEST(BlockVector, BehavesLikeAVectorAtSeveralBlockSizes) {
  BehavesLikeAVector<2>();
  BehavesLikeAVector<4>();
  BehavesLikeAVector<64>();
  BehavesLikeAVector<256>();
  BehavesLikeAVector<2048>();
}

// Everything erased and built again from nothing.
TEST(BlockVector, EmptiedAndRefilled) {
  BlockVector<int, 4> blocks;
  for (int i = 0; i < 10; ++i) blocks.push_back(i);
  while (!blocks.empty()) blocks.erase(blocks.size() / 2);
  blocks.insert(0, 7);
  blocks.insert(0, 6);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], 6);
  EXPECT_EQ(blocks[1], 7);
}

// A run of edits in one place, as typing does, with reads behind it
// between them: every block's first index after the edits must follow,
// however many edits came before the read.
TEST(BlockVector, ReadsPastARunOfEditsInOnePlace) {
  BlockVector<int, 16> blocks;
  std::vector<int> plain;
  for (int i = 0; i < 64; ++i) {
    blocks.push_back(i);
    plain.push_back(i);
  }
  for (int round = 0; round < 40; ++round) {
    const std::size_t at = 20 + static_cast<std::size_t>(round % 3);
    if (round % 4 == 3) {
      blocks.erase(at);
      plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      blocks.insert(at, 100 + round);
      plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(at), 100 + round);
    }
    for (std::size_t k = plain.size(); k-- > at;) ASSERT_EQ(blocks[k], plain[k]) << "round " << round;
  }
}
