// The one record of game state. Every procedure of the game reads and
// writes it in place.
#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"
#include "core/scenes.h"
#include "game/board.h"
#include "game/floor_help.h"
#include "game/panel_state.h"
#include "game/undo_history.h"

namespace rara3 {

// Capacity of the move record and of a replay. Both hold the same number of
// codes so every file the game writes can be replayed whole. The record
// holds the moves that walked or pushed, as the undo history does, up to
// its capacity.
constexpr int32_t RecordCapacity = 8192;
constexpr int32_t ReplayCapacity = 8192;

// A cell the pushed box changes while a frame's board pass runs: from the
// pass's visit of cell (fromX, fromY) on, cell (x, y) shows kind; the cells
// drawn before it still show the board's kind.
struct PassCellChange {
  bool active = false;
  int32_t fromX = 0;
  int32_t fromY = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t kind = 0;
};

// File work a key asks for; game/file_work.h carries it out.
enum class FileWork : uint8_t {
  LoadStage,           // stage `stage` for play
  LoadStageForEditor,  // stage `stage` as stored, into the editor
  ReadReplay,          // the replay of stage `stage` into ReplayMoves
  WriteReplay,         // the first `value` recorded codes as stage `stage`'s replay
  WriteProgress,       // `value` as the progress byte
  SaveEditedStage,     // Map as stage `stage`, and its export file
  WriteSettings,       // the player's settings (the side panels shown)
};

struct FileRequest {
  FileWork work = FileWork::LoadStage;
  int32_t stage = 0;
  int32_t value = 0;
  // Failing, it ends the start of a replay on the title and drops the
  // requests after it.
  bool abandonsReplay = false;
  // Done, it takes the editor back to the title.
  bool closesEditor = false;
};

// The most file work one key asks for: the replay, the progress and the
// next stage after a clear.
constexpr int32_t kFileRequestCapacity = 4;

// Moves asked for by a tap or a pointer rather than a held arrow; made by
// the idle scene's poll through the same move step as the arrows.
struct PointerPlay {
  // Arrows tapped during a walk or push, oldest first, as facings.
  int32_t taps[2] = {};
  int32_t tapCount = 0;
  // A board cell tapped, waiting for the idle scene to plan it.
  bool targetPending = false;
  int32_t targetX = 0;
  int32_t targetY = 0;
  // The walk still to go, as facings.
  int32_t path[kBoardSize * kBoardSize] = {};
  int32_t pathLength = 0;
  int32_t pathPos = 0;
  // The press: where it started, whether it became a swipe, and the
  // swipe's facing and the ticks it has been held since.
  bool down = false;
  int32_t downX = 0;
  int32_t downY = 0;
  int32_t anchorX = 0;
  int32_t anchorY = 0;
  int32_t swipeFacing = 0;
  int32_t swipeTicks = 0;
};

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

  // Animation and pacing.
  int32_t StepFrames = 0;
  int32_t StepTick = 0;
  int32_t AnimStep = 0;
  int32_t WalkFrame = 0;
  int32_t GlowTick = 0;
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
  // The board as the stage in play started: undo and restart play from it.
  Board StageStart;
  UndoHistory Undo;

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

  // What this frame's board pass shows, prepared before drawing: the
  // pairing flicker's random colour and kind, the cell changed mid-pass.
  int32_t FlickerRow = 0;
  int32_t FlickerColumn = 0;
  PassCellChange PassChange;

  // The side panels beside the board.
  PanelState Panel;

  // File work asked for and not yet carried out.
  FileRequest FileRequests[kFileRequestCapacity] = {};
  int32_t FileRequestCount = 0;

  // Keyboard state as the last poll found it.
  uint8_t KeyState[256] = {};

  // The direction index of the frame.
  int32_t DirIndex = 0;

  PointerPlay Pointer;

  // State of the pseudo-random generator of the pairing flicker. The game
  // never seeds it, so every run flickers alike.
  uint32_t RndState = 0x50000;

  // "No way out" and the hint.
  FloorHelp Help;
};

// Gives the record the values the program starts with (every field not set
// here keeps its zero, False or empty start): the tables, StepFrames 2,
// StageNo 1, Scene title. AppDir and MaxStage are the caller's.
void InitGameState(GameState& g);

// Rnd(): the next number of the never-seeded generator, uniform in [0, 1).
double NextRandom(GameState& g);

}  // namespace rara3
