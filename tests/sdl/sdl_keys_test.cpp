#include "platform/sdl/sdl_keys.h"

#include <gtest/gtest.h>

namespace rara3 {
namespace {

SDL_Keysym Sym(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
  SDL_Keysym k{};
  k.sym = sym;
  k.scancode = scancode;
  return k;
}

TEST(SdlKeys, HeldArrowsLandOnTheScanCodesTheMoveStepReads) {
  const struct {
    SDL_Scancode key;
    int code;
  } cases[] = {{SDL_SCANCODE_UP, 200},    {SDL_SCANCODE_LEFT, 203},    {SDL_SCANCODE_RIGHT, 205},
               {SDL_SCANCODE_DOWN, 208},  {SDL_SCANCODE_ESCAPE, 1},    {SDL_SCANCODE_RETURN, 28},
               {SDL_SCANCODE_KP_ENTER, 156}, {SDL_SCANCODE_A, 30},     {SDL_SCANCODE_1, 2},
               {SDL_SCANCODE_0, 11},      {SDL_SCANCODE_F1, 59},       {SDL_SCANCODE_F11, 87},
               {SDL_SCANCODE_UNKNOWN, 0}, {SDL_SCANCODE_APPLICATION, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScanCodeOf(c.key), c.code) << SDL_GetScancodeName(c.key);
}

TEST(SdlKeys, KeyDownsCarryTheVirtualKeyCodes) {
  const struct {
    SDL_Keysym key;
    int16_t code;
  } cases[] = {
      {Sym(SDLK_a), 65},           {Sym(SDLK_z), 90},           {Sym(SDLK_m), 77},
      {Sym(SDLK_0), 48},           {Sym(SDLK_1), 49},           {Sym(SDLK_9), 57},
      {Sym(SDLK_F1), 112},         {Sym(SDLK_F7), 118},         {Sym(SDLK_F12), 123},
      {Sym(SDLK_RETURN), 13},      {Sym(SDLK_KP_ENTER), 13},    {Sym(SDLK_ESCAPE), 27},
      {Sym(SDLK_SPACE), 32},       {Sym(SDLK_LEFT), 37},        {Sym(SDLK_UP), 38},
      {Sym(SDLK_RIGHT), 39},       {Sym(SDLK_DOWN), 40},        {Sym(SDLK_KP_1), 97},
      {Sym(SDLK_RSHIFT), 16},      {Sym(SDLK_LCTRL), 17},       {Sym(SDLK_RALT), 18},
      // A layout without Latin letters: the key where Q sits is still Q.
      {Sym(0x0439, SDL_SCANCODE_Q), 81},
      {Sym(SDLK_F13), 0},          {Sym(SDLK_SLASH, SDL_SCANCODE_SLASH), 0}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyOf(c.key), c.code) << c.key.sym;
}

TEST(SdlKeys, ModifierMaskFromEitherSide) {
  const struct {
    uint16_t mod;
    int16_t mask;
  } cases[] = {{KMOD_NONE, 0},
               {KMOD_LSHIFT, 1},
               {KMOD_RSHIFT, 1},
               {KMOD_LCTRL, 2},
               {KMOD_RCTRL, 2},
               {KMOD_LALT, 4},
               {KMOD_RALT, 4},
               {KMOD_LCTRL | KMOD_RSHIFT, 3},
               {KMOD_CTRL | KMOD_SHIFT | KMOD_ALT, 7},
               // Lock keys and the system key are no modifiers for the game.
               {KMOD_NUM | KMOD_CAPS | KMOD_GUI, 0}};
  for (const auto& c : cases) EXPECT_EQ(ModifierMaskOf(c.mod), c.mask) << c.mod;
}

}  // namespace
}  // namespace rara3
