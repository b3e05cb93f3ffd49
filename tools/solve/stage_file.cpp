#include "stage_file.h"

#include <fstream>
#include <sstream>

#include "data/stage_text.h"

namespace rara3::solve {

namespace {

std::string TrimComment(const std::string& line) {
  size_t start = 1;
  while (start < line.size() && line[start] == ' ') ++start;
  return line.substr(start);
}
}  // namespace

bool ParseStageFile(const std::string& text, StageFile& out, std::string& error) {
  // The cells through the game's own parser; the first two comments here.
  StageCells cells;
  if (!ParseStageText(text, "stage", cells, error)) return false;
  StageFile stage;
  std::istringstream in(text);
  std::string line;
  int comments = 0;
  while (std::getline(in, line) && comments < 2) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != ';') continue;
    (comments == 0 ? stage.title : stage.idea) = TrimComment(line);
    ++comments;
  }
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) stage.cells[x][y] = cells[kBoardSize * y + x];
  out = stage;
  return true;
}

bool ReadStageFile(const std::string& path, StageFile& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (!ParseStageFile(text.str(), out, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

std::string FormatStageFile(const StageFile& stage) {
  std::string text;
  if (!stage.title.empty() || !stage.idea.empty()) {
    text += "; " + stage.title + "\n";
    text += "; " + stage.idea + "\n";
  }
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) text += StageCharOfKind(stage.cells[x][y]);
    text += '\n';
  }
  return text;
}

bool BoardForPlay(const StageFile& stage, Board& out, std::string& error) {
  StageCells cells;
  int players = 0;
  int exits = 0;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      const int32_t kind = stage.cells[x][y];
      players += kind == KindPlayer;
      exits += kind == KindExit;
      cells[kBoardSize * y + x] = static_cast<uint8_t>(kind);
    }
  }
  if (players != 1 || exits != 1) {
    error = std::to_string(players) + " player cells and " + std::to_string(exits) +
            " exit cells, expected one of each";
    return false;
  }
  // As the game loads a stage for play.
  Board b;
  PlaceStageCells(b, cells, true);
  b.ExitOpen = false;
  b.Facing = FacingDown;
  out = b;
  return true;
}

}  // namespace rara3::solve
