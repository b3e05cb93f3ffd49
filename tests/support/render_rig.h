// A game state and the recording platform for frame tests: the program's
// start values, the loop running, sounds on, and a board drawn from stage
// characters.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "app/main_loop.h"
#include "core/sheets.h"
#include "support/test_boards.h"
#include "game/move_step.h"

namespace rara3::test {

struct RenderRig {
  RenderRig() {
    SetStartingValues(g);
    g.lifecycle.LoopStarted = true;
    g.switches.SoundOn = true;
  }

  // Puts a board in play: the idle scene, facing down.
  void Play(const std::vector<std::string>& rows) {
    FillBoard(g, rows);
    g.Facing = FacingDown;
    g.flow.Scene = SceneIdle;
  }

  // A move as the timer starts it; true when it started a walk or a push.
  bool Move(int32_t facing) {
    g.Facing = facing;
    ResolveMove(g);
    return g.flow.Scene != SceneIdle;
  }

  void Frame() { RunFrame(g, hp.platform); }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Frames run until the scene leaves `scene` (at most `limit`).
  int FramesWhile(int16_t scene, int limit = 10000) {
    int n = 0;
    while (g.flow.Scene == scene && n < limit) {
      Frame();
      ++n;
    }
    return n;
  }

  const std::vector<BlitRecord>& Shown() const { return hp.display.lastFrame; }
  std::vector<BlitRecord> OfSheet(int sheet) const {
    std::vector<BlitRecord> out;
    for (const BlitRecord& b : Shown())
      if (b.sheet == sheet) out.push_back(b);
    return out;
  }
  // Index of the first blit of the last frame matching, -1 if none.
  template <class Pred>
  int IndexOf(Pred pred) const {
    for (size_t i = 0; i < Shown().size(); ++i)
      if (pred(Shown()[i])) return static_cast<int>(i);
    return -1;
  }
  std::vector<int>& Sfx() { return hp.audio.sfxStarted; }

  MemoryFiles files;
  HeadlessPlatform hp{files};
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& g = *state;
};

// A board with its ring of solid boxes and the given inner rows, written
// from column 1 of row 1 on.
inline std::vector<std::string> Room(const std::vector<std::string>& inner) {
  std::vector<std::string> rows(20, std::string(20, '.'));
  for (int i = 0; i < 20; ++i) {
    rows[0][i] = rows[19][i] = '#';
    rows[i][0] = rows[i][19] = '#';
  }
  for (size_t y = 0; y < inner.size() && y < 18; ++y)
    for (size_t x = 0; x < inner[y].size() && x < 18; ++x) rows[y + 1][x + 1] = inner[y][x];
  return rows;
}

}  // namespace rara3::test
