// What the benchmarks share: the shipped data file packed in memory, a game
// brought up on it, and the time of a plain copy of one frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/compose/compositor.h"
#include "platform/headless/compose_sink.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"

namespace rara3::bench {

// AppDir of the benchmark games; the data file and the shipped solutions
// (as replay files) live there in memory.
inline const std::string kBenchDir = "/bench";
MemoryFiles& ShippedFiles();

// A game on the headless platform; with pixels, every blit is composed with
// the built-in art. Blits are never recorded.
struct BenchGame {
  explicit BenchGame(bool pixels);
  MemoryFiles files = ShippedFiles();
  HeadlessPlatform hp{files};
  std::unique_ptr<Compositor> compositor;
  std::unique_ptr<ComposeSink> sink;
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& g = *state;
};

// CPU time of this thread: on a shared machine, wall time counts the other
// programs too.
double ThreadCpuNanos();
// CPU nanoseconds of one memcpy of the 640 x 480 RGB565 frame, measured now.
double FrameCopyNanos();

}  // namespace rara3::bench
