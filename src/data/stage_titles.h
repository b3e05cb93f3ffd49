// The title of each shipped stage, from the stage files the data file is
// packed from, in the player's language (the catalogue translates it); the
// side panel shows it.
#pragma once

#include <cstdint>

namespace rara3 {

// "" for a stage without a title or a number out of range.
const char* StageTitle(int32_t stageNo);

}  // namespace rara3
