#include "game/window_events.h"

#include "game/game.h"

namespace rara3 {

void HandleWindowEvents(GameState& g, Platform& p, const std::vector<WindowEvent>& events) {
  for (const WindowEvent& e : events) {
    if (p.system.Ended()) return;
    switch (e.kind) {
      case WindowEventKind::KeyDown: Form_KeyDown(g, p, e.keyCode, e.modifierMask); break;
      case WindowEventKind::Activate: Form_Activate(g); break;
      case WindowEventKind::Close: Form_Unload(g, p); break;
    }
  }
}

bool TimerTickDue(double now, double& lastTick) {
  if (now - lastTick < kTimerInterval) return false;
  lastTick = now;
  return true;
}

}  // namespace rara3
