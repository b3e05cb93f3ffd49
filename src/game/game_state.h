// The one record of game state, the scene and cell-kind numbers and the
// constant tables. Every procedure of the game reads and writes it in place.
#pragma once

#include <cstdint>
#include <string>

#include "game/board.h"
#include "platform/platform.h"

namespace rara3 {

// Scene numbers.
constexpr int16_t SceneTitle = 0;
constexpr int16_t SceneIdle = 1;
constexpr int16_t SceneWalk = 2;
constexpr int16_t ScenePush = 3;
constexpr int16_t SceneClear = 4;
constexpr int16_t SceneRetire = 5;
constexpr int16_t SceneEnding = 6;
constexpr int16_t SceneEditor = 7;

// Move codes as stored in replay files.
constexpr int32_t MoveCodeRight = 28;
constexpr int32_t MoveCodeLeft = 29;
constexpr int32_t MoveCodeUp = 30;
constexpr int32_t MoveCodeDown = 31;

// Scan codes of the held arrow keys in KeyState.
constexpr int KeyStateUp = 200;
constexpr int KeyStateLeft = 203;
constexpr int KeyStateRight = 205;
constexpr int KeyStateDown = 208;

// Capacity of the move record and of a replay. Both hold the same number of
// codes so every file the game writes can be replayed whole.
constexpr int32_t RecordCapacity = 8192;
constexpr int32_t ReplayCapacity = 8192;

// The ten effects of the data file: offset and size of each wave file.
constexpr int32_t kSfxOffset[10] = {50931,  58437,  231047, 323421, 379053,
                                    471277, 634159, 674353, 719205, 759259};
constexpr int32_t kSfxSize[10] = {7506,   172610, 92374, 55632, 92224,
                                  162882, 40194,  44852, 40054, 308934};

// Brightness step of the exit glow for GlowTick / 16.
constexpr int32_t kPingPong[8] = {0, 1, 2, 3, 4, 3, 2, 1};

// The board fields (Map, player, exit, facing and the prepared push) come
// from Board, so the pure rules work on the very same fields.
struct GameState : Board {
  // Scene and stage selection.
  int16_t Scene = SceneTitle;
  int32_t StageNo = 1;
  int32_t MaxStage = 0;
  std::string AppDir;
  bool LoopStarted = false;
  bool FormActive = false;

  int32_t DirDX[4] = {0, 0, 0, 0};
  int32_t DirDY[4] = {0, 0, 0, 0};

  // Animation and pacing.
  int32_t StepFrames = 0;
  int32_t StepTick = 0;
  int32_t AnimStep = 0;
  int32_t WalkFrame = 0;
  int32_t GlowTick = 0;
  int32_t PingPong[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  int32_t AltColors = 0;
  int32_t ClearTick = 0;
  int32_t RetireTick = 0;
  int32_t EndingPhase = 0;
  int32_t EndingTick = 0;

  // Sound switches.
  bool MusicOn = false;
  bool SoundOn = false;

  // Recording and replay.
  bool Recording = false;
  int32_t RecordCount = 0;
  int32_t RecordMoves[RecordCapacity] = {};
  bool ReplayMode = false;
  int32_t ReplayCount = 0;
  int32_t ReplayMoves[ReplayCapacity] = {};
  int32_t ReplayPos = 0;

  // Push animation state (the prepared push itself lives in Board).
  int32_t SlideOffset = 0;
  bool PushPoseDone = false;
  bool SlideDone = false;
  bool EventDone = false;
  int32_t PairTick = 0;
  int32_t CopyTick = 0;
  int32_t VanishTick = 0;
  int32_t BlastTick = 0;
  bool PushSfxDone = false;
  bool PairSfxDone = false;
  bool CopySfxDone = false;
  bool VanishSfxDone = false;
  bool BlastSfxDone = false;
  bool ClearSfxDone = false;

  // Keyboard state as the last poll found it.
  uint8_t KeyState[256] = {};

  // Output of ClipToView, and the direction index of the frame.
  Rect ClipSrc;
  int32_t ClipX = 0;
  int32_t ClipY = 0;
  int32_t DirIndex = 0;

  // The effect table of the data file.
  int32_t SfxOffset[10] = {};
  int32_t SfxSize[10] = {};

  // State of the pseudo-random generator of the pairing flicker. The game
  // never seeds it, so every run flickers alike.
  uint32_t RndState = 0x50000;
};

// Gives the record the values the program starts with (every field not set
// here keeps its zero, False or empty start): the tables, StepFrames 2,
// StageNo 1, Scene title. AppDir and MaxStage are the caller's.
void InitGameState(GameState& g);

// Rnd(): the next number of the never-seeded generator, uniform in [0, 1).
double NextRandom(GameState& g);

}  // namespace rara3
