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
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Rara3", text.c_str(), nullptr);
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
