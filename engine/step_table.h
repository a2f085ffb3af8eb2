// A sequence run by one timer and its step counter, as a table: row n says
// what step n does, the interval it sets for the next tick (0 keeps the
// interval the timer has) and the step that comes after it (the next one
// unless the row names another). Row 0 is unused: the counters start at 1.
#pragma once

#include <cstddef>

#include "engine/saturating.h"
#include "engine/timers.h"

namespace tiko {

inline constexpr int kFollowingStep = -1;

template <typename Action>
struct StepRow {
  int step;
  Action action;
  int next_ms;
  int then = kFollowingStep;
};

// Every row sits at the index of its step, so a table reads like the rule.
template <typename Action, std::size_t N>
constexpr bool StepsInOrder(const StepRow<Action> (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].step != static_cast<int>(i)) return false;
  }
  return true;
}

// What a tick does with a counter that names no row: a counted sequence
// counts on all the same; one whose rows name their successors leaves it.
enum class OutsideSteps { kCountOn, kKeep };

// One tick of a sequence: the counter takes the step after the current one,
// the current row acts, then its interval (if it names one) becomes the
// timer's. A step outside the table does nothing but what `outside` says.
template <typename Action, std::size_t N, typename Act>
void RunStep(TimerBank& timers, TimerId id, const StepRow<Action> (&rows)[N], int& counter,
             Act&& act, OutsideSteps outside = OutsideSteps::kCountOn) {
  const int step = counter;
  if (step < 1 || step >= static_cast<int>(N)) {
    if (outside == OutsideSteps::kCountOn) StepOn(counter);
    return;
  }
  const StepRow<Action>& row = rows[step];
  if (row.then == kFollowingStep) {
    StepOn(counter);
  } else {
    counter = row.then;
  }
  act(row.action);
  if (row.next_ms) timers.SetInterval(id, row.next_ms);
}

}  // namespace tiko
