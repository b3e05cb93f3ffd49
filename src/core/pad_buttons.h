// The game's gamepad layout: every button gives the key-down of a key the
// game already knows, and the D-pad and left stick are held as the arrows.
// The SDL platform reads real pads into these; the simulator's `pad`
// command uses the same table.
#pragma once

#include <cstdint>

#include "core/keys.h"

namespace rara3 {

enum class PadButton {
  A, B, X, Y, Back, Start, Guide, LeftStick, RightStick, LeftShoulder, RightShoulder,
  DpadUp, DpadDown, DpadLeft, DpadRight, Other,
};

// The key-down a button gives. A and Start act as Enter, Back as Esc; B
// undoes (Backspace), Y restarts (R), X switches the colour set (Space). The
// D-pad gives the arrows (the title's floor, the editor's cursor); every
// other button is still a key, so it ends the ending.
constexpr int16_t KeyCodeOfPadButton(PadButton b) {
  switch (b) {
    case PadButton::A:
    case PadButton::Start: return KeyEnter;
    case PadButton::Back: return KeyEscape;
    case PadButton::B: return KeyBackspace;
    case PadButton::Y: return KeyR;
    case PadButton::X: return KeySpace;
    case PadButton::DpadUp: return KeyUp;
    case PadButton::DpadDown: return KeyDown;
    case PadButton::DpadLeft: return KeyLeft;
    case PadButton::DpadRight: return KeyRight;
    default: return KeyOther;
  }
}

// The scan code a held D-pad direction stands for in the keyboard's poll, or 0.
constexpr int HeldScanOfPadButton(PadButton b) {
  switch (b) {
    case PadButton::DpadUp: return KeyStateUp;
    case PadButton::DpadDown: return KeyStateDown;
    case PadButton::DpadLeft: return KeyStateLeft;
    case PadButton::DpadRight: return KeyStateRight;
    default: return 0;
  }
}

// How far the left stick must lean to count as a held arrow (of 32767).
constexpr int kPadStickThreshold = 16384;

}  // namespace rara3
