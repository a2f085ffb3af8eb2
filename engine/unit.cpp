#include "engine/unit.h"

namespace tiko {

Unit::Unit(UnitPorts ports) : ports_(ports) {}

void Unit::Play(SoundId id) {
  if (ports_.cues) ports_.cues->Snd_Play(id);
}

void Unit::Silence() {
  if (ports_.cues) ports_.cues->Snd_Silence();
}

void Unit::ShowError(const std::string& message) {
  if (ports_.errors) ports_.errors->ShowError(message);
}

bool Unit::CreateReadPresentation() {
  try {
    if (ports_.store) return ports_.store->ReadBool("FullscreenMode", true);
  } catch (const UnitError& e) {
    ShowError(e.what());
  }
  return true;
}

void Unit::CreateFinish() {
  try {
    LoadKeyBindings();
  } catch (const UnitError& e) {
    ShowError(e.what());
  }
  try {
    if (ports_.store) ctrl_overlay_on_ = ports_.store->ReadBool("CtrlrOverlay", true);
    Vid_Display_Ctrl_Overlay();
  } catch (const UnitError& e) {
    ShowError(e.what());
  }
  try {
    if (ports_.store) {
      state_.vars.hiscore_a = ports_.store->ReadInteger("HiScore1", state_.vars.hiscore_a);
      state_.vars.hiscore_b = ports_.store->ReadInteger("HiScore2", state_.vars.hiscore_b);
    }
  } catch (const UnitError& e) {
    ShowError(e.what());
  }
  state_.vars.play_active = false;
  state_.vars.hero_move_lock = false;
  EnterMode(mode::kClosed);
}

void Unit::HandOver() {
  EnterMode(mode::kClosed);
}

void Unit::ResetHiscores() {
  state_.vars.hiscore_a = 0;
  if (ports_.store) ports_.store->WriteInteger("HiScore1", 0);
  state_.vars.hiscore_b = 0;
  if (ports_.store) ports_.store->WriteInteger("HiScore2", 0);
}

void Unit::SetControllerOverlay(bool on) {
  ctrl_overlay_on_ = on;
  if (ports_.store) ports_.store->WriteBool("CtrlrOverlay", on);
  Vid_Display_Ctrl_Overlay();
}

void Unit::SetTimeOfDay(std::int64_t ms_of_day) {
  day_base_ms_ = ms_of_day;
  day_set_at_ = Now();
}

std::int64_t Unit::TimeOfDayMs() const {
  const std::int64_t ms = (day_base_ms_ + (Now() - day_set_at_)) % kDayMs;
  return ms < 0 ? ms + kDayMs : ms;
}

void Unit::Vid_Display_Ctrl_Overlay() {
  for (ImageId id : {btn_ctrlr_overlay_up, btn_ctrlr_overlay_left, btn_ctrlr_overlay_right,
                     btn_ctrlr_overlay_down}) {
    Set(id, ctrl_overlay_on_);
  }
  Set(btn_cross_top, !ctrl_overlay_on_);
}

void Unit::Gam_Stop_All_Timers() {
  for (int i = 0; i < kTimerCount; ++i) state_.timers.Disable(static_cast<TimerId>(i));
}

}  // namespace tiko
