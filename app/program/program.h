// The program's windows put together after the main window: the about box,
// the key settings dialog and the manual viewer, each made when first opened,
// and the splash window, with the popup and in-game menus on the main window.
#pragma once

#include <QObject>
#include <filesystem>
#include <memory>

#include "app/shell/about_form.h"
#include "app/shell/manual_form.h"
#include "app/shell/menu_host.h"
#include "app/shell/popup_menu.h"
#include "app/shell/splash_form.h"
#include "app/shell/start_host.h"
#include "display/main_window.h"
#include "input/dialog/keys_form.h"
#include "input/keyboard/x_key_repeats.h"

namespace tiko {

class Program : public QObject, public MenuHost, public KeysHost {
 public:
  // `open_output` starts the chosen sound output (Snd_Open_Output).
  Program(TForm1& form, SettingsStore& store,
          std::function<bool(std::optional<SoundOutput>)> open_output,
          const DataFolders& data_folders);
  ~Program() override;

  // The main window's activation: the first one shows the splash window.
  void FormActivate();

  // MenuHost
  QWidget* MainWidget() override { return &form_; }
  double UnitScale() const override { return form_.Scale(); }
  void SwitchPresentation() override;
  Presentation& presentation() override { return form_.presentation(); }
  void RequestTerminate() override;
  void Beep() override;
  void SceneChanged() override;
  void ShowError(const char* message) override;
  void ResetHiscores(Unit& unit) override;
  void SetOverlays(Unit& unit, bool on) override;
  // KeysHost
  void AcceptKeys(Unit& unit, const std::array<int, kBindingCount>& choices) override;
  void RefreshHints() override;
  void EnableMainWindow() override;

  // The dialogs, made when first asked for: most runs never open them, and
  // their widgets and native windows would cost the first frame.
  TAboutForm& about();
  TKeysForm& keys();
  TManualForm& manual();
  PopupMenu& popup() { return popup_; }
  TSplashForm& splash() { return *splash_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StartUnit();

  bool first_activation_ = true;
  TForm1& form_;
  DataFolders data_folders_;
  std::unique_ptr<TAboutForm> about_;
  std::unique_ptr<TKeysForm> keys_;
  std::unique_ptr<TManualForm> manual_;
  PopupMenu popup_;
  StartHost start_;
  std::unique_ptr<TSplashForm> splash_;
  std::unique_ptr<XKeyRepeats> key_repeats_;
};

}  // namespace tiko
