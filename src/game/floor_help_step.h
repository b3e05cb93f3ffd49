// The frame's part of the help for a stuck player, and the H key.
#pragma once

#include <cstdint>
#include <vector>

#include "game/game_state.h"

namespace rara3 {

// After the frame step: in the idle scene a search of the position on
// show (a new one whenever the position changes), its finding picked up
// once it ends; in every other scene, or in a replay, nothing is searched
// and nothing is claimed. Counts the hint's mark and notice down.
void StepFloorHelp(GameState& g);

// H in the idle scene: the mark on the next push of a shortest way out,
// counted in HintsTaken. While the search still runs, the mark follows when
// it ends. Where the search after the move reached its cap, a deeper one
// starts, and only when that one reaches its cap too a short notice says
// there is no hint. False when no mark went up now.
bool TakeHint(GameState& g);

// A newly loaded floor: no hints taken yet, nothing known of it.
void ResetFloorHelp(GameState& g);

// The first push of facings played from board: the pushed box's cell and
// the facing. With no push at all (the way out is a walk to the open exit),
// the exit's cell and facing 0.
HintMark FirstPushOf(const Board& board, const std::vector<int32_t>& facings);

}  // namespace rara3
