// Small text helpers of the settings file and the INI reader: trimming blanks
// and comparing names without regard to ASCII case, as both formats do.
#pragma once

#include <cstddef>
#include <string_view>

namespace tiko::text {

inline constexpr std::string_view kBlanks = " \t";

// `s` without the leading characters found in `front` and the trailing ones
// found in `back`.
constexpr std::string_view Trim(std::string_view s, std::string_view front = kBlanks,
                                std::string_view back = kBlanks) {
  while (!s.empty() && front.find(s.front()) != std::string_view::npos) s.remove_prefix(1);
  while (!s.empty() && back.find(s.back()) != std::string_view::npos) s.remove_suffix(1);
  return s;
}

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal without regard to the case of ASCII letters.
constexpr bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

constexpr bool StartsWithName(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameName(s.substr(0, prefix.size()), prefix);
}

}  // namespace tiko::text
