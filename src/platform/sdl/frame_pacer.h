// Paces frames at a fixed rate by absolute deadlines, so the animations keep
// the speed they were timed for whatever the display's refresh rate.
#pragma once

namespace rara3 {

struct FramePacer {
  double period = 1.0 / 60.0;  // seconds per frame
  double next = 0.0;           // when the next frame is due
  bool started = false;
};

// The moment (on the same clock as now) at which the frame being flipped is
// to be shown; the caller waits until then. The first frame is due at once.
// A frame late by more than a whole period starts a fresh schedule from now
// instead of rushing to catch up (after a pause, a slow frame, a suspend).
double NextFrameDue(FramePacer& pacer, double now);

}  // namespace rara3
