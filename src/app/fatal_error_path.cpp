#include "app/fatal_error_path.h"

#include "core/display_error_text.h"

namespace rara3 {

void RunFatalErrorPath(Platform& p, const PlatformError& e) {
  try {
    p.system.ShowCursor(true);
  } catch (...) {
  }
  try {
    p.display.RestoreDisplay();
  } catch (...) {
  }
  const std::string text = FatalErrorMessage(e);
  try {
    p.system.ReportError(text);
    p.system.MessageBox(text);
  } catch (...) {
  }
  p.system.EndProgram(1);
}

}  // namespace rara3
