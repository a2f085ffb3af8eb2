// The splash window's host put together from the program's parts: the sound
// start-up, the main window and the popup menu's check mark.
#pragma once

#include <functional>
#include <string>

#include "app/shell/splash_form.h"

namespace tiko {

class StartHost : public SplashHost {
 public:
  std::function<bool(std::optional<SoundOutput>)> open_output;  // Snd_Open_Output
  std::function<void(bool)> set_splash_check;
  std::function<void()> start_unit;
  std::function<void()> terminate;
  std::function<void(const std::string&)> show_error;
  std::function<std::string(SoundOutput)> describe_output;

  bool Snd_Open_Output(std::optional<SoundOutput> output) override {
    return open_output ? open_output(output) : true;
  }
  void SetSplashScreenCheck(bool on) override {
    if (set_splash_check) set_splash_check(on);
  }
  void StartUnit() override {
    if (start_unit) start_unit();
  }
  void RequestTerminate() override {
    if (terminate) terminate();
  }
  void ShowError(const std::string& message) override {
    if (show_error) show_error(message);
  }
  std::string DescribeOutput(SoundOutput output) override {
    return describe_output ? describe_output(output) : std::string();
  }
};

}  // namespace tiko
