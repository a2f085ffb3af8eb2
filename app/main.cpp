// The program: the main window over the unit, then the about box, the key
// settings dialog, the manual viewer and the splash window, which starts the
// sound output and hands over to the unit.
#include <cstdio>
#include <iostream>
#include <memory>

#include "app/program/program.h"
#include "app/program/program_application.h"
#include "app/program/quit_signals.h"
#include "app/program/replay_watch.h"
#include "app/program/store_notices.h"
#include "app/startup/command_line.h"
#include "app/startup/data_folder.h"
#include "app/startup/display_guard.h"
#include "assets/icon/icon_resources.h"
#include "config/skin/skin_loader.h"
#include "config/store/reg_file_store.h"
#include "display/main_window.h"
#include "record/recordings_folder.h"
#include "sound/fsound_hooks.h"
#include "sound/sound_system.h"
#include "tiko_version.h"

namespace {

// The sound start-up reports its problems through the main window and on
// standard error, where a missing sound folder is named.
class FormSoundHost : public tiko::SoundHost {
 public:
  void ShowError(const std::string& message) override {
    if (message == tiko::kSoundFolderMessage) {
      std::fprintf(stderr, "tiko: %s (looked in %s)\n", message.c_str(), sound_dir.c_str());
    } else {
      std::fprintf(stderr, "tiko: %s\n", message.c_str());
    }
    if (form) form->ShowError(message);
  }
  void RequestTerminate() override {
    if (form) form->RequestTerminate();
  }
  tiko::TForm1* form = nullptr;
  std::string sound_dir;
};

}  // namespace

int main(int argc, char** argv) {
  tiko::MarkProgramStart();
  std::filesystem::path replay;
  if (std::optional<int> status = tiko::HandleCommandLine(argc, argv, &replay)) return *status;

  tiko::DisplayGuard display_guard;
  tiko::ProgramApplication app(argc, argv);
  display_guard.Release();
  tiko::MarkStartupStep("Qt");
  tiko::QuitOnTerminationSignals();
  QGuiApplication::setDesktopFileName(QStringLiteral(TIKO_APP_ID));

  std::optional<tiko::DataFolders> data = tiko::LocateDataFolders();
  if (!data) return 1;

  tiko::FormParts parts;
  auto store = std::make_unique<tiko::RegFileStore>(tiko::DefaultStorePath());
  // A replay's unit starts from empty settings and changes none.
  tiko::ReplayStore replay_store(*store);
  parts.store = replay.empty() ? static_cast<tiko::SettingsStore*>(store.get()) : &replay_store;
  // Sound stays off until an output is chosen; the cues go through it all the same.
  FormSoundHost sound_host;
  sound_host.sound_dir = (data->ReadFrom().front() / "Sound").string();
  tiko::SoundSystem sound(parts.store, &sound_host, data->ReadFrom());
  parts.cues = &sound;
  parts.close_output = [&sound] { sound.Snd_Close_Output(); };
  parts.load_skin = &tiko::Gfx_Load_Skin;
  parts.data_dir = *data;

  // The main window stays hidden until the splash window hands over.
  tiko::TForm1 form(std::move(parts));
  sound_host.form = &form;
  tiko::TellStoreNotices(*store, form, std::cerr);
  if (!replay.empty()) {
    std::string why;
    if (!form.session().LoadReplay(replay, &why)) {
      std::fprintf(stderr, "tiko: %s\n", why.c_str());
      return 2;
    }
  }
  if (replay.empty()) form.HoldPicturesUntilShown();
  form.FormCreate();
  tiko::MarkStartupStep("skin");
  if (form.TerminateRequested()) return 1;
  if (!replay.empty()) {
    QApplication::setWindowIcon(tiko::ProgramIcon());
    const int status = tiko::WatchReplay(app, form, sound, *store);
    tiko::fsound::Shutdown();
    return status;
  }
  form.session().StartRecording(tiko::RecordingsFolder(), TIKO_VERSION);
  tiko::Program program(
      form, *store,
      [&sound](std::optional<tiko::SoundOutput> output) { return sound.Snd_Open_Output(output); },
      *data);
  tiko::MarkStartupStep("shown");
  // The icon (eight sizes, each sent to the X server with every window) and
  // the game controllers take milliseconds the unit's first frame need not
  // wait for; a splash window shown first has them at once.
  auto rest_of_start = [&form] {
    QApplication::setWindowIcon(tiko::ProgramIcon());
    form.StartGamepads();
  };
  if (program.splash().StartedDirectly()) {
    form.AfterFirstFrame(rest_of_start);
  } else {
    form.StopHoldingPictures();
    rest_of_start();
  }
  const int status = app.exec();
  // Exit, Escape, closing the window and the termination signals all end here.
  form.session().FinishRecording();
  // Escape, Exit or a signal end the loop without closing the sound library:
  // its device thread stops here, before anything it reads is freed.
  tiko::fsound::Shutdown();
  return status;
}
