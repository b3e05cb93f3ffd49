// What the side panels need beyond the rest of the game state.
#pragma once

#include <cstdint>

namespace rara3 {

// Frames a changed speed or colour set stays bright in the panel: two
// seconds at 60 frames a second.
constexpr int32_t kPanelChangeFrames = 120;

enum class PanelChange : uint8_t { None, Speed, Colors };

struct PanelState {
  // F1. Off until the start-up reads the player's settings, so drivers and
  // tests draw the screens without them unless they ask.
  bool shown = false;
  // The clear kept in the floor's replay file, or -1 without one.
  int32_t bestMoves = -1;
  int32_t bestPushes = -1;
  // The hints taken on that clear, from the hints file, or -1 unknown.
  int32_t bestHints = -1;
  // The setting changed last and the frames it stays bright.
  PanelChange change = PanelChange::None;
  int32_t changeTicks = 0;
};

}  // namespace rara3
