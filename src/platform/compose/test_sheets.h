// Sheets for tests and for builds without art: every picture cell of the
// real layout, filled with a colour of its own inside a darker 1-px border,
// black wherever the real sheet is transparent. Tests tell from a pixel which
// cell was drawn there; the colours are exact in RGB565.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/compose/compositor.h"

namespace rara3 {

// Cell numbers: kSheetPlayer 7 * row + column; kSheetTiles 9 * row + column;
// kSheetGlow the column 0..9; kSheetLettering the digits 0..9, 10 the floor label, 11
// the logo, 12 the banner; kSheetFloors the texture; kSheetBlast the explosion
// frame; kSheetPortrait the portrait frame; kSheetTitle cell 0 (the whole sheet).
// Column 8 of kSheetTiles holds the editor markers in their real colours.
uint32_t TestCellColour(int sheet, int cell);  // 0xRRGGBB

// Where each cell's own colour can be read: an interior point of the
// drawn part, relative to the cell's top-left corner.
constexpr int kTestProbeX[9] = {0, 44, 4, 12, 18, 4, 4, 29, 4};
constexpr int kTestProbeY[9] = {0, 40, 4, 24, 60, 4, 4, 35, 4};

// A new 24-bit surface of sheet i's size; the caller frees it. Null only
// when SDL cannot allocate.
SDL_Surface* MakeTestSheet(int sheet);

// Gives the compositor all nine generated sheets.
bool LoadTestSheets(Compositor& compositor, std::string& error);

}  // namespace rara3
