#include "editor/gapvector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// Random insertions and erasures at random places, the way rows change,
// against a std::vector doing the same.
TEST(GapVector, BehavesLikeAVectorUnderRandomEdits) {
  std::mt19937 rng(7);
  GapVector<std::string> gap;
  std::vector<std::string> plain;
  for (int step = 0; step < 20000; ++step) {
    const std::size_t at = plain.empty() ? 0 : rng() % (plain.size() + 1);
    if (rng() % 3 != 0 || plain.empty()) {
      const std::string value = "row " + std::to_string(step) + std::string(rng() % 40, 'x');
      gap.insert(at, value);
      plain.insert(plain.begin() + at, value);
    } else {
      const std::size_t i = at % plain.size();
      const std::size_t n = std::min<std::size_t>(1 + rng() % 4, plain.size() - i);
      gap.erase(i, n);
      plain.erase(plain.begin() + i, plain.begin() + i + n);
    }
    ASSERT_EQ(gap.size(), plain.size());
    if (step % 97 != 0) continue;
    for (std::size_t k = 0; k < plain.size(); ++k) ASSERT_EQ(gap[k], plain[k]) << "step " << step;
  }
}
