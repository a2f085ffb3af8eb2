// `tiko --replay FILE`: a recording played in the main window, with the
// sounds, on a unit that starts from empty settings as the recording's own
// replay does. The player's settings and high scores are neither read for the
// unit nor written.
#pragma once

#include <QApplication>
#include <string>

#include "config/store/reg_file_store.h"
#include "display/main_window.h"
#include "sound/sound_system.h"

namespace tiko {

// The settings a replay's unit sees: the window's presentation (fullscreen,
// zoom) and the sound output from the player's store, nothing else, and no
// writes at all.
class ReplayStore : public SettingsStore {
 public:
  explicit ReplayStore(SettingsStore& player) : player_(player) {}
  int ReadInteger(const std::string& name, int default_value) override;
  bool ReadBool(const std::string& name, bool default_value) override;
  void WriteInteger(const std::string&, int) override {}
  void WriteBool(const std::string&, bool) override {}

 private:
  SettingsStore& player_;
};

// Shows the window and plays the loaded recording until the window ends;
// gives the event loop's status.
int WatchReplay(QApplication& app, TForm1& form, SoundSystem& sound, SettingsStore& store);

}  // namespace tiko
