// Scene numbers, and the frame counts at which the clear, retire and ending
// scenes stop and wait for a key.
#pragma once

#include <cstdint>

namespace rara3 {

constexpr int16_t SceneTitle = 0;
constexpr int16_t SceneIdle = 1;
constexpr int16_t SceneWalk = 2;
constexpr int16_t ScenePush = 3;
constexpr int16_t SceneClear = 4;
constexpr int16_t SceneRetire = 5;
constexpr int16_t SceneEnding = 6;
constexpr int16_t SceneEditor = 7;
constexpr int16_t kSceneCount = 8;

// Stage clear: the cheer runs to ClearTick 95 and holds; Enter acts then.
constexpr int32_t kClearHold = 95;
// Retire: the collapse runs to RetireTick 47 and holds; Esc acts then.
constexpr int32_t kRetireHold = 47;
// Ending: phases 0 to 6 last these many frames; phase 7 holds, and a key
// then ends the program.
constexpr int32_t kEndingPhaseFrames[7] = {100, 200, 15, 25, 15, 35, 150};
constexpr int32_t kEndingLastPhase = 7;

}  // namespace rara3
