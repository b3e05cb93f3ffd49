// Replay files: "007.PBD" beside the program, decimal lines ended by CR LF,
// the count first, then the move codes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/data_layout.h"
#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// AppDir, the stage number as three digits, and the extension (".PBD",
// ".LVL").
std::string StageFilePath(const std::string& appDir, int32_t stageNo, const char* extension);

// The bytes of a replay file holding these codes.
std::vector<uint8_t> FormatReplay(const int32_t* codes, int32_t count);

// Parses a replay file. Fails, without touching codes or count, when the
// bytes are not in the format, hold fewer codes than their count, or a count
// above capacity.
bool ParseReplay(const std::vector<uint8_t>& bytes, int32_t capacity, int32_t* codes,
                 int32_t& count, std::string& error);

// Reading and writing the files themselves is file work
// (game/file_work.h: ReadReplayFile, WriteReplayFile).

}  // namespace rara3
