// Paces the main loop at 60 passes a second on the browser's frame
// callback, whatever the display's refresh rate: a callback that comes
// early is skipped; one late by more than a period starts a fresh schedule
// instead of rushing to catch up.
#pragma once

namespace rara3 {

struct PassPacer {
  double periodMs = 1000.0 / 60.0;
  double nextMs = 0.0;
  bool started = false;
};

// A callback this much early still runs its pass: the display's own jitter.
constexpr double kPassSlackMs = 2.0;

// True when a pass is due at nowMs (and books the next one).
bool PassDue(PassPacer& pacer, double nowMs);

}  // namespace rara3
