// The one way the program ends on a failure during bring-up or a frame.
#pragma once

#include "core/platform.h"

namespace rara3 {

// Cursor shown, the desktop given back, the failure's text on standard
// error and in a modal message box, then the program ended with status 1.
// A step that fails itself does not keep the later ones from running.
void RunFatalErrorPath(Platform& p, const PlatformError& e);

}  // namespace rara3
