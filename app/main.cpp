// The program: the main window over the unit, then the about box, the key
// settings dialog, the manual viewer and the splash window, which starts the
// sound output and hands over to the unit.
#include <memory>

#include "app/program/program.h"
#include "app/program/program_application.h"
#include "app/program/quit_signals.h"
#include "config/skin/skin_loader.h"
#include "config/store/reg_file_store.h"
#include "display/main_window.h"
#include "sound/fsound_hooks.h"
#include "sound/sound_system.h"

namespace {

// The sound start-up reports a missing sound folder through the main window.
class FormSoundHost : public tiko::SoundHost {
 public:
  void ShowError(const std::string& message) override {
    if (form) form->ShowError(message);
  }
  void RequestTerminate() override {
    if (form) form->RequestTerminate();
  }
  tiko::TForm1* form = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  tiko::MarkProgramStart();
  tiko::ProgramApplication app(argc, argv);
  tiko::QuitOnTerminationSignals();

  tiko::FormParts parts;
  auto store = std::make_unique<tiko::RegFileStore>(tiko::DefaultStorePath());
  parts.store = store.get();
  // Sound stays off until an output is chosen; the cues go through it all the same.
  FormSoundHost sound_host;
  tiko::SoundSystem sound(parts.store, &sound_host);
  parts.cues = &sound;
  parts.close_output = [&sound] { sound.Snd_Close_Output(); };
  parts.load_skin = &tiko::Gfx_Load_Skin;
  parts.exe_dir = QCoreApplication::applicationDirPath().toStdString();
  const std::filesystem::path exe_dir = parts.exe_dir;

  // The main window stays off the screen until the splash window hands over.
  tiko::TForm1 form(std::move(parts));
  sound_host.form = &form;
  form.FormCreate();
  if (form.TerminateRequested()) return 1;
  tiko::Program program(
      form, *store, [&sound](const std::string& entry) { return sound.Snd_Open_Output(entry); },
      exe_dir);
  form.show();
  form.activateWindow();
  const int status = app.exec();
  // Escape, Exit or a signal end the loop without closing the sound library:
  // its device thread stops here, before anything it reads is freed.
  tiko::fsound::Shutdown();
  return status;
}
