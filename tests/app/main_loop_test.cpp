// The headless main loop: the bring-up, the order within a pass, the end of
// the program, and a failing frame.
#include "app/headless_bring_up.h"
#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/game.h"
#include "support/game_fixture.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"

namespace rara3 {
namespace {

struct Loop {
  Loop() { files.files[test::kDataPath] = test::SyntheticDataFile(5); }
  bool Start() {
    std::string error;
    const bool ok = StartHeadless(*g, hp.platform, "/game", error);
    if (!ok) ADD_FAILURE() << error;
    return ok;
  }

  MemoryFiles files;
  HeadlessPlatform hp{files};
  std::unique_ptr<GameState> g = std::make_unique<GameState>();
};

TEST(MainLoop, BringUpLeavesTheGameReadyOnTheTitle) {
  Loop l;
  ASSERT_TRUE(l.Start());
  EXPECT_EQ(l.g->lifecycle.AppDir, "/game/");
  EXPECT_EQ(l.g->flow.MaxStage, 5);
  EXPECT_EQ(l.g->flow.Scene, SceneTitle);
  EXPECT_TRUE(l.g->switches.MusicOn);
  EXPECT_TRUE(l.g->switches.SoundOn);
  EXPECT_TRUE(l.g->lifecycle.LoopStarted);
  EXPECT_TRUE(l.g->lifecycle.FormActive);
  // Nothing is drawn or played before the first pass.
  EXPECT_EQ(l.hp.display.flips, 0);
  EXPECT_TRUE(l.hp.audio.tuneOps.empty());
}

TEST(MainLoop, BringUpRefusesAMissingOrShortDataFile) {
  struct Case {
    const char* what;
    size_t size;  // 0: no file at all
  };
  const Case cases[] = {{"missing", 0}, {"progress byte only", 40001}, {"without the last effect", 1068192}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Loop l;
    if (k.size == 0) l.files.files.clear();
    else l.files.files[test::kDataPath].resize(k.size);
    std::string error;
    EXPECT_FALSE(StartHeadless(*l.g, l.hp.platform, "/game", error));
    EXPECT_NE(error.find("TOVAK.DAT"), std::string::npos) << error;
    EXPECT_FALSE(l.g->lifecycle.LoopStarted);
  }
}

// A pass is the frame, then the key-downs in order, then one tick: Enter on
// the title loads the stage and the held arrow starts a walk in the same
// pass, after the title was drawn.
TEST(MainLoop, APassDrawsThenHandlesKeysThenTicks) {
  Loop l;
  ASSERT_TRUE(l.Start());
  l.hp.keyboard.held[KeyStateRight] = 0x80;
  RunPass(*l.g, l.hp.platform, {{WindowEventKind::KeyDown, KeyEnter, 0}});
  EXPECT_EQ(l.hp.display.flips, 1);
  ASSERT_FALSE(l.hp.display.lastFrame.empty());
  EXPECT_EQ(l.hp.display.lastFrame[1].sheet, 2);  // the title background
  EXPECT_EQ(l.g->flow.Scene, SceneWalk);
  EXPECT_EQ(l.g->Facing, FacingRight);
  // The first tick started the tune.
  EXPECT_EQ(l.hp.audio.tuneOps, std::vector<std::string>{"play"});
}

TEST(MainLoop, NothingRunsOnceTheProgramHasEnded) {
  Loop l;
  ASSERT_TRUE(l.Start());
  l.hp.keyboard.held[KeyStateDown] = 0x80;
  // Esc on the title quits; the Enter queued behind it and the tick are
  // dropped.
  RunPass(*l.g, l.hp.platform,
          {{WindowEventKind::KeyDown, KeyEscape, 0}, {WindowEventKind::KeyDown, KeyEnter, 0}});
  EXPECT_TRUE(l.hp.system.Ended());
  EXPECT_EQ(l.hp.system.ExitStatus(), 0);
  EXPECT_EQ(l.g->flow.Scene, SceneTitle);
  EXPECT_EQ(l.g->HeldArrows, 0);
  RunPass(*l.g, l.hp.platform);
  EXPECT_EQ(l.hp.display.flips, 1);
}

// A display that fails as a call, as a lost device would.
class FailingDisplay : public HeadlessDisplay {
 public:
  void Blit(int32_t, int32_t, int, const Rect&, bool) override {
    throw PlatformError{-2005532542, "blit failed"};
  }
};

TEST(MainLoop, AFailingFrameTakesTheFatalErrorPath) {
  Loop l;
  ASSERT_TRUE(l.Start());
  FailingDisplay display;
  Platform p{display, l.hp.keyboard, l.hp.audio, l.hp.system, l.files, l.hp.window};
  RunPass(*l.g, p, {{WindowEventKind::KeyDown, KeyEnter, 0}});
  EXPECT_TRUE(l.hp.system.Ended());
  EXPECT_EQ(l.hp.system.ExitStatus(), 1);
  EXPECT_EQ(display.restores, 1);
  EXPECT_TRUE(l.hp.system.cursorShown);
  EXPECT_EQ(l.hp.system.messages.size(), 1u);
  // The events of that pass never ran.
  EXPECT_EQ(l.g->flow.Scene, SceneTitle);
}

// Games are independent: two in one process, each to its own end.
TEST(MainLoop, ManyGamesRunInOneProcess) {
  for (int run = 0; run < 3; ++run) {
    Loop l;
    ASSERT_TRUE(l.Start());
    RunPass(*l.g, l.hp.platform, {{WindowEventKind::KeyDown, KeyEnter, 0}});
    EXPECT_EQ(l.g->flow.Scene, SceneIdle);
    RunPass(*l.g, l.hp.platform, {{WindowEventKind::Close, 0, 0}});
    EXPECT_TRUE(l.hp.system.Ended());
  }
}

}  // namespace
}  // namespace rara3
