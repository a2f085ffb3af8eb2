// The integer syntax of the skin file: an optional sign, then decimal digits,
// or hexadecimal digits after "$" or a leading "0x"/"0X".
#pragma once

#include <optional>
#include <string_view>

namespace tiko {

// Nothing when the text is no integer or leaves the 32-bit range. Hexadecimal
// takes the full 32 bits, so "$FFFFFFFF" is -1.
std::optional<int> ParseInteger(std::string_view text);

// Like ParseInteger, but throws UnitError("'text' is not a valid integer value").
int StrToInt(std::string_view text);

}  // namespace tiko
