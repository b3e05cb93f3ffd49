#include "platform/sdl/bare_x_server.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace rara3 {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// The check window a manager names may be gone (a manager that died): the
// error that reading it then raises is expected, not fatal.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The window that `window`'s _NET_SUPPORTING_WM_CHECK names, or None.
Window CheckWindowOf(Display* display, Window window, Atom check) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  Window named = None;
  if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                         &after, &data) == Success &&
      type == XA_WINDOW && format == 32 && items == 1 && data != nullptr) {
    named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
  }
  if (data != nullptr) XFree(data);
  return named;
}
#endif

}  // namespace

bool OnBareXServer(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return true;
  // A running manager names a window of its own on the root window, and that
  // window names itself.
  XSync(display, False);
  auto* previous = XSetErrorHandler(IgnoreXError);
  const Window named = CheckWindowOf(display, DefaultRootWindow(display), check);
  const bool managed = named != None && CheckWindowOf(display, named, check) == named;
  XSync(display, False);
  XSetErrorHandler(previous);
  return !managed;
#else
  (void)window;
  return false;
#endif
}

}  // namespace rara3
