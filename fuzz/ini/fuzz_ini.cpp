// libFuzzer target: the INI reader and the integer syntax must take any bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini/ini_file.h"
#include "config/ini/int_text.h"
#include "engine/ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tiko::IniFile ini = tiko::IniFile::Parse(text);
  for (const char* section :
       {"Common", "Fullscreen", "VideoMode", "Manual", "Image1", "image145"}) {
    for (const char* key : {"SkinDir", "GameWidth", "BgColor", "Filename", "Left", "ManualDir"}) {
      std::string value = ini.ReadString(section, key, "nil");
      if (value.size() > tiko::IniFile::kMaxValueLength) __builtin_trap();
      ini.ReadInteger(section, key, 7);
      try {
        ini.ReadColor(section, key, "$000e47b4");
      } catch (const tiko::UnitError&) {
      }
    }
  }
  std::optional<int> whole = tiko::ParseInteger(text);
  if (whole && text.empty()) __builtin_trap();
  return 0;
}
