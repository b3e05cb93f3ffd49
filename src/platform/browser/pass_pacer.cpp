#include "platform/browser/pass_pacer.h"

namespace rara3 {

bool PassDue(PassPacer& pacer, double nowMs) {
  if (!pacer.started) {
    pacer.started = true;
    pacer.nextMs = nowMs + pacer.periodMs;
    return true;
  }
  if (nowMs + kPassSlackMs < pacer.nextMs) return false;
  pacer.nextMs += pacer.periodMs;
  if (nowMs - pacer.nextMs > pacer.periodMs) pacer.nextMs = nowMs + pacer.periodMs;
  return true;
}

NextCall PlanNextCall(PassPacer& pacer, double nowMs, bool ran, bool presented) {
  if (presented) {
    pacer.stillPasses = 0;
  } else if (ran && pacer.stillPasses < kStillPassesBeforeTimer) {
    ++pacer.stillPasses;
  }
  if (!pacer.started || pacer.stillPasses < kStillPassesBeforeTimer) return {};
  return {false, nowMs < pacer.nextMs ? pacer.nextMs - nowMs : 0.0};
}

}  // namespace rara3
