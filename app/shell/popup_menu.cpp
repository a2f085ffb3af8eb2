#include "app/shell/popup_menu.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>

#include "app/shell/about_form.h"
#include "app/shell/link_label.h"
#include "app/shell/manual_form.h"
#include "app/shell/splash_form.h"
#include "input/dialog/keys_form.h"
#include "record/recordings_folder.h"

namespace tiko {

namespace {

struct EntryInfo {
  const char* name;
  const char* caption;  // "-" is a separator
  QKeySequence shortcut;
  bool checkable;
};

const EntryInfo kEntries[kMenuEntries + 1] = {
    {"", "", {}, false},
    {"pm_1_about", "About...", QKeySequence(Qt::Key_F1), false},
    {"pm_2_readme", "View 'Readme.txt'", QKeySequence(Qt::Key_F2), false},
    {"pm_3_whatsnew", "View 'Whatsnew.txt'", QKeySequence(Qt::Key_F3), false},
    {"pm_4_manual", "View manual", QKeySequence(Qt::Key_F4), false},
    {"pm_5_n1", "-", {}, false},
    {"pm_6_config", "Edit configuration file", {}, false},
    {"pm_7_keys", "Key settings", {}, false},
    {"pm_8_hiscore", "Reset Hiscores", {}, false},
    {"pm_9_n2", "-", {}, false},
    {"pm_10_fullscreen", "Display in fullscreen mode", QKeySequence(Qt::Key_F12), true},
    {"pm_11_splashscreen", "Display splash screen at startup", {}, true},
    {"pm_12_controller", "Display controller overlays", {}, true},
    {"pm_13_n3", "-", {}, false},
    {"pm_14_exit", "Exit", QKeySequence(Qt::Key_Escape), false},
};

void Show(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

PopupMenu::PopupMenu(Unit& unit, SettingsStore& store, MenuHost& host, ShellWindows windows)
    : pm_0_menu(new QMenu),
      game_menu(unit, host, menu_item),
      unit_(unit),
      store_(store),
      host_(host),
      windows_(std::move(windows)),
      menu_(pm_0_menu) {
  pm_0_menu->setObjectName("pm_0_menu");
  QWidget* window = host_.MainWidget();
  for (int i = 1; i <= kMenuEntries; ++i) {
    const EntryInfo& entry = kEntries[i];
    const bool separator = QString(entry.caption) == "-";
    auto* action = new QAction(separator ? QString() : QString(entry.caption), pm_0_menu);
    action->setObjectName(entry.name);
    action->setSeparator(separator);
    action->setCheckable(entry.checkable);
    action->setAutoRepeat(false);  // a held F12 switches once
    if (!entry.shortcut.isEmpty()) {
      action->setShortcut(entry.shortcut);
      action->setShortcutContext(Qt::WindowShortcut);
      window->addAction(action);  // so the shortcut works with the menu closed
    }
    pm_0_menu->addAction(action);
    menu_item[i] = action;
  }
  QFont bold = menu_item[1]->font();
  bold.setBold(true);
  menu_item[1]->setFont(bold);  // the default entry

  QObject::connect(menu_item[1], &QAction::triggered, [this] { pm_1_aboutClick(); });
  QObject::connect(menu_item[2], &QAction::triggered, [this] { OpenDocument("Readme.txt"); });
  QObject::connect(menu_item[3], &QAction::triggered, [this] { OpenDocument("Whatsnew.txt"); });
  QObject::connect(menu_item[4], &QAction::triggered, [this] { pm_4_manualClick(); });
  QObject::connect(menu_item[6], &QAction::triggered, [this] { pm_6_configClick(); });
  QObject::connect(menu_item[7], &QAction::triggered, [this] { pm_7_keysClick(); });
  QObject::connect(menu_item[8], &QAction::triggered, [this] { pm_8_hiscoreClick(); });
  QObject::connect(menu_item[10], &QAction::triggered, [this] { pm_10_fullscreenClick(); });
  QObject::connect(menu_item[11], &QAction::triggered,
                   [this](bool checked) { pm_11_splashscreenClick(checked); });
  QObject::connect(menu_item[12], &QAction::triggered,
                   [this](bool checked) { pm_12_controllerClick(checked); });
  QObject::connect(menu_item[14], &QAction::triggered, [this] { host_.RequestTerminate(); });
  QObject::connect(pm_0_menu, &QMenu::aboutToShow, [this] { pm_0_menuPopup(); });

  pm_0_menu->addSeparator();
  watch_item = pm_0_menu->addAction(QStringLiteral("Watch a recorded game..."));
  watch_item->setObjectName("pm_15_watch");
  QObject::connect(watch_item, &QAction::triggered, [this] { WatchClick(); });
  watch = [](const std::filesystem::path& file) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--replay"), QString::fromStdString(file.string())});
  };

  menu_item[10]->setChecked(host_.presentation().Fullscreen());
  menu_item[12]->setChecked(unit_.ctrl_overlay_on());
  // However the presentation switches (this menu, F12, the in-game menu), the
  // check mark follows and the in-game menu closes.
  presentation_watch_ = host_.presentation().Watched([this](bool fullscreen) {
    game_menu.Close();
    menu_item[10]->setChecked(fullscreen);
  });
}

PopupMenu::~PopupMenu() = default;

void PopupMenu::Popup(const QPoint& global_position) {
  pm_0_menu->popup(global_position);
}

void PopupMenu::pm_0_menuPopup() {
  const bool splash_default = windows_.splash ? windows_.splash->SplashChecked() : true;
  bool splash_on = splash_default;
  try {
    splash_on = store_.ReadBool("SplashScreen", splash_default);
  } catch (const UnitError& e) {
    host_.ShowError(e.what());
  }
  menu_item[11]->setChecked(splash_on);
  menu_item[12]->setChecked(unit_.ctrl_overlay_on());
  if (host_.presentation().Fullscreen()) game_menu.Close();
}

void PopupMenu::OpenDocument(const char* name) {
  ShellOpen(QString::fromStdString(folders_.Find(name).string()));
}

// An installed Config.ini is not the player's to change: they edit a copy in
// their own folder, which the program reads from then on.
void PopupMenu::pm_6_configClick() {
  DataFolders::Editable config = folders_.EditableConfig();
  if (config.file) {
    ShellOpen(QString::fromStdString(config.file->string()));
  } else {
    host_.ShowError(config.error.c_str());
  }
}

void PopupMenu::pm_1_aboutClick() {
  if (windows_.about) Show(windows_.about());
}

void PopupMenu::pm_4_manualClick() {
  if (windows_.manual) Show(windows_.manual());
}

void PopupMenu::pm_7_keysClick() {
  TKeysForm* keys = windows_.keys ? windows_.keys() : nullptr;
  if (!keys) return;
  keys->CentreOnScreen();
  Show(keys);
  host_.MainWidget()->setEnabled(false);
}

void PopupMenu::pm_8_hiscoreClick() {
  host_.ResetHiscores(unit_);
  host_.Beep();
}

void PopupMenu::pm_10_fullscreenClick() {
  host_.SwitchPresentation();
}

void PopupMenu::pm_11_splashscreenClick(bool checked) {
  store_.WriteBool("SplashScreen", checked);
}

void PopupMenu::pm_12_controllerClick(bool checked) {
  host_.SetOverlays(unit_, checked);
  host_.SceneChanged();
}

namespace {

// "2026-12-08 06:08:06   Game A 123, Game B 45" from a recording's header.
QString Describe(const RecordingSummary& recording) {
  QStringList games;
  for (const std::string& game : recording.games) {
    // "HH:MM:SS A 123"
    const QStringList words = QString::fromStdString(game).split(' ');
    if (words.size() == 3) games << QStringLiteral("Game %1 %2").arg(words[1], words[2]);
  }
  const QString date = recording.date.empty()
                           ? QString::fromStdString(recording.file.stem().string())
                           : QString::fromStdString(recording.date);
  return date + QStringLiteral("   ") +
         (games.isEmpty() ? QStringLiteral("no game") : games.join(QStringLiteral(", ")));
}

}  // namespace

void PopupMenu::WatchClick() {
  const std::filesystem::path now =
      current_recording ? current_recording() : std::filesystem::path();
  std::vector<RecordingSummary> recordings;
  for (RecordingSummary& r : ListRecordings(RecordingsFolder())) {
    if (r.file != now) recordings.push_back(std::move(r));
  }
  QWidget* window = host_.MainWidget();
  if (recordings.empty()) {
    QMessageBox::information(window, QStringLiteral("Watch a recorded game"),
                             QStringLiteral("No game has been recorded yet."));
    return;
  }
  QStringList items;
  for (const RecordingSummary& r : recordings) items << Describe(r);
  QInputDialog dialog(window);
  dialog.setWindowTitle(QStringLiteral("Watch a recorded game"));
  dialog.setLabelText(QStringLiteral("Recorded games, the newest first:"));
  dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
  dialog.setComboBoxItems(items);
  dialog.setTextValue(items.front());
  dialog.setOkButtonText(QStringLiteral("Watch"));
  dialog.resize(460, 320);
  if (dialog.exec() != QDialog::Accepted) return;
  const qsizetype at = items.indexOf(dialog.textValue());
  if (at >= 0 && watch) watch(recordings[at].file);
}

}  // namespace tiko
