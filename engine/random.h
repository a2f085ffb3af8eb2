// The one random generator: a 32-bit linear congruential seed; a draw of n
// takes the upper half of the 64-bit product seed * n, uniform in 0..n-1.
#pragma once

#include <cstdint>

namespace tiko {

class RandomSource {
 public:
  void Seed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t SeedValue() const { return seed_; }

  int Random(int n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
  }

 private:
  std::uint32_t seed_ = 0;
};

}  // namespace tiko
