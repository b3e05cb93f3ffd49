#include "platform/sdl/sdl_system.h"

#include <SDL.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

namespace rara3 {
namespace {

// X11's message box draws its text in the locale's encoding: Japanese needs
// a UTF-8 one, whatever the player's environment says.
void UseUtf8Locale() {
  if (std::setlocale(LC_ALL, "") != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) {
    return;
  }
  setenv("LC_ALL", "C.UTF-8", 1);
  std::setlocale(LC_ALL, "");
}

}  // namespace

void SdlSystem::Pause(int ms) {
  SDL_Delay(static_cast<Uint32>(ms));
  pausedMs_ += ms;
}

void SdlSystem::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlSystem::MessageBox(const std::string& text) {
  UseUtf8Locale();
  // Over the game window while it shows (a box without a parent can open
  // behind a full-screen window); the fatal path has hidden it already.
  SDL_Window* parent = nullptr;
  if (window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0 &&
      (SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN) == 0) {
    parent = window_;
  }
  // The cursor is hidden during play; the box wants it.
  const int cursor = SDL_ShowCursor(SDL_QUERY);
  SDL_ShowCursor(SDL_ENABLE);
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Rara3", text.c_str(), parent) != 0 &&
      parent != nullptr) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Rara3", text.c_str(), nullptr);
  }
  SDL_ShowCursor(cursor);
}

void SdlSystem::ReportError(const std::string& line) {
  std::fprintf(stderr, "rara3: %s\n", line.c_str());
  std::fflush(stderr);
}

void SdlSystem::EndProgram(int status) {
  if (ended_) return;
  ended_ = true;
  status_ = status;
}

}  // namespace rara3
