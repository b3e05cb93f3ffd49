// Failures the game survives (a file not saved, a stage or replay not
// loaded): the player is told in a message box and play goes on once it is
// closed; standard error keeps the same line.
#pragma once

#include <string>

#include "core/platform.h"

namespace rara3 {

inline void TellPlayer(System& system, const std::string& text) {
  system.ReportError(text);
  system.MessageBox(text);
}

}  // namespace rara3
