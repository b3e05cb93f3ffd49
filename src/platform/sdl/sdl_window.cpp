#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include "platform/sdl/sdl_display.h"
#include "platform/posix/instance_lock.h"
#include "platform/sdl/sdl_keys.h"

namespace rara3 {

void SdlWindow::TakeEvents(std::vector<WindowEvent>& out) {
  if (raiseWindow_ != nullptr && TakeRaiseRequests(raiseFd_)) {
    if ((SDL_GetWindowFlags(raiseWindow_) & SDL_WINDOW_MINIMIZED) != 0) {
      SDL_RestoreWindow(raiseWindow_);
    }
    SDL_RaiseWindow(raiseWindow_);
  }
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) {
    if (pads_ != nullptr && pads_->HandleEvent(e, out)) continue;
    switch (e.type) {
      case SDL_KEYDOWN: {
        // Every key reaches the game, those without a code of their own too.
        out.push_back({WindowEventKind::KeyDown, VirtualKeyOf(e.key.keysym),
                       ModifierMaskOf(e.key.keysym.mod)});
        break;
      }
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          out.push_back({WindowEventKind::Activate, 0, 0});
        } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          out.push_back({WindowEventKind::Close, 0, 0});
        }
        break;
      case SDL_QUIT: out.push_back({WindowEventKind::Close, 0, 0}); break;
      default: break;
    }
  }
  if (pads_ != nullptr) pads_->AddRepeats(NowSeconds(), out);
}

bool SdlWindow::TakeTimerTick() { return TimerTickDue(NowSeconds(), lastTick_); }

double SdlWindow::NowSeconds() { return rara3::NowSeconds(); }

void SdlWindow::StartTimer() { lastTick_ = NowSeconds(); }

}  // namespace rara3
