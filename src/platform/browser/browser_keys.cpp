#include "platform/browser/browser_keys.h"

#include "core/keys.h"

namespace rara3 {
namespace {

struct DomScanCode {
  const char* code;
  int scan;
};

// PC set 1, as the desktop keyboard reports them.
constexpr DomScanCode kScanCodes[] = {
    {"Escape", 1}, {"Minus", 12}, {"Equal", 13}, {"Backspace", 14}, {"Tab", 15},
    {"KeyQ", 16}, {"KeyW", 17}, {"KeyE", 18}, {"KeyR", 19}, {"KeyT", 20}, {"KeyY", 21},
    {"KeyU", 22}, {"KeyI", 23}, {"KeyO", 24}, {"KeyP", 25}, {"BracketLeft", 26},
    {"BracketRight", 27}, {"Enter", 28}, {"ControlLeft", 29}, {"KeyA", 30}, {"KeyS", 31},
    {"KeyD", 32}, {"KeyF", 33}, {"KeyG", 34}, {"KeyH", 35}, {"KeyJ", 36}, {"KeyK", 37},
    {"KeyL", 38}, {"Semicolon", 39}, {"Quote", 40}, {"Backquote", 41}, {"ShiftLeft", 42},
    {"Backslash", 43}, {"KeyZ", 44}, {"KeyX", 45}, {"KeyC", 46}, {"KeyV", 47}, {"KeyB", 48},
    {"KeyN", 49}, {"KeyM", 50}, {"Comma", 51}, {"Period", 52}, {"Slash", 53},
    {"ShiftRight", 54}, {"NumpadMultiply", 55}, {"AltLeft", 56}, {"Space", 57},
    {"CapsLock", 58}, {"NumLock", 69}, {"ScrollLock", 70}, {"Numpad7", 71}, {"Numpad8", 72},
    {"Numpad9", 73}, {"NumpadSubtract", 74}, {"Numpad4", 75}, {"Numpad5", 76},
    {"Numpad6", 77}, {"NumpadAdd", 78}, {"Numpad1", 79}, {"Numpad2", 80}, {"Numpad3", 81},
    {"Numpad0", 82}, {"NumpadDecimal", 83}, {"F11", 87}, {"F12", 88}, {"NumpadEnter", 156},
    {"ControlRight", 157}, {"NumpadDivide", 181}, {"AltRight", 184}, {"Home", 199},
    {"ArrowUp", KeyStateUp}, {"PageUp", 201}, {"ArrowLeft", KeyStateLeft},
    {"ArrowRight", KeyStateRight}, {"End", 207}, {"ArrowDown", KeyStateDown},
    {"PageDown", 209}, {"Insert", 210}, {"Delete", 211},
};

}  // namespace

int ScanCodeOfDomCode(const std::string& code) {
  if (code.size() == 2 && code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
    return 59 + (code[1] - '1');
  }
  if (code == "F10") return 68;
  if (code.size() == 6 && code.rfind("Digit", 0) == 0 && code[5] >= '0' && code[5] <= '9') {
    return code[5] == '0' ? 11 : 2 + (code[5] - '1');
  }
  for (const DomScanCode& k : kScanCodes) {
    if (code == k.code) return k.scan;
  }
  return 0;
}

int16_t VirtualKeyOfDom(unsigned long keyCode) {
  // Everything the desktop reports: control keys, arrows, digits, letters,
  // the keypad and F1 to F12.
  if (keyCode == 0 || keyCode > 123) return 0;
  const auto k = static_cast<int16_t>(keyCode);
  if ((k >= KeyBackspace && k <= KeyTab) || k == KeyEnter || (k >= KeyShift && k <= KeyPause) ||
      k == KeyEscape || (k >= KeySpace && k <= KeyDown) || k == KeyInsert || k == KeyDelete ||
      (k >= Key0 && k <= Key9) || (k >= KeyA && k <= KeyA + 25) ||
      (k >= KeyPad0 && k <= KeyPadDivide && k != 108) || k >= KeyF1) {
    return k;
  }
  return 0;
}

int16_t ModifierMaskOfDom(bool shift, bool ctrl, bool alt) {
  int16_t mask = 0;
  if (shift) mask |= ModShift;
  if (ctrl) mask |= ModCtrl;
  if (alt) mask |= ModAlt;
  return mask;
}

bool GameKeepsKey(int16_t key, int16_t mask) {
  if (mask == ModCtrlShift) return key == KeyF7 || key == KeyF9 || key == KeyF11;
  if ((mask & (ModCtrl | ModAlt)) != 0) return false;
  switch (key) {
    case KeyEnter:
    case KeyEscape:
    case KeySpace:
    case KeyLeft:
    case KeyUp:
    case KeyRight:
    case KeyDown:
    case KeyA:
    case KeyM:
    case KeyQ:
    case KeyS:
    case KeyZ:
    case KeyF1:  // the side panels, not the browser's help
      return true;
    default:
      return key >= Key1 && key <= Key8;
  }
}

}  // namespace rara3
