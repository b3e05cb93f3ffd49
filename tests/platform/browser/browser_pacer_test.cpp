// The browser build's pacing, which only its own build compiles into the
// game: 60 passes a second on frame callbacks of any display rate.
#include <gtest/gtest.h>

#include "platform/browser/pass_pacer.h"

namespace rara3 {
namespace {

// Passes in one second of callbacks every intervalMs, with the callbacks
// jittering by up to jitterMs either way.
int PassesInOneSecond(double intervalMs, double jitterMs) {
  PassPacer pacer;
  int passes = 0;
  for (int i = 0; i * intervalMs < 1000.0; ++i) {
    const double jitter = (i % 2 == 0 ? 1 : -1) * jitterMs;
    if (PassDue(pacer, 5000.0 + i * intervalMs + (i == 0 ? 0 : jitter))) ++passes;
  }
  return passes;
}

TEST(BrowserPassPacer, SixtyPassesASecondOnAnyFastEnoughDisplay) {
  struct Case {
    double hz;
    double jitterMs;
    int low, high;
  };
  const Case cases[] = {
      {60.0, 0.0, 60, 60}, {60.0, 1.5, 59, 61}, {59.94, 0.5, 59, 60},
      {75.0, 0.5, 59, 61}, {120.0, 0.5, 59, 61}, {144.0, 0.5, 59, 61},
      // Too slow a display cannot give 60: one pass per callback, no bursts.
      {50.0, 0.0, 50, 50}, {30.0, 0.0, 30, 30},
  };
  for (const Case& c : cases) {
    const int passes = PassesInOneSecond(1000.0 / c.hz, c.jitterMs);
    EXPECT_GE(passes, c.low) << c.hz << " Hz";
    EXPECT_LE(passes, c.high) << c.hz << " Hz";
  }
}

TEST(BrowserPassPacer, ALongStallStartsAFreshScheduleInsteadOfCatchingUp) {
  PassPacer pacer;
  EXPECT_TRUE(PassDue(pacer, 0.0));
  // The tab was hidden for ten seconds: one pass, then the normal pace.
  EXPECT_TRUE(PassDue(pacer, 10000.0));
  EXPECT_FALSE(PassDue(pacer, 10005.0));
  EXPECT_FALSE(PassDue(pacer, 10010.0));
  EXPECT_TRUE(PassDue(pacer, 10016.7));
}

TEST(BrowserPassPacer, AStillPictureLeavesTheDisplaysFramesForATimerUntilItMoves) {
  PassPacer pacer;
  double now = 1000.0;
  // A pass that changed the canvas: the next one on the display's frame.
  ASSERT_TRUE(PassDue(pacer, now));
  EXPECT_TRUE(PlanNextCall(pacer, now, true, true).onDisplayFrame);
  // Still passes, and callbacks that came early and ran none, which do not
  // count.
  for (int i = 1; i < kStillPassesBeforeTimer; ++i) {
    now += pacer.periodMs;
    ASSERT_TRUE(PassDue(pacer, now));
    EXPECT_TRUE(PlanNextCall(pacer, now, true, false).onDisplayFrame) << i;
    EXPECT_FALSE(PassDue(pacer, now + 5.0));
    EXPECT_TRUE(PlanNextCall(pacer, now + 5.0, false, false).onDisplayFrame) << i;
  }
  now += pacer.periodMs;
  ASSERT_TRUE(PassDue(pacer, now));
  NextCall next = PlanNextCall(pacer, now, true, false);
  EXPECT_FALSE(next.onDisplayFrame);
  EXPECT_NEAR(next.inMs, pacer.periodMs, 1e-9);
  // A timer that fired early asks again for what is left; one that fired
  // late, for at once.
  next = PlanNextCall(pacer, now + 10.0, false, false);
  EXPECT_FALSE(next.onDisplayFrame);
  EXPECT_NEAR(next.inMs, pacer.periodMs - 10.0, 1e-9);
  EXPECT_EQ(PlanNextCall(pacer, now + 40.0, false, false).inMs, 0.0);
  // The timer keeps the 60 passes a second.
  int passes = 0;
  for (double t = now; t < now + 1000.0;) {
    t += next.inMs + 0.3;  // a timer fires a little late
    const bool ran = PassDue(pacer, t);
    passes += ran ? 1 : 0;
    next = PlanNextCall(pacer, t, ran, false);
    ASSERT_FALSE(next.onDisplayFrame);
  }
  EXPECT_GE(passes, 59);
  EXPECT_LE(passes, 61);
  // The picture moves again: back on the display's frames.
  now += 1000.0 + pacer.periodMs;
  PassDue(pacer, now);
  EXPECT_TRUE(PlanNextCall(pacer, now, true, true).onDisplayFrame);
}

TEST(BrowserPassPacer, OnTheTimerAStillPageWakesForTwoPassesAndInputWakesItAtOnce) {
  PassPacer pacer;
  double now = 1000.0;
  ASSERT_TRUE(PassDue(pacer, now));
  // On the display's frames every pass has a callback of its own.
  EXPECT_FALSE(NextPassNow(pacer));
  EXPECT_FALSE(WakeForInput(pacer));
  NextCall next = PlanNextCall(pacer, now, true, false);
  for (int i = 1; next.onDisplayFrame; ++i) {
    ASSERT_LT(i, 100);
    now += pacer.periodMs;
    ASSERT_TRUE(PassDue(pacer, now));
    EXPECT_FALSE(NextPassNow(pacer));
    next = PlanNextCall(pacer, now, true, false);
  }
  // The timer: each call runs its pass and the ones after it, and sleeps
  // for as many periods.
  int passes = 0;
  int calls = 0;
  const double start = now;
  for (double t = now; t < start + 1000.0;) {
    t += next.inMs + 0.3;  // a timer fires a little late
    ++calls;
    if (PassDue(pacer, t)) {
      int inCall = 1;
      while (inCall < 10 && NextPassNow(pacer)) ++inCall;
      EXPECT_EQ(inCall, kPassesPerTimerCall);
      passes += inCall;
    }
    next = PlanNextCall(pacer, t, true, false);
    ASSERT_FALSE(next.onDisplayFrame);
    now = t;
  }
  EXPECT_GE(passes, 59);
  EXPECT_LE(passes, 60 + kPassesPerTimerCall);
  EXPECT_LE(calls, 60 / kPassesPerTimerCall + 1);
  // A call that came early runs nothing, the next pass included.
  EXPECT_FALSE(PassDue(pacer, now + 1.0));
  EXPECT_FALSE(NextPassNow(pacer));
  // A key: back on the display's frames, whose first callback runs a pass
  // though the timer had booked the next one two periods away.
  EXPECT_TRUE(WakeForInput(pacer));
  EXPECT_FALSE(WakeForInput(pacer));
  EXPECT_TRUE(PassDue(pacer, now + 2.0));
  EXPECT_FALSE(NextPassNow(pacer));
  EXPECT_TRUE(PlanNextCall(pacer, now + 2.0, true, true).onDisplayFrame);
}

}  // namespace
}  // namespace rara3
