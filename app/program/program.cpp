#include "app/program/program.h"

#include <QApplication>
#include <QTimer>

#include "input/dialog/owned_window.h"
#include "sound/sdl_output.h"

namespace tiko {

Program::Program(TForm1& form, SettingsStore& store,
                 std::function<bool(std::optional<SoundOutput>)> open_output,
                 const DataFolders& data_folders)
    : form_(form),
      data_folders_(data_folders),
      popup_(form.unit(), store, *this,
             ShellWindows{[this] { return &about(); }, [this] { return &keys(); },
                          [this] { return &manual(); }, nullptr}) {
  start_.open_output = std::move(open_output);
  start_.set_splash_check = [this](bool on) { popup_.SetSplashScreenCheck(on); };
  start_.start_unit = [this] { StartUnit(); };
  start_.terminate = [this] { form_.RequestTerminate(); };
  start_.show_error = [this](const std::string& m) { form_.ShowError(m); };
  start_.describe_output = [](SoundOutput output) -> std::string {
    if (!InfoOf(output).sound_on) return "no sound output: the game plays silently";
    return fsound::SdlOutput::Describe();
  };

  form_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&form_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popup_.Popup(form_.mapToGlobal(pos)); });
  form_.on_game_menu_click = [this] { popup_.game_menu.btn_game_menu_topClick(); };
  popup_.current_recording = [this] { return form_.session().RecordingFile(); };

  splash_ = std::make_unique<TSplashForm>(store, start_, first_activation_);
  popup_.SetSplash(splash_.get());
  popup_.SetDataFolders(data_folders);

  form_.installEventFilter(this);
  key_repeats_ = XKeyRepeats::Install(
      [this] { return static_cast<unsigned>(form_.internalWinId()); }, form_.held_keys());
  // Should the window manager never activate the main window, the splash comes all the same.
  QTimer::singleShot(0, this, [this] { FormActivate(); });
}

Program::~Program() {
  form_.removeEventFilter(this);
}

// The main window's dialogs stay above it, fullscreen too; the splash comes
// before the main window is shown and has no owner.
TAboutForm& Program::about() {
  if (!about_) {
    about_ = std::make_unique<TAboutForm>();
    OwnWindow(*about_, &form_);
  }
  return *about_;
}

TKeysForm& Program::keys() {
  if (!keys_) {
    keys_ = std::make_unique<TKeysForm>(form_.unit(), *this);
    OwnWindow(*keys_, &form_);
  }
  return *keys_;
}

TManualForm& Program::manual() {
  if (!manual_) {
    manual_ = std::make_unique<TManualForm>(
        ManualSource{data_folders_, [this](const std::string& m) { form_.ShowError(m); }});
    OwnWindow(*manual_, &form_);
  }
  return *manual_;
}

void Program::FormActivate() {
  if (!first_activation_) return;
  first_activation_ = false;
  splash_->show();
  splash_->raise();
  splash_->activateWindow();
}

bool Program::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &form_ && event->type() == QEvent::WindowActivate) FormActivate();
  return QObject::eventFilter(watched, event);
}

void Program::StartUnit() {
  // The main window is first mapped here, in its place: nothing of it shows before.
  form_.CentreOnScreen();
  form_.show();
  form_.session().HandOver();
  form_.update();
  form_.raise();
  form_.activateWindow();
}

void Program::SwitchPresentation() {
  form_.pm_10_fullscreenClick();
}

void Program::RequestTerminate() {
  form_.pm_14_exitClick();
}

void Program::Beep() {
  QApplication::beep();
}

void Program::SceneChanged() {
  form_.update();
}

void Program::ShowError(const char* message) {
  form_.ShowError(message);
}

void Program::ResetHiscores(Unit& /*unit: the session's*/) {
  form_.session().ResetHiscores();
}

void Program::SetOverlays(Unit& /*unit: the session's*/, bool on) {
  form_.session().SetOverlays(on);
}

void Program::AcceptKeys(Unit& /*unit: the session's*/,
                         const std::array<int, kBindingCount>& choices) {
  form_.session().AcceptKeys(choices);
}

void Program::RefreshHints() {
  form_.UpdateHints();
}

void Program::EnableMainWindow() {
  form_.setEnabled(true);
  form_.activateWindow();
}

}  // namespace tiko
