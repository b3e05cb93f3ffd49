// The one way the program ends on a failure during bring-up or a frame.
#pragma once

#include <exception>
#include <new>

#include "core/display_error_text.h"
#include "core/platform.h"

namespace rara3 {

// Cursor shown, the desktop given back, the failure's text on standard
// error and in a modal message box, then the program ended with status 1.
// A step that fails itself does not keep the later ones from running.
void RunFatalErrorPath(Platform& p, const PlatformError& e);

// Runs step; whatever failure gets out of it takes the fatal-error path:
// the platform's own code, or the general one for memory or anything else.
template <typename Step>
void RunGuarded(Platform& p, Step step) {
  try {
    step();
  } catch (const PlatformError& e) {
    RunFatalErrorPath(p, e);
  } catch (const std::bad_alloc&) {
    RunFatalErrorPath(p, PlatformError{kCodeOutOfMemory, ""});
  } catch (const std::exception& e) {
    RunFatalErrorPath(p, PlatformError{kCodeUnspecified, e.what()});
  }
}

}  // namespace rara3
