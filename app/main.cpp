// The program: the main window over the unit, started straight into the
// closed unit, centred on the screen.
#include <QApplication>
#include <memory>

#include "config/skin/skin_loader.h"
#include "display/main_window.h"
#ifdef TIKO_HAVE_STORE
#include "config/store/reg_file_store.h"
#endif
#ifdef TIKO_HAVE_SOUND
#include "sound/sound_system.h"
#endif

namespace {

#ifdef TIKO_HAVE_SOUND
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
#endif

}  // namespace

int main(int argc, char** argv) {
  tiko::MarkProgramStart();
  QApplication app(argc, argv);

  tiko::FormParts parts;
#ifdef TIKO_HAVE_STORE
  auto store = std::make_unique<tiko::RegFileStore>(tiko::DefaultStorePath());
  parts.store = store.get();
#endif
#ifdef TIKO_HAVE_SOUND
  // Sound stays off until an output is chosen; the cues go through it all the same.
  FormSoundHost sound_host;
  tiko::SoundSystem sound(parts.store, &sound_host);
  parts.cues = &sound;
  parts.close_output = [&sound] { sound.Snd_Close_Output(); };
#endif
  parts.load_skin = &tiko::Gfx_Load_Skin;
  parts.exe_dir = QCoreApplication::applicationDirPath().toStdString();

  tiko::TForm1 form(std::move(parts));
#ifdef TIKO_HAVE_SOUND
  sound_host.form = &form;
#endif
  form.FormCreate();
  if (form.TerminateRequested()) return 1;
  form.CentreOnScreen();
  form.show();
  form.activateWindow();
  return app.exec();
}
