#include "platform/sdl/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace rara3 {
namespace {

constexpr double kPeriod = 1.0 / 60.0;

struct Step {
  double now;  // when the frame is flipped, in periods
  double due;  // when it is to be shown, in periods
};

struct PacerCase {
  const char* name;
  std::vector<Step> steps;
};

class FramePacerTest : public ::testing::TestWithParam<PacerCase> {};

TEST_P(FramePacerTest, ShowsFramesOnTheSchedule) {
  FramePacer pacer;
  for (const Step& s : GetParam().steps) {
    EXPECT_NEAR(NextFrameDue(pacer, s.now * kPeriod), s.due * kPeriod, 1e-9) << "at " << s.now;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, FramePacerTest,
    ::testing::Values(
        // Fast frames wait for their slot; the schedule does not drift.
        PacerCase{"FastFrames", {{10.0, 10.0}, {10.1, 11.0}, {11.05, 12.0}, {12.3, 13.0}}},
        // A frame that is late by less than a period is shown at once and
        // the next one keeps the old schedule.
        PacerCase{"SlightlyLate", {{0.0, 0.0}, {1.5, 1.0}, {1.6, 2.0}, {2.1, 3.0}}},
        // Late by more than a period (a pause): a fresh schedule from now,
        // no burst of frames to catch up.
        PacerCase{"AfterAPause", {{0.0, 0.0}, {30.0, 30.0}, {30.2, 31.0}, {31.1, 32.0}}},
        PacerCase{"JustOverOnePeriodBehind", {{0.0, 0.0}, {2.01, 2.01}, {2.5, 3.01}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FramePacer, HoldsSixtyFramesASecondOverAMinute) {
  FramePacer pacer;
  double now = 5.0;
  double due = 0.0;
  for (int i = 0; i < 3600; ++i) {
    due = NextFrameDue(pacer, now);
    now = due + 0.004;  // each frame takes a few milliseconds after its slot
  }
  EXPECT_NEAR(due - 5.0, 3599 * kPeriod, 1e-6);
}

}  // namespace
}  // namespace rara3
