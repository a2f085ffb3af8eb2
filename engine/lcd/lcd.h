// The LCD drawing operations: switching segment groups on the scene and
// writing numbers into the four digit places. The rules call them through the
// unit, which passes the positions its variables hold.
#pragma once

#include "engine/scene.h"

namespace tiko::lcd {

// Every LCD segment on (the panel reading 12:00 AM with three miss marks) or
// off (the digit places blank but present).
void Vid_Show_All(Scene& scene, bool on);
void Vid_Show_All_Hero(Scene& scene, bool on);
void Vid_Show_All_Crows(Scene& scene, bool on);
void Vid_Show_All_Coconuts(Scene& scene, bool on);
void Vid_Show_All_Umbrellas(Scene& scene, bool on);
void Vid_Show_All_Balloons(Scene& scene, bool on);
void Vid_Show_All_Garu_Body(Scene& scene, bool on);
void Vid_Show_All_Garu_Chains(Scene& scene, bool on);
void Vid_Show_All_Keys(Scene& scene, bool on);
void Vid_Show_All_Miss(Scene& scene, bool on);

// The MISS caption and `count` miss marks (more than three shows three).
void Vid_Show_Panel_Miss(Scene& scene, int count);
// The score modulo 1000 in the right three places, or those places blank.
void Vid_Show_Panel_Score(Scene& scene, int value, bool visible);
// Digit place 1..4 shows `digit`; -1 blanks it.
void Vid_Show_Digit(Scene& scene, int place, int digit);

// The hero at (col, row), the coconut at position `pos` (0..5), and Garu's arm
// and lock at arm position `pos` (1..6); places off the field draw nothing.
void Vid_Show_Hero(Scene& scene, int col, int row, bool on);
void Vid_Show_Coconut(Scene& scene, int pos, bool on);
void Vid_Show_Garu_Arm_Lock(Scene& scene, int pos, bool on);

}  // namespace tiko::lcd
