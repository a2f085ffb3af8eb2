// The splash window: title, links, the sound output list and PLAY, which
// starts the sound output and hands over to the unit.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "engine/ports.h"
#include "sound/sound_outputs.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tiko {

class LinkLabel;

// What the splash window asks of the rest of the program.
class SplashHost {
 public:
  virtual ~SplashHost() = default;
  // Starts the chosen sound output; false when the start must be abandoned
  // (the program is then already terminating).
  virtual bool Snd_Open_Output(std::optional<SoundOutput> output) = 0;
  virtual void SetSplashScreenCheck(bool on) = 0;  // the popup menu's check mark
  virtual void StartUnit() = 0;                    // centre the main window, mode 0
  virtual void RequestTerminate() = 0;             // takes effect back in the event loop
  virtual void ShowError(const std::string& message) = 0;
  // What an output of the list really plays through here: driver and device.
  virtual std::string DescribeOutput(SoundOutput /*output*/) { return {}; }
};

class TSplashForm : public QWidget {
 public:
  // The creation handler: may start the unit at once and never show the window.
  TSplashForm(SettingsStore& store, SplashHost& host, bool& first_activation);

  void btn_playClick();
  bool SplashChecked() const;
  // Whether the window started the unit by itself at creation.
  bool StartedDirectly() const { return started_directly_; }

  // Made only when the window may show: null once it started directly.
  QComboBox* cb_sound = nullptr;
  QCheckBox* chb_splashscreen = nullptr;
  QLabel* btn_play = nullptr;
  QLabel* btn_play_disabled = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  // Starts the output of the list at `output` and the unit; `on` is stored
  // as the splash window's check.
  void Start(int output, bool on);
  void UpdatePlay();
  // Each entry of the sound list names the output it uses; asked once shown.
  void DescribeOutputs();
  bool FormKeyDown(QKeyEvent* event);
  void CentreOnScreen();

  SettingsStore& store_;
  SplashHost& host_;
  bool started_directly_ = false;
  bool outputs_described_ = false;
};

}  // namespace tiko
