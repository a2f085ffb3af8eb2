// Times of day as recordings write them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tiko {

// HH:MM:SS.mmm, as a `clock` line takes it, for milliseconds since midnight.
std::string ClockText(std::int64_t ms_of_day);
// HH:MM:SS.
std::string SecondsText(std::int64_t ms_of_day);
// HH:MM, HH:MM:SS or HH:MM:SS.mmm as milliseconds since midnight.
std::optional<std::int64_t> ParseClockText(const std::string& text);

}  // namespace tiko
