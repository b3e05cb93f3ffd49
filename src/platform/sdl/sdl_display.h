// The game window on SDL: one window, full screen on the desktop (the
// display's own mode is left alone), showing the composed 640 x 480 frame
// scaled by the largest whole factor that fits, centred on black. One frame
// per 1/60 s: by the display's vertical sync where it is measured to run at
// 60 Hz, otherwise by sleeping to absolute deadlines on the monotonic clock.
#pragma once

#include <SDL.h>

#include <atomic>
#include <string>

#include "platform/compose/compositor.h"
#include "platform/sdl/frame_pacer.h"
#include "core/platform.h"

namespace rara3 {

class SdlDisplay : public Display {
 public:
  SdlDisplay() = default;
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // Bring-up, in this order; each throws PlatformError on failure.
  // Every hint the display needs, then SDL's video driver: on the main
  // thread before any other thread uses SDL, as SDL's hint list has no lock.
  void StartVideo();
  // The window "Rara3" with its icon, still hidden (starts the video first
  // when StartVideo has not run).
  void CreateWindow();
  void ShowWindow();
  // Full screen, renderer, streaming texture, and the pacing chosen.
  void InitDisplay();
  // The nine sheets from the art built into the program (generated test
  // sheets in a build without art).
  void LoadSheets();

  void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) override;
  void Flip() override;
  void RestoreDisplay() override;

  SDL_Window* Window() const { return window_; }
  bool UsesVsync() const { return vsync_; }
  std::string RendererName() const;
  // Since the start: seconds spent composing (blits), and CPU seconds of
  // presenting (conversion, upload, scaling, present) and of waiting for the
  // frame's moment.
  double ComposeSeconds() const { return composeSeconds_; }
  double PresentSeconds() const { return presentSeconds_; }
  double WaitSeconds() const { return waitSeconds_; }
  long long Frames() const { return frames_; }
  // Frames presented: an unchanged one is mostly not shown again.
  long long FramesShown() const { return framesShown_; }
  // NowSeconds() when the first frame was presented; 0 before.
  double FirstShownAt() const { return firstShownAt_; }

 private:
  void Present();
  bool MeasureSixtyHertz();
  void WaitUntil(double due);
  static int WatchEvents(void* self, SDL_Event* e);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Compositor compositor_;
  FramePacer pacer_;
  bool vsync_ = false;
  // No window manager: the window covers the screen without asking one.
  bool bareScreen_ = false;
  bool videoStarted_ = false;
  double lastPresent_ = 0.0;
  // Without vsync an unchanged frame is not shown again, unless the window
  // was uncovered or changed meanwhile, or half a second has passed.
  std::atomic<bool> mustShow_{true};
  bool watching_ = false;
  double lastShown_ = 0.0;
  bool restored_ = false;
  double composeSeconds_ = 0.0;
  double presentSeconds_ = 0.0;
  double waitSeconds_ = 0.0;
  long long frames_ = 0;
  long long framesShown_ = 0;
  double firstShownAt_ = 0.0;
};

// Seconds on CLOCK_MONOTONIC.
double NowSeconds();
// Sleeps until NowSeconds() reaches due; returns at once if it has.
void SleepUntil(double due);
// CPU seconds of the calling thread.
double ThreadCpuSeconds();

// Where the frame goes in an output of w x h pixels: the largest whole
// scale that fits (a fractional one below 1), centred.
SDL_Rect FrameDestination(int w, int h);

}  // namespace rara3
