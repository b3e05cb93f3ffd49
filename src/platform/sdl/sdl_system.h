// Pauses, the cursor, the message box and the end of the program, on SDL.
#pragma once

#include "core/platform.h"

struct SDL_Window;

namespace rara3 {

class SdlSystem : public System {
 public:
  void Pause(int ms) override;
  void ShowCursor(bool show) override;
  // SDL's message box; when none can be shown (no display, no fonts) the
  // text has already reached standard error through the caller.
  void MessageBox(const std::string& text) override;
  void ReportError(const std::string& line) override;
  void EndProgram(int status) override;
  bool Ended() const override { return ended_; }
  int ExitStatus() const override { return status_; }
  // Milliseconds held in Pause since the start.
  long long PausedMs() const { return pausedMs_; }

  // The game window: message boxes open over it, so they show in full
  // screen too.
  void SetWindow(SDL_Window* window) { window_ = window; }

 private:
  SDL_Window* window_ = nullptr;
  long long pausedMs_ = 0;
  bool ended_ = false;
  int status_ = 0;
};

}  // namespace rara3
