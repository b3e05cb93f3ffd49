// A stage file as the tools read it: 20 lines of 20 cell characters, lines
// starting with ';' are comments (the first is the title, the second the
// idea of the puzzle).
#pragma once

#include <string>
#include <vector>

#include "core/stage_chars.h"
#include "game/board.h"

namespace rara3::solve {

struct StageFile {
  std::string title;
  std::string idea;
  // Cell kinds as stored, 0..10; the exit is kept as KindExit here.
  int32_t cells[kBoardSize][kBoardSize] = {};
};

// Parses the text of a stage file. On a fault, error names the line and
// column and the result is false.
bool ParseStageFile(const std::string& text, StageFile& out, std::string& error);
bool ReadStageFile(const std::string& path, StageFile& out, std::string& error);

// The text of a stage file: the comment lines, then the 20 rows.
std::string FormatStageFile(const StageFile& stage);

// The board as the game loads it for play: the exit cell becomes empty with
// its position kept apart and closed, the player stands in its cell. False
// when the stage has no player or no exit, or more than one of either.
bool BoardForPlay(const StageFile& stage, Board& out, std::string& error);

}  // namespace rara3::solve
