#pragma once

#include <SDL.h>

namespace rara3 {

// True when the window lives on an X server that no window manager runs on:
// nobody there honours a full-screen request, so the window has to cover the
// screen by itself.
bool OnBareXServer(SDL_Window* window);

}  // namespace rara3
