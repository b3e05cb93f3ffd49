// What a frame shows, asked of the state without changing it: the drawing
// and the frame step both ask these, so the pictures and the counters that
// follow them cannot disagree.
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace rara3 {

// DirIndex as the frame computed it; a facing outside the four directions
// is drawn facing down.
int32_t FrameDir(const GameState& g);
// kSheetTiles row of the current colour set. Inline, as the next: the
// drawing asks for every tile.
inline int32_t ColorRow(const GameState& g) { return g.switches.AltColors != 0 ? 1 : 0; }
// Frames per animation step, at least 1.
int32_t FramesPerStep(const GameState& g);
// The exit has opened on this cell (the player may be standing on it).
inline bool OpenExitAt(const GameState& g, int32_t x, int32_t y) {
  return g.ExitOpen && x == g.ExitX && y == g.ExitY;
}

// What the pushed box shows in a push frame: its slide, the event of its
// kind at the stop, or the box resting there until the push ends.
enum class BoxPart { Slide, Event, Rest };
BoxPart BoxPartOf(const GameState& g);

// The kind the board pass draws at (x, y): the board's, or the mid-pass
// change once the pass has reached the changing cell. Inline: the pass
// asks it of every cell.
inline int32_t KindInPass(const GameState& g, int32_t x, int32_t y) {
  const PassCellChange& c = g.frame.PassChange;
  if (c.active && x == c.x && y == c.y && (y > c.fromY || (y == c.fromY && x > c.fromX))) {
    return c.kind;
  }
  return g.Map[x][y];
}

// The exit glow shows on this cell of the board pass: the open exit and a
// player standing on it in the play scenes, every player on the clear
// screen. Never on the pushed box's cell.
inline bool ShowsExitGlow(const GameState& g, int32_t x, int32_t y, int32_t kind) {
  if (kind != KindExit && kind != KindPlayer) return false;
  switch (g.flow.Scene) {
    case SceneClear:
      return kind == KindPlayer;  // the player stands on the exit
    case ScenePush:
      if (x == g.TargetX && y == g.TargetY) return false;  // the box's own cell
      [[fallthrough]];
    case SceneIdle:
    case SceneWalk:
    case SceneRetire:
      return kind == KindExit || OpenExitAt(g, x, y);
    default:
      return false;
  }
}
// Each glow drawn takes the next value: 0 to 127, round.
constexpr int32_t NextGlowTick(int32_t tick) { return tick + 1 >= 128 ? 0 : tick + 1; }
// How many glows the board pass of the current scene draws.
int32_t GlowsInPass(const GameState& g);

}  // namespace rara3
