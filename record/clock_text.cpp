#include "record/clock_text.h"

#include <charconv>
#include <cstdio>

namespace tiko {

namespace {

std::optional<int> Digits(const std::string& text, size_t at, size_t count, int hi) {
  int value = 0;
  const char* first = text.data() + at;
  auto [ptr, ec] = std::from_chars(first, first + count, value);
  if (ec != std::errc() || ptr != first + count || value < 0 || value > hi) return std::nullopt;
  return value;
}

}  // namespace

std::string ClockText(std::int64_t ms_of_day) {
  const int ms = static_cast<int>(ms_of_day);
  char text[48];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", ms / 3600000, ms / 60000 % 60,
                ms / 1000 % 60, ms % 1000);
  return text;
}

std::string SecondsText(std::int64_t ms_of_day) {
  return ClockText(ms_of_day).substr(0, 8);
}

std::optional<std::int64_t> ParseClockText(const std::string& text) {
  const size_t n = text.size();
  if (n != 5 && n != 8 && n != 12) return std::nullopt;
  if (text[2] != ':' || (n >= 8 && text[5] != ':') || (n == 12 && text[8] != '.')) {
    return std::nullopt;
  }
  auto hours = Digits(text, 0, 2, 23);
  auto minutes = Digits(text, 3, 2, 59);
  auto seconds = n >= 8 ? Digits(text, 6, 2, 59) : 0;
  auto ms = n == 12 ? Digits(text, 9, 3, 999) : 0;
  if (!hours || !minutes || !seconds || !ms) return std::nullopt;
  return ((*hours * 60LL + *minutes) * 60 + *seconds) * 1000 + *ms;
}

}  // namespace tiko
