// Stages as text, one character per cell, for the stage files the data file
// is packed from (assets/stages/001.txt ...), the solver, the stage
// generator and the fuzzers.
//
// A stage file holds 20 lines of 20 characters, row 0 first; lines starting
// with ';' are comments.
#pragma once

#include <cstdint>
#include <string>

#include "core/data_layout.h"
#include "core/stage_chars.h"

namespace rara3 {

// Parses a stage file's text (LF or CR LF line ends). On failure the error
// names the file, the line and, for a bad character, the column; cells are
// left as they were.
bool ParseStageText(const std::string& text, const std::string& name, StageCells& cells,
                    std::string& error);

// The 20 lines of a stage, each ended by LF. unknownCells, when given,
// receives how many cells were written as kUnknownCellChar.
std::string FormatStageText(const StageCells& cells, int* unknownCells = nullptr);

}  // namespace rara3
