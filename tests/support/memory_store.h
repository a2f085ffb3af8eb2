// The settings store of the tests: in memory, with the text values the file
// would hold, and a log of the writes in their order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace tiko::test {

class MemoryStore : public SettingsStore {
 public:
  // Text values as the file holds them; a value in `wrong_type` reads as an
  // error until it is written.
  std::map<std::string, std::string> values;
  std::map<std::string, bool> wrong_type;
  // "Name=value", one per write.
  std::vector<std::string> writes;

  int ReadInteger(const std::string& name, int default_value) override {
    if (wrong_type.count(name)) throw UnitError("Invalid data type for '" + name + "'");
    auto it = values.find(name);
    if (it == values.end()) return default_value;
    try {
      size_t used = 0;
      int v = std::stoi(it->second, &used);
      return used == it->second.size() ? v : default_value;
    } catch (...) {
      return default_value;
    }
  }
  bool ReadBool(const std::string& name, bool default_value) override {
    return ReadInteger(name, default_value ? 1 : 0) != 0;
  }
  void WriteInteger(const std::string& name, int value) override {
    values[name] = std::to_string(value);
    wrong_type.erase(name);
    writes.push_back(name + "=" + values[name]);
  }
  void WriteBool(const std::string& name, bool value) override {
    WriteInteger(name, value ? 1 : 0);
  }
};

}  // namespace tiko::test
