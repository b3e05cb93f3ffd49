// No frame allocates: every scene's frames composed into pixels (blit
// recording off), with the timer ticks that start moves, counted through a
// replaced global operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

#include "support/game_fixture.h"
#include "platform/compose/compositor.h"
#include "platform/compose/test_sheets.h"
#include "platform/headless/compose_sink.h"
#include "app/main_loop.h"

namespace {
bool counting = false;
long allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& t) noexcept { return operator new(size, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace rara3 {
namespace {

class FrameAllocations : public test::GameFixture {
 protected:
  void SetUp() override {
    std::string error;
    if (!compositor.LoadEmbeddedSheets(error)) {
      ASSERT_TRUE(LoadTestSheets(compositor, error)) << error;
    }
    hp.display.recordBlits = false;
    hp.display.sink = &sink;
    // The recorders' own lists are not the game's allocations.
    hp.audio.sfxStarted.reserve(1 << 16);
    hp.audio.tuneOps.reserve(1 << 12);
    hp.system.pauses.reserve(1 << 12);
  }

  // Frames and timer ticks, counted; returns the allocations made.
  long Frames(int n) {
    counting = true;
    allocations = 0;
    for (int i = 0; i < n; ++i) {
      RunFrame(g, p);
      HandleTimerTick(g, p);
      if (g.flow.Scene >= 0 && g.flow.Scene < 8) seen[g.flow.Scene] = true;
    }
    counting = false;
    return allocations;
  }

  Compositor compositor;
  ComposeSink sink{compositor};
  bool seen[8] = {};
};

TEST_F(FrameAllocations, NoSceneAllocatesInItsFrames) {
  // The count sees an allocation.
  counting = true;
  allocations = 0;
  delete new int(1);
  counting = false;
  ASSERT_EQ(allocations, 1);

  struct Step {
    const char* scene;
    std::function<void()> enter;
    int frames;
  };
  const std::vector<std::string> board = {
      "####################", "#@.B....P.....%....#", "#..................#",
      "#P..V..T..S..C..#..#", "#E.................#"};
  const std::vector<Step> steps = {
      {"title", [&] { g.flow.Scene = SceneTitle; }, 200},
      {"idle, walks and pushes of every kind",
       [&] {
         PlayBoard(board);
         g.ExitX = 1;
         g.ExitY = 4;
       },
       0},
      {"push right into a pair (explosion)", [&] { Hold(KeyStateRight); }, 400},
      {"walks and pushes down, left, up", [&] {
         Hold(KeyStateRight, false);
         Hold(KeyStateDown);
       }, 300},
      {"idle", [&] { Hold(KeyStateDown, false); }, 100},
      {"retire", [&] { Retire(g, p.audio); }, 300},
      {"ending", [&] { StartEnding(g, p.audio); }, 2000},
      {"editor", [&] { LoadStageForEditor(g, p.files, p.system); }, 200},
      {"clear",
       [&] {
         PlayBoard({"#####", "#@E.#", "#####"}, FacingRight);
         g.ExitX = 2;
         g.ExitY = 1;
         g.ExitOpen = true;
         Hold(KeyStateRight);
       },
       600},
  };
  for (const Step& s : steps) {
    s.enter();
    EXPECT_EQ(Frames(s.frames), 0) << s.scene;
  }
  EXPECT_TRUE(hp.system.errors.empty());
  // Every scene was drawn.
  for (int scene = 0; scene < 8; ++scene) EXPECT_TRUE(seen[scene]) << "scene " << scene;
}

}  // namespace
}  // namespace rara3
