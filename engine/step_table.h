// A sequence run by one timer and its step counter, as a table: row n says
// what step n does and the interval it sets for the next tick (0 keeps the
// interval the timer has). Row 0 is unused: the counters start at 1.
#pragma once

#include <cstddef>

#include "engine/saturating.h"

namespace tiko {

template <typename Action>
struct StepRow {
  int step;
  Action action;
  int next_ms;
};

// Every row sits at the index of its step, so a table reads like the rule.
template <typename Action, std::size_t N>
constexpr bool StepsInOrder(const StepRow<Action> (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].step != static_cast<int>(i)) return false;
  }
  return true;
}

// The row of `step`, or null for a step outside the sequence (it does nothing).
template <typename Action, std::size_t N>
constexpr const StepRow<Action>* StepAt(const StepRow<Action> (&rows)[N], int step) {
  return step >= 1 && step < static_cast<int>(N) ? &rows[step] : nullptr;
}

// The step to run now; the counter moves on to the next.
inline int TakeStep(int& counter) {
  const int step = counter;
  StepOn(counter);
  return step;
}

}  // namespace tiko
