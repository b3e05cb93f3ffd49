// What the side panels say in each scene, in the player's language: the
// left panel the floor and how it goes, the right panel the keys of the
// moment. The drawing wraps each line to the panel's width.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"

namespace rara3 {

struct PanelLine {
  std::string text;
  bool bright = false;  // just changed, or what the player should do now
  friend bool operator==(const PanelLine&, const PanelLine&) = default;
};

struct PanelLines {
  std::vector<PanelLine> left;
  std::vector<PanelLine> right;
};

// The lines of both panels for the scene in g. The ending has none.
PanelLines LinesForPanels(const GameState& g);

// The lines that tell a stuck player the floor can no longer be won, and
// the keys that help; none when noWayOut is false. The search that proves
// it feeds this flag.
std::vector<PanelLine> NoWayOutLines(bool noWayOut);

}  // namespace rara3
