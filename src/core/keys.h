// Key codes of the key-down events (the Windows virtual-key numbers the
// game has always used), the bits of the modifier mask, and the scan codes
// under which the keyboard poll reports held keys.
#pragma once

#include <cstdint>

namespace rara3 {

// Virtual-key codes. Letters and digits are their upper-case ASCII codes.
constexpr int16_t KeyBackspace = 8;
constexpr int16_t KeyTab = 9;
constexpr int16_t KeyEnter = 13;
constexpr int16_t KeyShift = 16;
constexpr int16_t KeyControl = 17;
constexpr int16_t KeyAlt = 18;
constexpr int16_t KeyPause = 19;
constexpr int16_t KeyCapsLock = 20;
constexpr int16_t KeyEscape = 27;
constexpr int16_t KeySpace = 32;
constexpr int16_t KeyPageUp = 33;
constexpr int16_t KeyPageDown = 34;
constexpr int16_t KeyEnd = 35;
constexpr int16_t KeyHome = 36;
constexpr int16_t KeyLeft = 37;
constexpr int16_t KeyUp = 38;
constexpr int16_t KeyRight = 39;
constexpr int16_t KeyDown = 40;
constexpr int16_t KeyPrintScreen = 44;
constexpr int16_t KeyInsert = 45;
constexpr int16_t KeyDelete = 46;
constexpr int16_t Key0 = 48;
constexpr int16_t Key1 = 49;
constexpr int16_t Key8 = 56;
constexpr int16_t Key9 = 57;
constexpr int16_t KeyA = 65;
constexpr int16_t KeyH = 72;
constexpr int16_t KeyM = 77;
constexpr int16_t KeyQ = 81;
constexpr int16_t KeyR = 82;
constexpr int16_t KeyS = 83;
constexpr int16_t KeyU = 85;
constexpr int16_t KeyZ = 90;
constexpr int16_t KeyLeftWindows = 91;
constexpr int16_t KeyRightWindows = 92;
constexpr int16_t KeyMenu = 93;
// The numeric keypad: 0..9, then * + - . /.
constexpr int16_t KeyPad0 = 96;
constexpr int16_t KeyPadMultiply = 106;
constexpr int16_t KeyPadAdd = 107;
constexpr int16_t KeyPadSubtract = 109;
constexpr int16_t KeyPadDecimal = 110;
constexpr int16_t KeyPadDivide = 111;
// F1 to F12 are consecutive.
constexpr int16_t KeyF1 = 112;
constexpr int16_t KeyF7 = 118;
constexpr int16_t KeyF9 = 120;
constexpr int16_t KeyF11 = 122;
// F13 to F24 follow F12.
constexpr int16_t KeyF13 = 124;
constexpr int16_t KeyNumLock = 144;
constexpr int16_t KeyScrollLock = 145;
// The media keys.
constexpr int16_t KeyVolumeMute = 173;
constexpr int16_t KeyVolumeDown = 174;
constexpr int16_t KeyVolumeUp = 175;
constexpr int16_t KeyMediaNext = 176;
constexpr int16_t KeyMediaPrevious = 177;
constexpr int16_t KeyMediaStop = 178;
constexpr int16_t KeyMediaPlay = 179;
// Punctuation, by its place on a US keyboard: ; = , - . / ` then [ \ ] '
// and the extra key beside the left Shift of European keyboards.
constexpr int16_t KeySemicolon = 186;
constexpr int16_t KeyEquals = 187;
constexpr int16_t KeyComma = 188;
constexpr int16_t KeyMinus = 189;
constexpr int16_t KeyPeriod = 190;
constexpr int16_t KeySlash = 191;
constexpr int16_t KeyGrave = 192;
constexpr int16_t KeyLeftBracket = 219;
constexpr int16_t KeyBackslash = 220;
constexpr int16_t KeyRightBracket = 221;
constexpr int16_t KeyApostrophe = 222;
constexpr int16_t KeyNonUsBackslash = 226;
// Every other key: it has no code of its own but still reaches the game
// (the ending's "any key").
constexpr int16_t KeyOther = 255;

constexpr int16_t ModShift = 1;
constexpr int16_t ModCtrl = 2;
constexpr int16_t ModAlt = 4;
// The hidden keys act only with exactly Ctrl+Shift held.
constexpr int16_t ModCtrlShift = ModCtrl | ModShift;

// Scan codes of the held arrow keys in the keyboard's poll.
constexpr int KeyStateUp = 200;
constexpr int KeyStateLeft = 203;
constexpr int KeyStateRight = 205;
constexpr int KeyStateDown = 208;

}  // namespace rara3
