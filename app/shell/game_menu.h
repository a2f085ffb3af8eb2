// The in-game menu of the fullscreen presentation: a button in the top-left
// corner that unfolds into a column of text rows, one per popup menu entry.
#pragma once

#include <QAction>
#include <QLabel>
#include <array>

#include "app/shell/menu_host.h"
#include "engine/unit.h"

namespace tiko {

inline constexpr int kMenuEntries = 14;
using MenuItems = std::array<QAction*, kMenuEntries + 1>;  // [1..14]

class GameMenu {
 public:
  GameMenu(Unit& unit, MenuHost& host, const MenuItems& menu_item);

  void btn_game_menu_topClick();
  // Builds the rows when the menu is open, removes them otherwise.
  void Vid_Display_Game_Menu();
  // Closes the menu if it is open.
  void Close();

  bool game_menu_open = false;
  // Rows exist only while the menu is open; null otherwise.
  std::array<QLabel*, kMenuEntries + 1> menu_label{};

 private:
  void SizePicture(int width, int height);
  void ReleaseOnRow();

  Unit& unit_;
  MenuHost& host_;
  const MenuItems& menu_item_;
};

}  // namespace tiko
