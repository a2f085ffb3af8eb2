// Giving play back after a sequence that stopped every timer: the part all the
// resumes share, the tunes they start it with, and the falling coconut they
// clear away.
#include "engine/play_intervals.h"
#include "engine/unit.h"

namespace tiko {

using namespace play;
using namespace seg;

// The crow tick at the speed the score gives, Garu's arm, the umbrellas and
// balloons, and the key's blink while it hangs: the hero obeys again.
void Unit::ResumeNormalPlay() {
  Gam_Set_Difficulty();
  Enable(TimerId::Timer_Game);
  Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
  Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
  if (state_.vars.key_state == KeyState::kHanging) Enable(TimerId::Timer_Key_Blink);
  state_.vars.play_active = true;
}

// The flying tune sounds now and again every period.
void Unit::StartFlyingTune() {
  Play(SoundId::snd_Flying);
  Start(TimerId::Timer_Flying_Music, kFlyingTuneMs);
}

// Disabling and enabling again restarts the tune's period from now.
void Unit::RestartFlyingMusic() {
  Interval(TimerId::Timer_Flying_Music, kFlyingTuneMs);
  Disable(TimerId::Timer_Flying_Music);
  Enable(TimerId::Timer_Flying_Music);
}

// After the coconut bonus, or chance time that cut it short: the coconut tune
// plays and normal play goes on. A bonus that came while the hero hung at
// (1, 4) had stopped his jump: it goes on to its landing, which gives play back,
// rather than leaving him stuck where no button moves him.
void Unit::ResumePlayWithCoconutTune() {
  Silence();
  Play(SoundId::snd_Coconut);
  Enable(TimerId::Timer_Coconut);
  Start(TimerId::Timer_Coconut_Music, kCoconutTuneMs);
  ResumeNormalPlay();
  if (state_.vars.hero_col == 1 && state_.vars.hero_row == 4) {
    Enable(TimerId::Timer_Tiko_Jump);
    state_.vars.play_active = false;
  }
}

// A falling coconut is removed, a hanging one kept.
void Unit::RemoveFallingCoconut() {
  bool hanging = Lit(coconut_seg[0]);
  Vid_Show_All_Coconuts(false);
  if (hanging) Show(coconut_seg[0]);
}

}  // namespace tiko
