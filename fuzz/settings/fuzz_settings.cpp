// libFuzzer target: any bytes as the settings file, then writes and reads.
// A written value reads back as written, before and after the file is
// written out and read again; every value not written keeps its text; and a
// second reading of the written file reads the same values.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/store/reg_text.h"

namespace {

using tiko::store::RegText;
using tiko::store::RegValue;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// The store refuses line breaks and NUL before they reach the text.
std::string Storable(std::string s) {
  std::erase_if(s, [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
  return s;
}

std::string PickName(FuzzedDataProvider& in, const std::vector<std::string>& in_file) {
  static const char* const kProgramNames[] = {"Key1", "KEY1", "HiScore1", "FullscreenMode", ""};
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
      return kProgramNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kProgramNames) - 1)];
    case 1:
      if (!in_file.empty()) {
        return Storable(in_file[in.ConsumeIntegralInRange<std::size_t>(0, in_file.size() - 1)]);
      }
      [[fallthrough]];
    default:
      return Storable(in.ConsumeRandomLengthString(24));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int writes = in.ConsumeIntegralInRange(0, 4);
  std::vector<std::pair<std::string, std::string>> planned;
  std::string file_bytes;
  {
    // The writes come from the input's front, the file is the rest.
    std::vector<std::pair<std::string, std::string>> raw;
    for (int i = 0; i < writes; ++i) {
      raw.emplace_back(in.ConsumeRandomLengthString(24), in.ConsumeRandomLengthString(24));
    }
    file_bytes = in.ConsumeRemainingBytesAsString();
    RegText probe = RegText::Parse(file_bytes);
    std::vector<std::string> names = probe.ValueNames();
    for (auto& [choice, text] : raw) {
      FuzzedDataProvider pick(reinterpret_cast<const std::uint8_t*>(choice.data()), choice.size());
      planned.emplace_back(PickName(pick, names), Storable(text));
    }
  }

  const RegText before = RegText::Parse(file_bytes);
  RegText text = before;
  for (const auto& [name, value] : planned) {
    text.Set(name, value);
    Check(text.Find(name) == RegValue{RegValue::kString, value});
  }
  const std::string out = text.Serialize();
  const RegText again = RegText::Parse(out);

  auto written = [&](const std::string& name) -> const std::string* {
    const std::string* last = nullptr;
    for (const auto& [n, v] : planned) {
      if (tiko::store::SameRegName(n, name)) last = &v;
    }
    return last;
  };
  for (const std::string& name : before.ValueNames()) {
    if (const std::string* value = written(name)) {
      Check(again.Find(name) == RegValue{RegValue::kString, *value});
    } else {
      Check(again.Find(name) == before.Find(name));
    }
  }
  for (const auto& [name, value] : planned) {
    Check(again.Find(name) == RegValue{RegValue::kString, *written(name)});
  }
  // No value appears that was neither in the file nor written.
  for (const std::string& name : again.ValueNames()) {
    bool known = written(name) != nullptr;
    for (const std::string& n : before.ValueNames())
      known = known || tiko::store::SameRegName(n, name);
    Check(known);
  }
  // The written file reads the same a second time and writes out unchanged.
  Check(RegText::Parse(out).Serialize() == out);
  if (!planned.empty()) Check(!again.Damaged() || before.Damaged());
  return 0;
}
