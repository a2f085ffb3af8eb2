// The nine key bindings of the unit: read from the settings store, written
// back and decoded to key codes, and looked up by the key a front end reports.
#pragma once

#include <array>
#include <optional>

#include "engine/keys/key_list.h"
#include "engine/ports.h"

namespace tiko {

class KeyBindings {
 public:
  // All nine are read before any is written back; a store value of another
  // type throws UnitError before anything changes.
  void Load(SettingsStore* store);
  // Binding n (1..9) takes choice `choice`: stored as Key<n>, then decoded.
  void Set(SettingsStore* store, int n, int choice);

  const KeyBinding& operator[](int n) const { return bindings_[n]; }
  // The binding (1..9) of the key with virtual-key code `key`; the lowest when
  // two share a key.
  std::optional<int> BindingOf(int key) const;

 private:
  std::array<KeyBinding, kBindingCount + 1> bindings_{};  // [1..9]
};

}  // namespace tiko
