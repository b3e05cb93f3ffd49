#include "app/main_loop.h"

#include "game/floor_help_step.h"
#include "game/frame_step.h"
#include "game/game.h"
#include "game/pointer.h"
#include "game/move_step.h"
#include "game/scene_keys.h"
#include "render/render_frame.h"
#include "app/fatal_error_path.h"

namespace rara3 {

void HandleWindowEvents(GameState& g, Platform& p, const std::vector<WindowEvent>& events) {
  for (const WindowEvent& e : events) {
    if (p.system.Ended()) return;
    switch (e.kind) {
      case WindowEventKind::KeyDown: HandleKeyDown(g, p, e.keyCode, e.modifierMask); break;
      case WindowEventKind::Activate: HandleActivate(g); break;
      case WindowEventKind::Close: HandleClose(g, p); break;
      case WindowEventKind::PointerDown:
      case WindowEventKind::PointerMove:
      case WindowEventKind::PointerUp: HandlePointer(g, p, e.kind, e.x, e.y); break;
    }
  }
}

void RunFrame(GameState& g, Platform& p) {
  if (!StepBeforeDraw(g, p.audio)) return;
  DrawFrame(g, p.display);
  p.display.Flip();
  StepAfterFlip(g);
  StepFloorHelp(g);
}

void RunPass(GameState& g, Platform& p, const std::vector<WindowEvent>& queued) {
  if (p.system.Ended()) return;
  try {
    RunFrame(g, p);
  } catch (const PlatformError& e) {
    RunFatalErrorPath(p, e);
    return;
  }
  if (p.system.Ended()) return;
  HandleWindowEvents(g, p, queued);
  std::vector<WindowEvent> reported;
  p.window.TakeEvents(reported);
  HandleWindowEvents(g, p, reported);
  if (!p.system.Ended() && p.window.TakeTimerTick()) HandleTimerTick(g, p);
}

void RunMainLoop(GameState& g, Platform& p, double stopAt) {
  while (!p.system.Ended() && (stopAt <= 0.0 || p.window.NowSeconds() < stopAt)) RunPass(g, p);
}

}  // namespace rara3
