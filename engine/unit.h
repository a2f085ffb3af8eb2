// The simulated unit: scene, engine variables, timers, key bindings and every
// rule. One object, the same in the simulator, in tiko-script and in tests.
// Operations keep the names the unit's rules give them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/keys/controls.h"
#include "engine/keys/key_bindings.h"
#include "engine/keys/key_list.h"
#include "engine/lcd/lcd.h"
#include "engine/ports.h"
#include "engine/random.h"
#include "engine/scene.h"
#include "engine/segments.h"
#include "engine/timers.h"
#include "engine/vars.h"

namespace tiko {

namespace hero {
struct Move;
}

struct UnitPorts {
  CueSink* cues = nullptr;
  SettingsStore* store = nullptr;
  LocalClock* clock = nullptr;
  ErrorSink* errors = nullptr;
};

// The unit's state in its groups. The key bindings are a group of their own
// (KeyBindings), kept beside it.
struct UnitState {
  Scene scene;          // every window image: place, size, visibility, picture
  Vars vars;            // the engine variables
  TimerBank timers;     // the 22 game timers on virtual time
  RandomSource random;  // the one random generator
};

class Unit {
 public:
  explicit Unit(UnitPorts ports);

  // --- creation of the main window, engine side, after the skin loader ---
  // Key bindings, CtrlrOverlay, high scores, then mode 0. Each step that fails
  // on a store value shows its error and the creation goes on.
  void CreateFinish();
  // The splash window's hand-over: mode 0 once more.
  void HandOver();
  // The window's layout: the skin loader places the images and sizes them in
  // the scene it is given; the rules switch the segments.
  void LayOut(const std::function<void(Scene&)>& lay_out) { lay_out(state_.scene); }

  // --- time ---
  // Runs every tick due at or before `t`, earliest first, each at its due
  // time; then time is `t`. An error a tick raises is shown and abandons that
  // tick alone.
  void RunUntil(std::int64_t t);
  // The catch-up after the program was held up for `ms`: time jumps to
  // now + ms, then every timer due by then fires once, there.
  void Stall(std::int64_t ms);
  std::int64_t Now() const { return state_.timers.Now(); }

  // --- local time of day ---
  // Without a clock port the unit keeps its own time of day on its time line:
  // 00:00:00.000 at time 0, then whatever SetTimeOfDay sets, running on.
  void SetTimeOfDay(std::int64_t ms_of_day);  // 0 .. kDayMs - 1
  std::int64_t TimeOfDayMs() const;           // the time of day now, ms since midnight

  // --- controls: the one way in for every front end ---
  void Press(Control control);
  void Release(Control control);
  // Key binding n (1..9) pressed or released, from its key or its pad button:
  // binding 4 opens the closed lid and is ACL once the unit is open.
  void PressBinding(int n);
  void ReleaseBinding(int n);
  // The control binding n drives now, for a front end that records controls.
  std::optional<Control> ControlOfBinding(int n) const;
  // A key with virtual-key code `key`, through the binding it is set to.
  void FormKeyDown(int key);
  void FormKeyUp(int key);

  // --- keys ---
  // The key settings dialog's Accept: binding n takes choices[n - 1], stored
  // as Key<n>, then decoded, for n = 1 to 9 in turn.
  void AcceptKeys(const std::array<int, kBindingCount>& choices);
  const KeyBindings& key_bindings() const { return key_bindings_; }
  const KeyNames& key_names() const { return key_names_; }

  // The random generator's seed (the window seeds it from the clock at creation).
  void SeedRandom(std::uint32_t seed) { state_.random.Seed(seed); }

  // --- menu commands of the core ---
  void ResetHiscores();
  // The high score of game 'A' or 'B' as a recording begins with it; nothing
  // is stored.
  void RestoreHiscore(char game, int score);
  void SetControllerOverlay(bool on);  // the overlay menu command, without the check mark
  bool ctrl_overlay_on() const { return ctrl_overlay_on_; }

  // --- state, read by the views, the hosts and tiko-script's dump; tools and
  // tests that stage a moment write it through UnitProbe ---
  const Scene& scene() const { return state_.scene; }
  const Vars& vars() const { return state_.vars; }
  const TimerBank& timers() const { return state_.timers; }
  std::uint32_t random_seed() const { return state_.random.SeedValue(); }

 private:
  friend class UnitProbe;

  void RunTimer(TimerId id);
  void LoadKeyBindings();
  void Vid_Display_Ctrl_Overlay();

  // --- system buttons and lid (mode state machine) ---
  void Inp_open_down();
  void Inp_acl_down();
  void Inp_acl_up();
  void Inp_game_a_down();
  void Inp_game_a_up();
  void Inp_game_b_down();
  void Inp_game_b_up();
  void Inp_time_down();
  void Inp_time_up();

  // --- hero buttons ---
  void Inp_up_down();
  void Inp_up_up();
  void Inp_down_down();
  void Inp_down_up();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_jump_down();
  void Inp_jump_up();

  // --- game rules ---
  void Gam_Set_Mode();
  void EnterMode(Mode m);  // sets `mode` and applies it
  void Gam_Stop_All_Timers();
  void Gam_Set_Difficulty();
  bool Gam_Check_Collisions();
  void Gam_Check_Chance_Time();
  void Gam_Execute_Miss_Crow();
  void Gam_Execute_Miss_Fall();
  void Gam_Reprise_After_Miss();
  void Gam_End_Of_Game();  // the high-score rule after the third miss

  // --- timer handlers ---
  void Timer_Bonus_Phase_1Timer();
  void Timer_Bonus_Phase_2Timer();
  void Timer_ChanceTimer();
  void Timer_ClockTimer();
  void Timer_CoconutTimer();
  void Timer_Coconut_BonusTimer();
  void Timer_Coconut_MusicTimer();
  void Timer_Flying_MusicTimer();
  void Timer_GameTimer();
  void Timer_Game_OverTimer();
  void Timer_Game_StartTimer();
  void Timer_Tiko_1_1_HandTimer();
  void Timer_Tiko_6_HandTimer();
  void Timer_Tiko_JumpTimer();
  void Timer_Tiko_StepTimer();
  void Timer_Key_BlinkTimer();
  void Timer_Key_FallTimer();
  void Timer_Garu_ArmTimer();
  void Timer_Miss_CrowTimer();
  void Timer_Miss_FallTimer();
  void Timer_Score_BlinkTimer();
  void Timer_Umbrella_BalloonTimer();

  // Shorthands for the rules.
  bool Lit(ImageId id) const { return state_.scene.Visible(id); }
  void Set(ImageId id, bool on) { state_.scene.SetVisible(id, on); }
  void Show(ImageId id) { state_.scene.Show(id); }
  void Hide(ImageId id) { state_.scene.Hide(id); }
  void Copy(ImageId to, ImageId from) { state_.scene.SetVisible(to, state_.scene.Visible(from)); }
  void Play(SoundId id);
  void Silence();
  void ShowError(const std::string& message);
  // Runs every tick due by `limit`: each at its due time, or all at `limit`.
  void RunDue(std::int64_t limit, bool at_limit);
  void Start(TimerId id, int interval) { state_.timers.Start(id, interval); }
  void Enable(TimerId id) { state_.timers.Enable(id); }
  void Disable(TimerId id) { state_.timers.Disable(id); }
  void Interval(TimerId id, int interval) { state_.timers.SetInterval(id, interval); }

  // The LCD drawing operations (engine/lcd/lcd.h) on this unit's state_.scene, at the
  // places its variables hold.
  void Vid_Show_All(bool on) { lcd::Vid_Show_All(state_.scene, on); }
  void Vid_Show_All_Coconuts(bool on) { lcd::Vid_Show_All_Coconuts(state_.scene, on); }
  void Vid_Show_All_Garu_Chains(bool on) { lcd::Vid_Show_All_Garu_Chains(state_.scene, on); }
  void Vid_Show_Panel_Miss(int count) { lcd::Vid_Show_Panel_Miss(state_.scene, count); }
  void Vid_Show_Panel_Score(int value, bool visible) {
    lcd::Vid_Show_Panel_Score(state_.scene, value, visible);
  }
  void Vid_Show_Digit(int place, int digit) { lcd::Vid_Show_Digit(state_.scene, place, digit); }
  void Vid_Show_Hero(bool on) {
    lcd::Vid_Show_Hero(state_.scene, state_.vars.hero_col, state_.vars.hero_row, on);
  }
  void Vid_Show_Coconut(bool on) {
    lcd::Vid_Show_Coconut(state_.scene, state_.vars.coconut_pos, on);
  }
  void Vid_Show_Garu_Arm_Lock(bool on) {
    lcd::Vid_Show_Garu_Arm_Lock(state_.scene, state_.vars.garu_arm_pos, on);
  }

  // Pieces of the play rules shared by several of them.
  bool HeroPressAccepted();
  void ShowCrossPressed(ImageId picture_of);
  void MoveHero(int col, int row);
  bool StepWithCrowTest(const hero::Move& move);
  void StartStepLock();
  void ReachForLock(int row);
  void Catch();
  void FlyingTuneStart();
  void RestartFlyingMusic();
  bool MoveCrows(int phase);
  void PayCoconutBonusStep();
  void MoveUmbrellas();
  void MoveBalloons();
  void PayRescuePoint(Resume resume);
  void BuildNewCage();
  void RemoveFallingCoconut();
  void ResumeNormalPlay();
  void StartFlyingTune();
  void ResumePlayWithCoconutTune();
  void StopPlayForMiss();
  void EndChanceTime();

  UnitState state_;
  KeyBindings key_bindings_;
  KeyNames key_names_;
  bool ctrl_overlay_on_ = true;
  std::int64_t day_base_ms_ = 0;  // the own time of day at day_set_at_
  std::int64_t day_set_at_ = 0;
  UnitPorts ports_;
};

}  // namespace tiko
