#include "platform/sdl/sdl_keys.h"

#include "core/keys.h"

namespace rara3 {

int ScanCodeOf(SDL_Scancode key) {
  if (key >= SDL_SCANCODE_F1 && key <= SDL_SCANCODE_F10) return 59 + (key - SDL_SCANCODE_F1);
  if (key >= SDL_SCANCODE_1 && key <= SDL_SCANCODE_0) return 2 + (key - SDL_SCANCODE_1);
  switch (key) {
    case SDL_SCANCODE_ESCAPE: return 1;
    case SDL_SCANCODE_MINUS: return 12;
    case SDL_SCANCODE_EQUALS: return 13;
    case SDL_SCANCODE_BACKSPACE: return 14;
    case SDL_SCANCODE_TAB: return 15;
    case SDL_SCANCODE_Q: return 16;
    case SDL_SCANCODE_W: return 17;
    case SDL_SCANCODE_E: return 18;
    case SDL_SCANCODE_R: return 19;
    case SDL_SCANCODE_T: return 20;
    case SDL_SCANCODE_Y: return 21;
    case SDL_SCANCODE_U: return 22;
    case SDL_SCANCODE_I: return 23;
    case SDL_SCANCODE_O: return 24;
    case SDL_SCANCODE_P: return 25;
    case SDL_SCANCODE_LEFTBRACKET: return 26;
    case SDL_SCANCODE_RIGHTBRACKET: return 27;
    case SDL_SCANCODE_RETURN: return 28;
    case SDL_SCANCODE_LCTRL: return 29;
    case SDL_SCANCODE_A: return 30;
    case SDL_SCANCODE_S: return 31;
    case SDL_SCANCODE_D: return 32;
    case SDL_SCANCODE_F: return 33;
    case SDL_SCANCODE_G: return 34;
    case SDL_SCANCODE_H: return 35;
    case SDL_SCANCODE_J: return 36;
    case SDL_SCANCODE_K: return 37;
    case SDL_SCANCODE_L: return 38;
    case SDL_SCANCODE_SEMICOLON: return 39;
    case SDL_SCANCODE_APOSTROPHE: return 40;
    case SDL_SCANCODE_GRAVE: return 41;
    case SDL_SCANCODE_LSHIFT: return 42;
    case SDL_SCANCODE_BACKSLASH: return 43;
    case SDL_SCANCODE_Z: return 44;
    case SDL_SCANCODE_X: return 45;
    case SDL_SCANCODE_C: return 46;
    case SDL_SCANCODE_V: return 47;
    case SDL_SCANCODE_B: return 48;
    case SDL_SCANCODE_N: return 49;
    case SDL_SCANCODE_M: return 50;
    case SDL_SCANCODE_COMMA: return 51;
    case SDL_SCANCODE_PERIOD: return 52;
    case SDL_SCANCODE_SLASH: return 53;
    case SDL_SCANCODE_RSHIFT: return 54;
    case SDL_SCANCODE_KP_MULTIPLY: return 55;
    case SDL_SCANCODE_LALT: return 56;
    case SDL_SCANCODE_SPACE: return 57;
    case SDL_SCANCODE_CAPSLOCK: return 58;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 69;
    case SDL_SCANCODE_SCROLLLOCK: return 70;
    case SDL_SCANCODE_KP_7: return 71;
    case SDL_SCANCODE_KP_8: return 72;
    case SDL_SCANCODE_KP_9: return 73;
    case SDL_SCANCODE_KP_MINUS: return 74;
    case SDL_SCANCODE_KP_4: return 75;
    case SDL_SCANCODE_KP_5: return 76;
    case SDL_SCANCODE_KP_6: return 77;
    case SDL_SCANCODE_KP_PLUS: return 78;
    case SDL_SCANCODE_KP_1: return 79;
    case SDL_SCANCODE_KP_2: return 80;
    case SDL_SCANCODE_KP_3: return 81;
    case SDL_SCANCODE_KP_0: return 82;
    case SDL_SCANCODE_KP_PERIOD: return 83;
    case SDL_SCANCODE_F11: return 87;
    case SDL_SCANCODE_F12: return 88;
    case SDL_SCANCODE_NONUSBACKSLASH: return 86;
    case SDL_SCANCODE_F13: return 100;
    case SDL_SCANCODE_F14: return 101;
    case SDL_SCANCODE_F15: return 102;
    case SDL_SCANCODE_KP_ENTER: return 156;
    case SDL_SCANCODE_RCTRL: return 157;
    case SDL_SCANCODE_KP_DIVIDE: return 181;
    case SDL_SCANCODE_RALT: return 184;
    case SDL_SCANCODE_HOME: return 199;
    case SDL_SCANCODE_UP: return KeyStateUp;
    case SDL_SCANCODE_PAGEUP: return 201;
    case SDL_SCANCODE_LEFT: return KeyStateLeft;
    case SDL_SCANCODE_RIGHT: return KeyStateRight;
    case SDL_SCANCODE_END: return 207;
    case SDL_SCANCODE_DOWN: return KeyStateDown;
    case SDL_SCANCODE_PAGEDOWN: return 209;
    case SDL_SCANCODE_INSERT: return 210;
    case SDL_SCANCODE_DELETE: return 211;
    case SDL_SCANCODE_PRINTSCREEN: return 183;
    case SDL_SCANCODE_PAUSE: return 197;
    case SDL_SCANCODE_LGUI: return 219;
    case SDL_SCANCODE_RGUI: return 220;
    case SDL_SCANCODE_APPLICATION: return 221;
    default: return 0;
  }
}

namespace {

// Keys that are the same wherever the layout puts its letters: by position.
int16_t VirtualKeyOfPlace(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) {
    return static_cast<int16_t>(KeyA + (code - SDL_SCANCODE_A));
  }
  if (code >= SDL_SCANCODE_F13 && code <= SDL_SCANCODE_F24) {
    return static_cast<int16_t>(KeyF13 + (code - SDL_SCANCODE_F13));
  }
  switch (code) {
    case SDL_SCANCODE_SEMICOLON: return KeySemicolon;
    case SDL_SCANCODE_EQUALS: return KeyEquals;
    case SDL_SCANCODE_COMMA: return KeyComma;
    case SDL_SCANCODE_MINUS: return KeyMinus;
    case SDL_SCANCODE_PERIOD: return KeyPeriod;
    case SDL_SCANCODE_SLASH: return KeySlash;
    case SDL_SCANCODE_GRAVE: return KeyGrave;
    case SDL_SCANCODE_LEFTBRACKET: return KeyLeftBracket;
    case SDL_SCANCODE_BACKSLASH: return KeyBackslash;
    case SDL_SCANCODE_RIGHTBRACKET: return KeyRightBracket;
    case SDL_SCANCODE_APOSTROPHE: return KeyApostrophe;
    case SDL_SCANCODE_NONUSBACKSLASH: return KeyNonUsBackslash;
    case SDL_SCANCODE_CAPSLOCK: return KeyCapsLock;
    case SDL_SCANCODE_NUMLOCKCLEAR: return KeyNumLock;
    case SDL_SCANCODE_SCROLLLOCK: return KeyScrollLock;
    case SDL_SCANCODE_PRINTSCREEN: return KeyPrintScreen;
    case SDL_SCANCODE_LGUI: return KeyLeftWindows;
    case SDL_SCANCODE_RGUI: return KeyRightWindows;
    case SDL_SCANCODE_APPLICATION:
    case SDL_SCANCODE_MENU: return KeyMenu;
    case SDL_SCANCODE_MUTE:
    case SDL_SCANCODE_AUDIOMUTE: return KeyVolumeMute;
    case SDL_SCANCODE_VOLUMEDOWN: return KeyVolumeDown;
    case SDL_SCANCODE_VOLUMEUP: return KeyVolumeUp;
    case SDL_SCANCODE_AUDIONEXT: return KeyMediaNext;
    case SDL_SCANCODE_AUDIOPREV: return KeyMediaPrevious;
    case SDL_SCANCODE_AUDIOSTOP: return KeyMediaStop;
    case SDL_SCANCODE_AUDIOPLAY: return KeyMediaPlay;
    default: return KeyOther;
  }
}

}  // namespace

int16_t VirtualKeyOf(const SDL_Keysym& key) {
  const SDL_Keycode sym = key.sym;
  if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<int16_t>(KeyA + (sym - SDLK_a));
  if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<int16_t>(Key0 + (sym - SDLK_0));
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return static_cast<int16_t>(KeyF1 + (sym - SDLK_F1));
  switch (sym) {
    case SDLK_BACKSPACE: return KeyBackspace;
    case SDLK_TAB: return KeyTab;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: return KeyEnter;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return KeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return KeyControl;
    case SDLK_LALT:
    case SDLK_RALT: return KeyAlt;
    case SDLK_PAUSE: return KeyPause;
    case SDLK_ESCAPE: return KeyEscape;
    case SDLK_SPACE: return KeySpace;
    case SDLK_PAGEUP: return KeyPageUp;
    case SDLK_PAGEDOWN: return KeyPageDown;
    case SDLK_END: return KeyEnd;
    case SDLK_HOME: return KeyHome;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_UP: return KeyUp;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_DOWN: return KeyDown;
    case SDLK_INSERT: return KeyInsert;
    case SDLK_DELETE: return KeyDelete;
    case SDLK_KP_0: return KeyPad0 + 0;
    case SDLK_KP_1: return KeyPad0 + 1;
    case SDLK_KP_2: return KeyPad0 + 2;
    case SDLK_KP_3: return KeyPad0 + 3;
    case SDLK_KP_4: return KeyPad0 + 4;
    case SDLK_KP_5: return KeyPad0 + 5;
    case SDLK_KP_6: return KeyPad0 + 6;
    case SDLK_KP_7: return KeyPad0 + 7;
    case SDLK_KP_8: return KeyPad0 + 8;
    case SDLK_KP_9: return KeyPad0 + 9;
    case SDLK_KP_MULTIPLY: return KeyPadMultiply;
    case SDLK_KP_PLUS: return KeyPadAdd;
    case SDLK_KP_MINUS: return KeyPadSubtract;
    case SDLK_KP_PERIOD: return KeyPadDecimal;
    case SDLK_KP_DIVIDE: return KeyPadDivide;
    default: break;
  }
  // Letters of a layout without Latin ones, punctuation, locks, system and
  // media keys by where they sit; anything else still counts as a key.
  return VirtualKeyOfPlace(key.scancode);
}

int16_t ModifierMaskOf(uint16_t mod) {
  int16_t mask = 0;
  if (mod & KMOD_SHIFT) mask |= ModShift;
  if (mod & KMOD_CTRL) mask |= ModCtrl;
  if (mod & KMOD_ALT) mask |= ModAlt;
  return mask;
}

}  // namespace rara3
