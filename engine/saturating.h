// Arithmetic on the engine variables that stops at the ends of int instead of
// wrapping: a variable set from outside (a script, a test) may stand anywhere.
#pragma once

#include <algorithm>
#include <climits>

namespace tiko {

constexpr int Saturate(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

constexpr void StepOn(int& counter) {
  counter = Saturate(counter + 1LL);
}
constexpr void StepBack(int& counter) {
  counter = Saturate(counter - 1LL);
}
constexpr void AddTo(int& value, long long amount) {
  value = Saturate(value + amount);
}

}  // namespace tiko
