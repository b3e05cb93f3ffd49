// The screen, the nine sprite sheets and where every picture lies on them.
// Rectangles are right and bottom exclusive. The art generator reads the
// sheet sizes from here.
#pragma once

#include <cstdint>

#include "core/platform.h"

namespace rara3 {

// Sheet numbers.
constexpr int kSheetBlack = 0;  // solid black, the source of the clear
constexpr int kSheetPlayer = 1;  // the player, every animation
constexpr int kSheetTitle = 2;  // title background
constexpr int kSheetTiles = 3;  // object tiles and editor marks
constexpr int kSheetGlow = 4;  // exit glow
constexpr int kSheetLettering = 5;  // lettering
constexpr int kSheetFloors = 6;  // floor textures
constexpr int kSheetBlast = 7;  // explosion
constexpr int kSheetPortrait = 8;  // portrait

struct SheetSize {
  int32_t w;
  int32_t h;
};
constexpr SheetSize kSheetSize[kSheetCount] = {
    {640, 480}, {640, 1280}, {640, 480}, {216, 72}, {370, 88},
    {565, 436}, {440, 44},   {354, 142}, {192, 180},
};

// kSheetBlack is the opaque clear; every other sheet is keyed on black.
constexpr bool SheetIsKeyed(int sheet) { return sheet >= 1 && sheet < kSheetCount; }

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

constexpr Rect RectAt(int32_t left, int32_t top, int32_t w, int32_t h) {
  return Rect{left, top, left + w, top + h};
}

constexpr Rect kWholeScreen{0, 0, kScreenWidth, kScreenHeight};

// kSheetPlayer: cells 89 x 80. Rows 0-7 walk (two per direction), 8-11 push,
// 12 collapse, 13-14 cheer, 15 standing.
constexpr int32_t kPlayerW = 89;
constexpr int32_t kPlayerH = 80;
constexpr int32_t kWalkFrames = 10;
constexpr int32_t kPushFrames = 7;
constexpr int32_t kRetireFrames = 6;
constexpr int32_t kCheerFrames = 12;

constexpr Rect PlayerCell(int32_t column, int32_t row) {
  return RectAt(kPlayerW * column, kPlayerH * row, kPlayerW, kPlayerH);
}
constexpr Rect WalkRect(int32_t d, int32_t f) { return PlayerCell(f % 5, 2 * d + f / 5); }
constexpr Rect PushPoseRect(int32_t d, int32_t f) { return PlayerCell(f, 8 + d); }
constexpr Rect RetireRect(int32_t f) { return PlayerCell(f, 12); }
constexpr Rect CheerRect(int32_t f) { return PlayerCell(f % 6, 13 + f / 6); }
constexpr Rect StandRect(int32_t d) { return PlayerCell(d, 15); }

// kSheetTiles: cells 24 x 36, columns 0-7 the boxes of kinds 1-8, column 8 the
// editor marks; row 0 the first colour set, row 1 the second.
constexpr int32_t kTileW = 24;
constexpr int32_t kTileH = 36;
constexpr int32_t kBoxColumns = 8;
constexpr Rect TileRect(int32_t column, int32_t row) {
  return RectAt(kTileW * column, kTileH * row, kTileW, kTileH);
}
constexpr Rect kStartMarkerRect{192, 36, 216, 72};
constexpr Rect kExitMarkerRect{192, 0, 216, 36};
constexpr Rect kCursorRect{192, 18, 216, 54};

// kSheetGlow: 5 brightness steps per colour set, 37 x 88 each.
constexpr int32_t kGlowSteps = 5;
constexpr Rect GlowRect(int32_t step, int32_t colorSet) {
  return RectAt(37 * step + 185 * colorSet, 0, 37, 88);
}

// kSheetLettering: lettering; under the banner the side panels' small letters
// (render/panel_glyph_table.h).
constexpr Rect DigitRect(int32_t n) { return RectAt(48 * n, 0, 48, 60); }
constexpr Rect kFloorLabelRect{0, 60, 168, 120};
constexpr Rect kTitleLogoRect{0, 120, 468, 222};
constexpr Rect kBannerRect{0, 222, 565, 292};

// kSheetFloors: ten floor textures of 44 x 44.
constexpr int32_t kFloorTextures = 10;
constexpr int32_t kFloorSquare = 44;
constexpr Rect FloorRect(int32_t t) { return RectAt(kFloorSquare * t, 0, kFloorSquare, kFloorSquare); }

// kSheetBlast: twelve explosion frames of 59 x 71, six per row.
constexpr int32_t kBlastFrames = 12;
constexpr Rect BlastRect(int32_t f) { return RectAt(59 * (f % 6), 71 * (f / 6), 59, 71); }

// kSheetPortrait: the portrait, mouth closed (0) and open (1).
constexpr Rect PortraitRect(int32_t frame) { return RectAt(96 * frame, 0, 96, 180); }

}  // namespace rara3
