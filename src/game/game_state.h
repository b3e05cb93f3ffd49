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
  WriteHints,          // `value` as the hints taken on stage `stage`'s best clear
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

// The parts of the state. Each says who writes it; anything may read it.
// The fields keep the names the simulator prints and the tests use.

// Scene and stage selection. Written by the key handlers (scene_keys,
// stage_flow), the move step, the frame step (a walk or a push that ends)
// and the file work (a stage loaded, the editor closed).
struct SceneAndStage {
  int16_t Scene = SceneTitle;
  int32_t StageNo = 1;
  // The highest stage the title offers, from the progress byte.
  int32_t MaxStage = 0;
};

// The frame step's counters, each advanced after the flip of the frame that
// showed it; the move step resets those of the move it starts.
struct FrameCounters {
  // Frames shown of the current walk step, up to StepFrames.
  int32_t StepTick = 0;
  // Steps taken in the current move: the walk's 4-px steps (six a cell), or
  // the push pose's frames.
  int32_t AnimStep = 0;
  // The player's walking picture, 0 to 9; runs on from one walk to the next.
  int32_t WalkFrame = 0;
  // The exit glow's brightness clock: each glow drawn takes the next value.
  int32_t GlowTick = 0;
  int32_t ClearTick = 0;
  int32_t RetireTick = 0;
  int32_t EndingPhase = 0;
  int32_t EndingTick = 0;
};

// The player's switches. Written by the toggle keys (game/toggles.h), the
// bring-up (music and sound on once the tune is loaded) and the ending
// (music off).
struct PlayerSwitches {
  // Frames per animation step, the speed Enter cycles: 2 normal, 1 fast,
  // 3 slow.
  int32_t StepFrames = 0;
  int32_t AltColors = 0;
  bool MusicOn = false;
  bool SoundOn = false;
};

// The push in progress (the prepared push itself is in Board). Advanced by
// the frame step; the move step resets it when a push starts.
struct PushAnimation {
  int32_t SlideOffset = 0;
  bool PushPoseDone = false;
  bool SlideDone = false;
  bool EventDone = false;
  // Frames of the event at the stop, one counter per box kind.
  int32_t PairTick = 0;
  int32_t CopyTick = 0;
  int32_t VanishTick = 0;
  int32_t BlastTick = 0;
};

// Effects played once per move: the frame step sets each as its effect
// starts (with effects off too); the move step clears them.
struct EffectLatches {
  bool PushSfxDone = false;
  bool PairSfxDone = false;
  bool CopySfxDone = false;
  bool VanishSfxDone = false;
  bool BlastSfxDone = false;
  bool ClearSfxDone = false;
};

// Recording and replay. Written by the move step (a code recorded or taken),
// stage_flow (starts and ends), undo (codes taken back) and the file work (a
// replay read, the stage's start kept at a load).
struct MoveRecord {
  bool Recording = false;
  int32_t RecordCount = 0;
  int32_t RecordMoves[RecordCapacity] = {};
  bool ReplayMode = false;
  int32_t ReplayCount = 0;
  int32_t ReplayMoves[ReplayCapacity] = {};
  int32_t ReplayPos = 0;
  // The board as the stage in play started: undo and restart play from it.
  Board StageStart;
};

// What this frame shows, prepared by the step before drawing; the drawing
// only reads it.
struct PassView {
  // The direction index of the frame.
  int32_t DirIndex = 0;
  // The pairing flicker's random colour set and kind.
  int32_t FlickerRow = 0;
  int32_t FlickerColumn = 0;
  // The cell the pushed box changes in the middle of the board pass.
  PassCellChange PassChange;
  // State of the pseudo-random generator of the pairing flicker. The game
  // never seeds it, so every run flickers alike.
  uint32_t RndState = 0x50000;
};

// File work asked for and not yet carried out: the key handlers and scene
// steps queue it (RequestFileWork), CarryOutFileWork empties it.
struct FileWorkQueue {
  FileRequest FileRequests[kFileRequestCapacity] = {};
  int32_t FileRequestCount = 0;
};

// The program around the game: the start-up sets AppDir, the bring-up
// LoopStarted (just before the loop), HandleActivate FormActive.
struct Lifecycle {
  // The program's folder, with one trailing '/': the data file, replays and
  // exports are found there.
  std::string AppDir;
  bool LoopStarted = false;
  bool FormActive = false;
};

// The board fields (Map, player, exit, facing and the prepared push) come
// from Board, so the pure rules work on the very same fields.
struct GameState : Board {
  SceneAndStage flow;
  FrameCounters pace;
  PlayerSwitches switches;
  PushAnimation push;
  EffectLatches latches;
  MoveRecord record;
  PassView frame;
  FileWorkQueue fileWork;
  Lifecycle lifecycle;

  // Every step and push since the stage started, for undo: the move step
  // notes them, undo and restart take them back.
  UndoHistory Undo;
  // The side panels: F1 shows or hides them, the frame step fades a change,
  // the file work reads the best clear and the settings.
  PanelState Panel;
  // Taps, swipes and a walk to a tapped cell: the pointer events write it,
  // the timer tick takes its moves.
  PointerPlay Pointer;
  // "No way out" and the hint: the frame step starts and reads the search,
  // H asks for a hint.
  FloorHelp Help;

  // The arrows held at the last poll, a bit each (HeldBit): the timer
  // tick's poll reduces the keyboard to them, and a held swipe adds its
  // own. The raw keys stay with the platform.
  uint8_t HeldArrows = 0;
};

// The values the program starts with (every field not set
// here keeps its zero, False or empty start): the tables, StepFrames 2,
// StageNo 1, Scene title. AppDir and MaxStage are the caller's.
void SetStartingValues(GameState& g);

// Rnd(): the next number of the never-seeded generator, uniform in [0, 1).
double NextRandom(GameState& g);

}  // namespace rara3
