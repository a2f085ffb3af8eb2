// What the popup and in-game menus ask of the main window.
#pragma once

#include "display/presentation.h"
#include "engine/unit.h"

class QWidget;

namespace tiko {

class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // The main window: it carries the shortcuts and the in-game menu's rows.
  virtual QWidget* MainWidget() = 0;
  // Window pixels per skin pixel: the unit's zoom, which the in-game menu's rows follow.
  virtual double UnitScale() const { return 1.0; }
  // The presentation switch, and the presentation in force, which the menus
  // watch: it outlives them.
  virtual void SwitchPresentation() = 0;
  virtual Presentation& presentation() = 0;
  virtual void RequestTerminate() = 0;  // takes effect back in the event loop
  virtual void Beep() = 0;
  // A command changed the scene outside the window's own handlers: repaint.
  virtual void SceneChanged() = 0;
  virtual void ShowError(const char* message) = 0;
  // The menu commands that change the unit; the program runs them through
  // its session, which records them.
  virtual void ResetHiscores(Unit& unit) { unit.ResetHiscores(); }
  virtual void SetOverlays(Unit& unit, bool on) { unit.SetControllerOverlay(on); }
};

}  // namespace tiko
