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
               {SDL_SCANCODE_UNKNOWN, 0}, {SDL_SCANCODE_APPLICATION, 221}, {SDL_SCANCODE_LGUI, 219},
               {SDL_SCANCODE_F13, 100},   {SDL_SCANCODE_VOLUMEUP, 0}};
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
      {Sym(SDLK_BACKSPACE), 8}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyOf(c.key), c.code) << c.key.sym;
}

// Keys without a code of the original table still reach the game: by where
// they sit, whatever the layout prints on them.
TEST(SdlKeys, EveryOtherKeyHasACodeToo) {
  const struct {
    SDL_Keysym key;
    int16_t code;
  } cases[] = {
      {Sym(SDLK_SLASH, SDL_SCANCODE_SLASH), 191},
      // A German layout: the key left of Backspace prints an accent.
      {Sym(SDLK_QUOTE, SDL_SCANCODE_EQUALS), 187},
      {Sym(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON), 186},
      {Sym(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET), 219},
      {Sym(SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH), 226},
      {Sym(SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK), 20},
      {Sym(SDLK_LGUI, SDL_SCANCODE_LGUI), 91},
      {Sym(SDLK_RGUI, SDL_SCANCODE_RGUI), 92},
      {Sym(SDLK_APPLICATION, SDL_SCANCODE_APPLICATION), 93},
      {Sym(SDLK_F13, SDL_SCANCODE_F13), 124},
      {Sym(SDLK_F24, SDL_SCANCODE_F24), 135},
      {Sym(SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN), 44},
      {Sym(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP), 175},
      {Sym(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY), 179},
      // Keys with no code of their own.
      {Sym(SDLK_CALCULATOR, SDL_SCANCODE_CALCULATOR), 255},
      {Sym(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 255}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyOf(c.key), c.code) << SDL_GetScancodeName(c.key.scancode);
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
