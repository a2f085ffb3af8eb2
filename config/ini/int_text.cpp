#include "config/ini/int_text.h"

#include <cstdint>
#include <string>

#include "engine/ports.h"

namespace tiko {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text[0] == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  std::uint64_t value = 0;
  for (char c : text) {
    int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }

  if (hex) {
    // All 32 bits are the number's; the sign then negates it in 32 bits.
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int>(bits);
  }
  if (negative) {
    if (value > 2147483648u) return std::nullopt;
    return static_cast<int>(-static_cast<std::int64_t>(value));
  }
  if (value > 2147483647u) return std::nullopt;
  return static_cast<int>(value);
}

int StrToInt(std::string_view text) {
  std::optional<int> value = ParseInteger(text);
  if (!value) throw UnitError("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}

}  // namespace tiko
