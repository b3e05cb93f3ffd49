// Key codes of the key-down events (the Windows virtual-key numbers the
// game has always used) and the bits of the modifier mask.
#pragma once

#include <cstdint>

namespace rara3 {

constexpr int16_t KeyEnter = 13;
constexpr int16_t KeyEscape = 27;
constexpr int16_t KeySpace = 32;
constexpr int16_t KeyLeft = 37;
constexpr int16_t KeyUp = 38;
constexpr int16_t KeyRight = 39;
constexpr int16_t KeyDown = 40;
constexpr int16_t Key0 = 48;
constexpr int16_t Key1 = 49;
constexpr int16_t Key8 = 56;
constexpr int16_t Key9 = 57;
constexpr int16_t KeyA = 65;
constexpr int16_t KeyM = 77;
constexpr int16_t KeyQ = 81;
constexpr int16_t KeyS = 83;
constexpr int16_t KeyZ = 90;
constexpr int16_t KeyF7 = 118;
constexpr int16_t KeyF9 = 120;
constexpr int16_t KeyF11 = 122;

constexpr int16_t ModShift = 1;
constexpr int16_t ModCtrl = 2;
constexpr int16_t ModAlt = 4;
// The hidden keys act only with exactly Ctrl+Shift held.
constexpr int16_t ModCtrlShift = ModCtrl | ModShift;

}  // namespace rara3
