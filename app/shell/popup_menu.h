// The popup menu of the main window with its 14 entries, and after them the
// recorded games to watch; the shortcuts work without opening it. In
// fullscreen the in-game menu offers the 14 entries.
#pragma once

#include <QMenu>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/shell/game_menu.h"
#include "app/shell/menu_host.h"
#include "config/ini/data_folders.h"
#include "engine/ports.h"
#include "engine/unit.h"

namespace tiko {

class TAboutForm;
class TKeysForm;
class TManualForm;
class TSplashForm;

// The shell's windows; the program makes each when it is first asked for.
struct ShellWindows {
  std::function<TAboutForm*()> about;
  std::function<TKeysForm*()> keys;
  std::function<TManualForm*()> manual;
  TSplashForm* splash = nullptr;  // may be null until it is created

  // Windows that exist already.
  static ShellWindows Made(TAboutForm* about, TKeysForm* keys, TManualForm* manual,
                           TSplashForm* splash) {
    return {[about] { return about; }, [keys] { return keys; }, [manual] { return manual; },
            splash};
  }
};

class PopupMenu {
 public:
  PopupMenu(Unit& unit, SettingsStore& store, MenuHost& host, ShellWindows windows);
  ~PopupMenu();

  void SetSplash(TSplashForm* splash) { windows_.splash = splash; }
  // Where Readme.txt, Whatsnew.txt and Config.ini are opened from.
  void SetDataFolders(const DataFolders& folders) { folders_ = folders; }
  // Opens the menu at a screen position (a right click on the main window).
  void Popup(const QPoint& global_position);
  void pm_0_menuPopup();

  void SetSplashScreenCheck(bool on) { menu_item[11]->setChecked(on); }

  QMenu* pm_0_menu;
  MenuItems menu_item{};  // [1..14], in menu order
  QAction* watch_item;    // "Watch a recorded game...", after them
  // The recording being made now, which is no game to watch yet.
  std::function<std::filesystem::path()> current_recording;
  // Plays a recording in a window of its own; a second program unless replaced.
  std::function<void(const std::filesystem::path&)> watch;
  GameMenu game_menu;

 private:
  void OpenDocument(const char* name);
  void pm_6_configClick();
  void pm_1_aboutClick();
  void pm_4_manualClick();
  void pm_7_keysClick();
  void pm_8_hiscoreClick();
  void pm_10_fullscreenClick();
  void pm_11_splashscreenClick(bool checked);
  void pm_12_controllerClick(bool checked);
  void WatchClick();

  Unit& unit_;
  SettingsStore& store_;
  MenuHost& host_;
  ShellWindows windows_;
  DataFolders folders_;
  std::unique_ptr<QMenu> menu_;
  Presentation::Watch presentation_watch_;
};

}  // namespace tiko
