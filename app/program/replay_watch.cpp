#include "app/program/replay_watch.h"

#include "sound/sound_outputs.h"

namespace tiko {

namespace {

bool PresentationSetting(const std::string& name) {
  return name == "FullscreenMode" || name == "Zoom" || name == "SoundMode";
}

QString ReplayTitle(const ReplayPlayer& player, const QString& title) {
  if (!player.error().empty()) {
    return title + QStringLiteral(" - replay stopped at ") + QString::fromStdString(player.error());
  }
  if (player.finished()) return title + QStringLiteral(" - replay ended");
  if (player.paused()) return title + QStringLiteral(" - replay paused");
  return title + QStringLiteral(" - replay %1x").arg(player.speed());
}

}  // namespace

int ReplayStore::ReadInteger(const std::string& name, int default_value) {
  return PresentationSetting(name) ? player_.ReadInteger(name, default_value) : default_value;
}

bool ReplayStore::ReadBool(const std::string& name, bool default_value) {
  return PresentationSetting(name) ? player_.ReadBool(name, default_value) : default_value;
}

int WatchReplay(QApplication& app, TForm1& form, SoundSystem& sound, SettingsStore& store) {
  int mode = SoundModeOf(SoundOutput::kDirectSound);
  try {
    mode = store.ReadInteger("SoundMode", mode);
  } catch (const UnitError&) {
    // a damaged value: the default output
  }
  if (!sound.Snd_Open_Output(SoundOutputAt(mode).value_or(SoundOutput::kDirectSound))) return 1;

  const QString title = form.windowTitle();
  Session& session = form.session();
  session.on_replay_state = [&form, &session, title] {
    form.setWindowTitle(ReplayTitle(*session.replay(), title));
  };
  session.on_replay_state();
  form.CentreOnScreen();
  form.show();
  form.raise();
  form.activateWindow();
  session.StartReplay();
  return app.exec();
}

}  // namespace tiko
