// Small stages for the solver's tests, drawn as rows of stage text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stage_file.h"

namespace rara3::solve {

// A stage of the given rows at the top left; walls everywhere else.
inline Board BoardOf(const std::vector<std::string>& rows) {
  std::string text = "; Test\n; idea\n";
  for (int y = 0; y < kBoardSize; ++y) {
    std::string row(kBoardSize, '#');
    if (y < static_cast<int>(rows.size())) row.replace(0, rows[y].size(), rows[y]);
    text += row + "\n";
  }
  StageFile file;
  std::string error;
  EXPECT_TRUE(ParseStageFile(text, file, error)) << error;
  Board b;
  EXPECT_TRUE(BoardForPlay(file, b, error)) << error;
  return b;
}

}  // namespace rara3::solve
