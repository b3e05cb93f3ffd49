// The hint's mark over the board: a blinking frame round the box to push
// and an arrow the way to push it.
#pragma once

#include "core/platform.h"
#include "core/sheets.h"
#include "game/game_state.h"

namespace rara3 {

// A 2 x 2 patch of plain yellow in the title lettering (the ribbon of the
// logo's blue box): the mark is drawn with it, pixel pair by pixel pair, so
// it needs no picture of its own.
constexpr int kHintBrushSheet = kSheetLettering;
constexpr Rect kHintBrushRect{24, 170, 26, 172};

// Nothing unless a hint is on show.
void DrawHintMark(const GameState& g, Display& d);

}  // namespace rara3
