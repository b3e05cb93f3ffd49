#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include "platform/sdl/sdl_display.h"
#include "platform/posix/instance_lock.h"
#include "platform/sdl/sdl_keys.h"

#include <cmath>

#include "core/sheets.h"

namespace rara3 {

SDL_Point PicturePointOf(double wx, double wy, int windowW, int windowH, int outW, int outH) {
  if (windowW <= 0 || windowH <= 0 || outW <= 0 || outH <= 0) return {-1, -1};
  const SDL_Rect dst = FrameDestination(outW, outH);
  const double ox = wx * outW / windowW - dst.x;
  const double oy = wy * outH / windowH - dst.y;
  return {static_cast<int>(std::floor(ox * kScreenWidth / dst.w)),
          static_cast<int>(std::floor(oy * kScreenHeight / dst.h))};
}

void SdlWindow::AddPointer(WindowEventKind kind, double wx, double wy,
                           std::vector<WindowEvent>& out) {
  int w = kScreenWidth;
  int h = kScreenHeight;
  int ow = w;
  int oh = h;
  if (pointerWindow_ != nullptr) {
    SDL_GetWindowSize(pointerWindow_, &w, &h);
    SDL_Renderer* renderer = SDL_GetRenderer(pointerWindow_);
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &ow, &oh) != 0) {
      ow = w;
      oh = h;
    }
  }
  const SDL_Point at = PicturePointOf(wx, wy, w, h, ow, oh);
  out.push_back({kind, 0, 0, at.x, at.y});
}

void SdlWindow::TakePointerEvent(const SDL_Event& e, std::vector<WindowEvent>& out) {
  int w = kScreenWidth;
  int h = kScreenHeight;
  if (pointerWindow_ != nullptr) SDL_GetWindowSize(pointerWindow_, &w, &h);
  switch (e.type) {
    case SDL_MOUSEMOTION:
      // Touches come as fingers; their copies as mouse events are dropped.
      if (e.motion.which == SDL_TOUCH_MOUSEID) return;
      SDL_ShowCursor(SDL_ENABLE);
      if ((e.motion.state & SDL_BUTTON_LMASK) != 0)
        AddPointer(WindowEventKind::PointerMove, e.motion.x, e.motion.y, out);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT) return;
      AddPointer(e.type == SDL_MOUSEBUTTONDOWN ? WindowEventKind::PointerDown
                                               : WindowEventKind::PointerUp,
                 e.button.x, e.button.y, out);
      return;
    case SDL_FINGERDOWN:
      if (fingerDown_) return;
      fingerDown_ = true;
      finger_ = e.tfinger.fingerId;
      AddPointer(WindowEventKind::PointerDown, e.tfinger.x * w, e.tfinger.y * h, out);
      return;
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      if (!fingerDown_ || e.tfinger.fingerId != finger_) return;
      if (e.type == SDL_FINGERUP) fingerDown_ = false;
      AddPointer(e.type == SDL_FINGERUP ? WindowEventKind::PointerUp : WindowEventKind::PointerMove,
                 e.tfinger.x * w, e.tfinger.y * h, out);
      return;
    default:
      return;
  }
}

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
        // The pointer shows while the mouse is used, not while keys are.
        SDL_ShowCursor(SDL_DISABLE);
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
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
      case SDL_FINGERDOWN:
      case SDL_FINGERMOTION:
      case SDL_FINGERUP: TakePointerEvent(e, out); break;
      default: break;
    }
  }
  if (pads_ != nullptr) pads_->AddRepeats(NowSeconds(), out);
}

bool SdlWindow::TakeTimerTick() { return TimerTickDue(NowSeconds(), lastTick_); }

double SdlWindow::NowSeconds() { return rara3::NowSeconds(); }

void SdlWindow::StartTimer() { lastTick_ = NowSeconds(); }

}  // namespace rara3
