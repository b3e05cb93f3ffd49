// The size of each sprite sheet and of the screen. A sheet of another size
// is refused when the sheets are loaded.
#pragma once

#include "platform/platform.h"

namespace rara3 {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

constexpr int kSheetWidth[kSheetCount] = {640, 640, 640, 216, 370, 565, 440, 354, 192};
constexpr int kSheetHeight[kSheetCount] = {480, 1280, 480, 72, 88, 292, 44, 142, 180};

// Picture0 is the opaque clear; every other sheet is keyed on black.
constexpr bool SheetIsKeyed(int sheet) { return sheet >= 1 && sheet < kSheetCount; }

}  // namespace rara3
