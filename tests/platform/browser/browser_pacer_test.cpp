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

}  // namespace
}  // namespace rara3
