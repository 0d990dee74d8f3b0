// A fuzz target's check: a property that fails stops the run as a crash,
// which libFuzzer reports with the input that caused it.
#pragma once

#include <cstdlib>

inline void Require(bool holds) {
  if (!holds) std::abort();
}
