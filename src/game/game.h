// Index of the game's entry points for the loop and for drivers (the
// simulator, tests, benchmarks): each section names the header, and so the
// source file, that holds it.
#pragma once

// The key codes and modifier bits that drivers send.
#include "core/keys.h"

// scene_keys.h: HandleKeyDown, HandleActivate, HandleClose (the window's
// events), QuitSequence.
#include "game/scene_keys.h"

// move_step.h: HandleTimerTick (the 10 ms tick), the keyboard poll and the
// move step.
#include "game/move_step.h"

// startup.h: OpenGameFolder, before the platform comes up.
#include "game/startup.h"

// stage_flow.h: StartEnding and Retire, for drivers that set up a scene, and
// the road between stages.
#include "game/stage_flow.h"

// file_work.h: LoadStage and LoadStageForEditor, and every other read and
// write of the game's files.
#include "game/file_work.h"
