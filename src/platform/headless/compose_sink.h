// Hands the headless display's blits to the compositor, so a test or the
// simulator can see the pixels of a frame. Attached only when pixels are
// wanted: recording alone is much cheaper.
#pragma once

#include "platform/compose/compositor.h"
#include "platform/headless/headless_platform.h"

namespace rara3 {

class ComposeSink : public BlitSink {
 public:
  explicit ComposeSink(Compositor& compositor) : compositor_(compositor) {}
  void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) override {
    compositor_.Blit(x, y, sheet, src, keyed);
  }

 private:
  Compositor& compositor_;
};

}  // namespace rara3
