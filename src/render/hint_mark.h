// The hint's mark over the board: a blinking frame round the box to push
// and an arrow the way to push it.
#pragma once

#include "core/platform.h"
#include "core/sheets.h"
#include "game/game_state.h"

namespace rara3 {

// A 2 x 2 patch of plain yellow in the title lettering: the mark is drawn
// with it, pixel pair by pixel pair, so it needs no picture of its own.
constexpr int kHintBrushSheet = kSheetLettering;
constexpr Rect kHintBrushRect{18, 150, 20, 152};

// Nothing unless a hint is on show.
void DrawHintMark(const GameState& g, Display& d);

}  // namespace rara3
