#include "platform/browser/pass_pacer.h"

namespace rara3 {

bool PassDue(PassPacer& pacer, double nowMs) {
  pacer.passesThisCall = 0;
  if (!pacer.started) {
    pacer.started = true;
    pacer.nextMs = nowMs + pacer.periodMs;
    pacer.passesThisCall = 1;
    return true;
  }
  if (nowMs + kPassSlackMs < pacer.nextMs) return false;
  pacer.passesThisCall = 1;
  pacer.nextMs += pacer.periodMs;
  if (nowMs - pacer.nextMs > pacer.periodMs) pacer.nextMs = nowMs + pacer.periodMs;
  return true;
}

namespace {

bool OnTimer(const PassPacer& pacer) {
  return pacer.started && pacer.stillPasses >= kStillPassesBeforeTimer;
}

}  // namespace

NextCall PlanNextCall(PassPacer& pacer, double nowMs, bool ran, bool presented) {
  if (presented) {
    pacer.stillPasses = 0;
  } else if (ran && pacer.stillPasses < kStillPassesBeforeTimer) {
    ++pacer.stillPasses;
  }
  if (!OnTimer(pacer)) return {};
  return {false, nowMs < pacer.nextMs ? pacer.nextMs - nowMs : 0.0};
}

bool NextPassNow(PassPacer& pacer) {
  if (!OnTimer(pacer) || pacer.passesThisCall == 0 || pacer.passesThisCall >= kPassesPerTimerCall) {
    return false;
  }
  ++pacer.passesThisCall;
  pacer.nextMs += pacer.periodMs;
  return true;
}

bool WakeForInput(PassPacer& pacer) {
  if (!OnTimer(pacer)) return false;
  pacer.stillPasses = 0;
  pacer.started = false;
  return true;
}

}  // namespace rara3
