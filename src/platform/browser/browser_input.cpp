#include "platform/browser/browser_input.h"

#include <emscripten/html5.h>

#include <cstring>

namespace rara3 {
namespace {

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* e, void* user) {
  auto* input = static_cast<BrowserInput*>(user);
  const int16_t mask = ModifierMaskOfDom(e->shiftKey, e->ctrlKey, e->altKey);
  input->KeyDown(e->code, e->keyCode, mask);
  return GameKeepsKey(VirtualKeyOfDom(e->keyCode), mask) ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* e, void* user) {
  static_cast<BrowserInput*>(user)->KeyUp(e->code);
  return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* user) {
  static_cast<BrowserInput*>(user)->ReleaseAll();
  return EM_FALSE;
}

EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void* user) {
  static_cast<BrowserInput*>(user)->Push({WindowEventKind::Activate, 0, 0});
  return EM_FALSE;
}

}  // namespace

void BrowserInput::Listen() {
  const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(target, this, EM_FALSE, &OnKeyDown);
  emscripten_set_keyup_callback(target, this, EM_FALSE, &OnKeyUp);
  emscripten_set_blur_callback(target, this, EM_FALSE, &OnBlur);
  emscripten_set_focus_callback(target, this, EM_FALSE, &OnFocus);
}

void BrowserInput::KeyDown(const std::string& code, unsigned long keyCode, int16_t mask) {
  const int scan = ScanCodeOfDomCode(code);
  if (scan != 0) held_[scan] = 0x80;
  const int16_t key = VirtualKeyOfDom(keyCode);
  // Auto-repeats included, as the desktop window delivers them.
  if (key != 0) events_.push_back({WindowEventKind::KeyDown, key, mask});
  // A held arrow is input too, with or without a key-down event.
  Woken();
}

void BrowserInput::KeyUp(const std::string& code) {
  const int scan = ScanCodeOfDomCode(code);
  if (scan != 0) held_[scan] = 0;
}

void BrowserInput::ReleaseAll() { std::memset(held_, 0, sizeof held_); }

void BrowserInput::TakeEvents(std::vector<WindowEvent>& out) {
  out.insert(out.end(), events_.begin(), events_.end());
  events_.clear();
}

}  // namespace rara3
