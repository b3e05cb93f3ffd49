// Runs a checked script against one game on the headless platform.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/position_search.h"
#include "core/window_events.h"
#include "platform/compose/compositor.h"
#include "platform/headless/compose_sink.h"
#include "platform/headless/headless_platform.h"
#include "sim_script.h"

namespace rara3::sim {

// Exit statuses of rara3-sim.
constexpr int kStatusOk = 0;
constexpr int kStatusFile = 1;  // the data file, or a snapshot that cannot be written
constexpr int kStatusScript = 2;

struct SimOptions {
  // Compose pixels (the script takes snapshots).
  bool compose = false;
  // Compose with the generated test sheets instead of the built-in art.
  bool testSheets = false;
  // The side panels shown from the start, as F1 shows them; the player's
  // settings file is not read, so every other run draws the screens bare.
  bool panels = false;
};

class Simulator {
 public:
  Simulator(Files& files, const SimOptions& options);

  // Bring-up from the data file's folder. False with a message on failure.
  bool Start(const std::string& programDir, std::string& error);
  // Runs the commands; returns the exit status. Output goes to out, problems
  // to err.
  int Run(const std::vector<Command>& script, std::ostream& out, std::ostream& err);

 private:
  // One pass with the queued events; true when the game has ended.
  bool Pass();
  void Hold(int32_t arrows);

  SimOptions options_;
  // "No way out" and H, searched a fixed number of states per pass so a
  // script sees the same finding on the same pass on every run.
  std::unique_ptr<PositionSearch> search_;
  std::unique_ptr<GameState> g_;
  HeadlessPlatform hp_;
  std::unique_ptr<Compositor> compositor_;
  std::unique_ptr<ComposeSink> sink_;
  std::vector<WindowEvent> queued_;
  int64_t frames_ = 0;
  // Where the last swipe left the pointer: a held one is let go there.
  int32_t swipeX_ = 320;
  int32_t swipeY_ = 240;
  size_t sfxSeen_ = 0;
  size_t pausesSeen_ = 0;
};

}  // namespace rara3::sim
