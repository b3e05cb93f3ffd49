// Game controllers through SDL's GameController API (its built-in mapping
// database), plugged in before the start or while the game runs. Buttons
// become key-downs, the D-pad and the left stick held arrows.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <vector>

#include "core/pad_buttons.h"
#include "core/window_events.h"

namespace rara3 {

// The layout's button for an SDL controller button.
PadButton PadButtonOf(SDL_GameControllerButton b);

class SdlGamepads {
 public:
  SdlGamepads() = default;
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;
  ~SdlGamepads();

  // Starts SDL's controller support; pads already plugged in arrive as
  // device-added events. False (and no pads) when SDL cannot.
  bool Open();
  // Takes a controller event: opens and closes pads, and appends the
  // key-down of a pressed button. False for any other event.
  bool HandleEvent(const SDL_Event& e, std::vector<WindowEvent>& out);
  // Marks the arrows held on any pad in state (as the keyboard's 0x80).
  void AddHeldArrows(uint8_t (&state)[256]) const;
  // A D-pad direction held repeats its key-down as a held key does (the
  // title's floor, the editor's cursor): after kRepeatDelay, then every
  // kRepeatInterval. now: seconds on a steady clock.
  void AddRepeats(double now, std::vector<WindowEvent>& out);
  static constexpr double kRepeatDelay = 0.5;
  static constexpr double kRepeatInterval = 0.04;
  size_t Count() const { return pads_.size(); }

 private:
  std::map<SDL_JoystickID, SDL_GameController*> pads_;
  // Per D-pad direction (up, down, left, right): when its next repeat is
  // due; negative while it is not held.
  double nextRepeat_[4] = {-1, -1, -1, -1};
  bool open_ = false;
};

}  // namespace rara3
