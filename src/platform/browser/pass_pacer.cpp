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

}  // namespace rara3
