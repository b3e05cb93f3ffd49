#include "app/main_loop.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

using WindowEventsTest = GameFixture;

TEST_F(WindowEventsTest, HandlersRunInOrderAndNothingRunsOnceTheProgramHasEnded) {
  g.flow.MaxStage = 5;
  const std::vector<uint8_t> before = Data();
  HandleWindowEvents(g, p,
                     {{WindowEventKind::KeyDown, KeyUp, 0},
                      {WindowEventKind::KeyDown, KeyEscape, 0},
                      {WindowEventKind::KeyDown, KeyUp, 0},
                      {WindowEventKind::Close, 0, 0}});
  EXPECT_EQ(g.flow.StageNo, 2);
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(hp.system.status, 0);
  // The close after the end never ran: the keyboard is still acquired.
  EXPECT_FALSE(hp.keyboard.unacquired);
  EXPECT_EQ(Data(), before);
}

TEST_F(WindowEventsTest, ActivationLetsTheTuneStart) {
  g.lifecycle.FormActive = false;
  HandleWindowEvents(g, p, {{WindowEventKind::Activate, 0, 0}});
  EXPECT_TRUE(g.lifecycle.FormActive);
  EXPECT_FALSE(hp.system.ended);
}

TEST_F(WindowEventsTest, ClosingTheWindowFromTheBoardEndsWithoutWriting) {
  Key(KeyEnter);
  ASSERT_EQ(g.flow.Scene, SceneIdle);
  const std::vector<uint8_t> before = Data();
  HandleWindowEvents(g, p, {{WindowEventKind::Close, 0, 0}, {WindowEventKind::KeyDown, KeyEscape, 0}});
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(hp.system.status, 0);
  EXPECT_TRUE(hp.keyboard.unacquired);
  EXPECT_EQ(hp.display.restores, 1);
  EXPECT_TRUE(hp.system.cursorShown);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(Data(), before);
}

struct TickCase {
  double lastTick;
  double now;
  bool due;
  double lastTickAfter;
};

TEST(TimerTickDue, OneTickOnceTenMillisecondsHavePassedNeverMore) {
  const TickCase cases[] = {
      {1.000, 1.005, false, 1.000},
      {1.000, 1.010, true, 1.010},
      {1.000, 1.0167, true, 1.0167},
      // A long frame or a pause: still one tick, counted from now.
      {1.000, 1.600, true, 1.600},
  };
  for (const TickCase& c : cases) {
    double last = c.lastTick;
    EXPECT_EQ(TimerTickDue(c.now, last), c.due) << c.now;
    EXPECT_DOUBLE_EQ(last, c.lastTickAfter) << c.now;
  }
}

}  // namespace
}  // namespace rara3
