// The ten sound effects of the data file, by what starts them.
#pragma once

namespace rara3 {

enum class Effect : int {
  Push = 0,         // the first frame of a push
  Pairing = 1,      // two pair boxes pair up
  Clear = 2,        // the stage-clear scene starts
  Footstep = 3,     // loaded, never started by the original key table
  ColourChange = 4, // a copy box takes on the kind it hit
  Explosion = 5,    // a bomb box blows up what it hit
  Bump = 6,         // an undo on the board
  Vanish = 7,       // a vanish box starts to vanish
  Retire = 8,       // Esc on the board
  Ending = 9,       // the ending's portrait speaks
};

constexpr int kEffectCount = 10;

constexpr int EffectIndex(Effect e) { return static_cast<int>(e); }

}  // namespace rara3
