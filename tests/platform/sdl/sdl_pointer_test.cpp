// Mouse and touch through SDL's own event queue: a click and a touch become
// pointer events in picture pixels, through the window's scale and bars;
// the pointer shows when the mouse moves and hides when a key is pressed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "platform/sdl/sdl_window.h"

namespace rara3 {
namespace {

TEST(PicturePoint, ThroughScaleAndBars) {
  struct {
    double wx, wy;
    int w, h, ow, oh;
    int x, y;
  } const cases[] = {
      {0, 0, 640, 480, 640, 480, 0, 0},
      {639.5, 479.5, 640, 480, 640, 480, 639, 479},
      {320 + 1282, 900, 1920, 1080, 1920, 1080, 641, 420},  // beside the picture
      {160 + 400, 60 + 300, 1600, 1080, 1600, 1080, 200, 150},  // 2x, bars on every side
      {400, 300, 800, 600, 1600, 1200, 320, 240},              // a 2x dense screen
      {100, 75, 320, 240, 320, 240, 200, 150},                 // shrunk below 1x
      {10, 400, 400, 700, 400, 700, 16, 320},                  // narrow: bars above, below
  };
  for (const auto& c : cases) {
    const SDL_Point p = PicturePointOf(c.wx, c.wy, c.w, c.h, c.ow, c.oh);
    EXPECT_EQ(std::tie(p.x, p.y), std::tie(c.x, c.y)) << c.wx << "," << c.wy << " in " << c.w;
  }
}

class SdlPointer : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    // A 1280 x 960 window shows the picture at 2x without bars.
    sdl = SDL_CreateWindow("pointer test", 0, 0, 1280, 960, 0);
    ASSERT_NE(sdl, nullptr) << SDL_GetError();
    window.MapPointer(sdl);
  }
  void TearDown() override {
    if (sdl != nullptr) SDL_DestroyWindow(sdl);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  }

  void Push(SDL_Event e) {
    e.common.timestamp = SDL_GetTicks();
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  void Mouse(Uint32 type, int x, int y, Uint32 which = 0) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(sdl);
    e.button.which = which;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    Push(e);
  }
  void Motion(int x, int y, Uint32 which = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(sdl);
    e.motion.which = which;
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
  }
  void Finger(Uint32 type, SDL_FingerID id, float x, float y) {
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = 1;
    e.tfinger.fingerId = id;
    e.tfinger.x = x;
    e.tfinger.y = y;
    Push(e);
  }
  std::vector<WindowEvent> Events() {
    std::vector<WindowEvent> out;
    window.TakeEvents(out);
    return out;
  }
  static std::vector<std::tuple<WindowEventKind, int, int>> Pointers(
      const std::vector<WindowEvent>& events) {
    std::vector<std::tuple<WindowEventKind, int, int>> out;
    for (const WindowEvent& e : events) out.emplace_back(e.kind, e.x, e.y);
    return out;
  }

  SDL_Window* sdl = nullptr;
  SdlWindow window;
};

using K = WindowEventKind;

TEST_F(SdlPointer, AClick) {
  Mouse(SDL_MOUSEBUTTONDOWN, 400, 300);
  Mouse(SDL_MOUSEBUTTONUP, 402, 300);
  EXPECT_EQ(Pointers(Events()),
            (std::vector<std::tuple<K, int, int>>{{K::PointerDown, 200, 150},
                                                  {K::PointerUp, 201, 150}}));
}

TEST_F(SdlPointer, ADragMovesOnlyWithTheButtonDown) {
  Motion(100, 100);  // no button: only the pointer shows
  EXPECT_TRUE(Events().empty());
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = SDL_GetWindowID(sdl);
  e.motion.state = SDL_BUTTON_LMASK;
  e.motion.x = 640;
  e.motion.y = 480;
  Push(e);
  EXPECT_EQ(Pointers(Events()), (std::vector<std::tuple<K, int, int>>{{K::PointerMove, 320, 240}}));
}

TEST_F(SdlPointer, ATouchAndNotItsMouseCopy) {
  Finger(SDL_FINGERDOWN, 7, 0.5f, 0.25f);
  Mouse(SDL_MOUSEBUTTONDOWN, 640, 240, SDL_TOUCH_MOUSEID);
  Finger(SDL_FINGERDOWN, 8, 0.9f, 0.9f);  // a second finger plays no part
  Finger(SDL_FINGERMOTION, 7, 0.75f, 0.25f);
  Finger(SDL_FINGERUP, 8, 0.9f, 0.9f);
  Finger(SDL_FINGERUP, 7, 0.75f, 0.25f);
  Mouse(SDL_MOUSEBUTTONUP, 960, 240, SDL_TOUCH_MOUSEID);
  EXPECT_EQ(Pointers(Events()),
            (std::vector<std::tuple<K, int, int>>{{K::PointerDown, 320, 120},
                                                  {K::PointerMove, 480, 120},
                                                  {K::PointerUp, 480, 120}}));
}

TEST_F(SdlPointer, OtherButtonsDoNothing) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = SDL_GetWindowID(sdl);
  e.button.button = SDL_BUTTON_RIGHT;
  Push(e);
  EXPECT_TRUE(Events().empty());
}

TEST_F(SdlPointer, ShownByTheMouseHiddenByKeys) {
  SDL_ShowCursor(SDL_DISABLE);
  Motion(10, 10, SDL_TOUCH_MOUSEID);
  Events();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "a touch shows no pointer";
  Motion(10, 10);
  Events();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = SDL_GetWindowID(sdl);
  e.key.keysym.scancode = SDL_SCANCODE_LEFT;
  e.key.keysym.sym = SDLK_LEFT;
  Push(e);
  Events();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

}  // namespace
}  // namespace rara3
