// Stages as text, one character per cell, for the stage files the data file
// is packed from (assets/stages/001.txt ...), the solver, the stage
// generator and the fuzzers.
//
// A stage file holds 20 lines of 20 characters, row 0 first; lines starting
// with ';' are comments. Cells: '.' empty, 'P' pair, '%' break, 'V' vanish,
// 'T' step, 'S' slide, 'C' copy, '#' solid, 'B' bomb, '@' player, 'E' exit.
#pragma once

#include <cstdint>
#include <string>

#include "data/data_file.h"

namespace rara3 {

// The character of each kind 0..10, in kind order.
constexpr char kStageChars[] = ".P%VTSC#B@E";
// How a stored value above 10 is shown; never accepted back.
constexpr char kUnknownCellChar = '?';

// The kind of a cell character, or -1 when it is not one.
int32_t KindOfStageChar(char c);
// The character of a stored cell value; kUnknownCellChar above 10.
char StageCharOfKind(uint8_t kind);

// Parses a stage file's text (LF or CR LF line ends). On failure the error
// names the file, the line and, for a bad character, the column; cells are
// left as they were.
bool ParseStageText(const std::string& text, const std::string& name, StageCells& cells,
                    std::string& error);

// The 20 lines of a stage, each ended by LF. unknownCells, when given,
// receives how many cells were written as kUnknownCellChar.
std::string FormatStageText(const StageCells& cells, int* unknownCells = nullptr);

}  // namespace rara3
