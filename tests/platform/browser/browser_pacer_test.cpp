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

}  // namespace
}  // namespace rara3
