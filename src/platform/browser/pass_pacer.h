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
  // Passes in a row that left the canvas as it was.
  int stillPasses = 0;
  // Passes run in the callback under way.
  int passesThisCall = 0;
};

// A callback this much early still runs its pass: the display's own jitter.
constexpr double kPassSlackMs = 2.0;

// True when a pass is due at nowMs (and books the next one).
bool PassDue(PassPacer& pacer, double nowMs);

// How the page calls the next pass: on the display's next frame, or from a
// timer this many milliseconds on.
struct NextCall {
  bool onDisplayFrame = true;
  double inMs = 0.0;
};

// While the picture moves, every pass comes on a frame of the display, so
// each new picture gets a refresh of its own. Once it has stood still this
// many passes, a timer calls the passes when they are due instead: a frame
// callback makes the browser run its whole rendering step even for an
// unchanged canvas, which costs more than the pass itself.
constexpr int kStillPassesBeforeTimer = 10;

// After a callback at nowMs that ran a pass (ran), which changed the
// canvas or not (presented).
NextCall PlanNextCall(PassPacer& pacer, double nowMs, bool ran, bool presented);

// While the timer calls the passes, a call whose passes left the canvas as
// it was runs the passes after them as well, up to this many in all: a
// still page wakes 30 times a second instead of 60, and the game still gets
// its 60 passes.
constexpr int kPassesPerTimerCall = 2;

// True when the next pass is to run now, in the callback under way (it is
// booked as run).
bool NextPassNow(PassPacer& pacer);

// A key or a touch has come. True when the timer was calling the passes:
// the caller moves the loop back onto the display's frames, and the first
// of them runs a pass at once, so input never waits for a sleeping page.
bool WakeForInput(PassPacer& pacer);

}  // namespace rara3
