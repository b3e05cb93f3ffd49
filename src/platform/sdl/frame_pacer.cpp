#include "platform/sdl/frame_pacer.h"

namespace rara3 {

double NextFrameDue(FramePacer& pacer, double now) {
  if (!pacer.started) {
    pacer.started = true;
    pacer.next = now;
  } else {
    pacer.next += pacer.period;
    if (now > pacer.next + pacer.period) pacer.next = now;
  }
  return pacer.next;
}

}  // namespace rara3
