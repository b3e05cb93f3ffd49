#include "platform/sdl/sdl_display.h"

#include <SDL_image.h>

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "platform/compose/embedded_sheets.h"
#include "platform/sdl/bare_x_server.h"
#include "core/sheets.h"
#include "core/display_error_text.h"

namespace rara3 {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw PlatformError{kCodeDisplayFailed, std::string(what) + ": " + SDL_GetError()};
}

// A GL driver that rasterises on the CPU (llvmpipe and the like, as under
// Xvfb) costs several times what SDL's own software path does.
bool CurrentGlDrawsOnCpu() {
  using GetString = const unsigned char* (*)(unsigned int);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* gl = getString != nullptr ? getString(0x1F01 /* GL_RENDERER */) : nullptr;
  if (gl == nullptr) return false;
  const std::string glName = reinterpret_cast<const char*>(gl);
  for (const char* cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
    if (glName.find(cpu) != std::string::npos) return true;
  }
  return false;
}

bool RendersOnCpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
  return std::string(info.name).rfind("opengl", 0) == 0 && CurrentGlDrawsOnCpu();
}

// Asks the GL driver with a bare context, before any renderer is made: a
// GL renderer compiles its shaders on creation, which takes long on a
// driver that then turns out to draw on the CPU.
bool WindowGlDrawsOnCpu(SDL_Window* window) {
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) return false;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return false;
  const bool cpu = CurrentGlDrawsOnCpu();
  SDL_GL_DeleteContext(context);
  return cpu;
}

}  // namespace

double NowSeconds() {
  // CLOCK_MONOTONIC, the clock the frame wait sleeps on.
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void SleepUntil(double due) {
  // To an absolute deadline: a late wake-up does not push the next frame
  // back, so the rate holds without watching the clock.
  timespec t{};
  double whole = 0.0;
  const double fraction = std::modf(due, &whole);
  t.tv_sec = static_cast<time_t>(whole);
  t.tv_nsec = std::min(999999999L, static_cast<long>(fraction * 1e9));
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

SDL_Rect FrameDestination(int w, int h) {
  const int scale = std::min(w / kScreenWidth, h / kScreenHeight);
  int dw = kScreenWidth * scale;
  int dh = kScreenHeight * scale;
  if (scale < 1) {
    // A screen smaller than the frame: shrink it, keeping its shape.
    dw = std::min(w, h * kScreenWidth / kScreenHeight);
    dh = dw * kScreenHeight / kScreenWidth;
  }
  return SDL_Rect{(w - dw) / 2, (h - dh) / 2, dw, dh};
}

SdlDisplay::~SdlDisplay() {
  if (watching_) SDL_DelEventWatch(&SdlDisplay::WatchEvents, this);
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

void SdlDisplay::StartVideo() {
  if (videoStarted_) return;
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // Read only when SDL's software renderer draws straight onto the window
  // (InitDisplay's last resort); a GL renderer never looks at it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) Fail("display");
  videoStarted_ = true;
  // Without a display server SDL falls back to drawing into memory: the game
  // would run on where no one can see it.
  const std::string driver = SDL_GetCurrentVideoDriver();
  if ((driver == "offscreen" || driver == "dummy") && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
    throw PlatformError{kCodeDisplayFailed,
                        "display: no display to show the game on (is DISPLAY set?)"};
  }
}

void SdlDisplay::CreateWindow() {
  StartVideo();
  // Made for OpenGL from the start, so that taking a GL renderer does not
  // make SDL replace the window; without GL, a plain one. It is shown as a
  // window and only then taken to full screen: shown already full screen,
  // SDL asks the window manager again and waits 100 ms for a change that
  // never comes.
  const Uint32 flags = SDL_WINDOW_HIDDEN;
  window_ = SDL_CreateWindow("Rara3", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             kScreenWidth, kScreenHeight, flags | SDL_WINDOW_OPENGL);
  if (window_ == nullptr) {
    window_ = SDL_CreateWindow("Rara3", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               kScreenWidth, kScreenHeight, flags);
  }
  if (window_ == nullptr) Fail("window");
  // With no window manager nobody answers a full-screen request (SDL waits
  // 100 ms for the answer): the window covers the screen itself.
  SDL_Rect screen{};
  bareScreen_ = OnBareXServer(window_) &&
                SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &screen) == 0;
  if (bareScreen_) {
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowSize(window_, screen.w, screen.h);
    SDL_SetWindowPosition(window_, screen.x, screen.y);
  }
  const EmbeddedFile png = EmbeddedIconPng();
  if (png.size != 0) {
    if (SDL_Surface* icon = IMG_Load_RW(SDL_RWFromConstMem(png.data, static_cast<int>(png.size)), 1)) {
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
  }
}

void SdlDisplay::ShowWindow() {
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void SdlDisplay::InitDisplay() {
  // The whole screen, at its own resolution; should the window manager
  // refuse, the game goes on in its window.
  if (!bareScreen_) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_DisplayMode mode{};
  const int index = SDL_GetWindowDisplayIndex(window_);
  const bool reportsSixty = index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 &&
                            mode.refresh_rate >= 59 && mode.refresh_rate <= 61;
  const Uint32 sync = reportsSixty ? SDL_RENDERER_PRESENTVSYNC : 0;
  if (!WindowGlDrawsOnCpu(window_)) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | sync);
  }
  if (renderer_ != nullptr && RendersOnCpu(renderer_)) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
  }
  if (renderer_ == nullptr) {
    // SDL's software renderer straight onto the window, not through GL
    // (the hint was set in StartVideo).
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (renderer_ == nullptr) Fail("renderer");
  // XRGB8888: the format every renderer takes without converting again.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                               kScreenWidth, kScreenHeight);
  if (texture_ == nullptr) Fail("frame texture");
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(renderer_, &info);
  // SDL's software renderer only imitates the sync by sleeping: the own
  // clock paces better, and measuring would take 15 presents at start.
  vsync_ = (info.flags & SDL_RENDERER_SOFTWARE) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 && MeasureSixtyHertz();
  if (!vsync_) SDL_RenderSetVSync(renderer_, 0);
  SDL_AddEventWatch(&SdlDisplay::WatchEvents, this);
  watching_ = true;
}

bool SdlDisplay::MeasureSixtyHertz() {
  // Trust the sync only when presents really come 60 times a second: some
  // displays report 60 Hz and sync at another rate, or not at all.
  constexpr int kWarmUp = 3;
  constexpr int kMeasured = 12;
  double start = 0.0;
  for (int i = 0; i < kWarmUp + kMeasured; ++i) {
    if (i == kWarmUp) start = NowSeconds();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
  }
  const double hz = kMeasured / (NowSeconds() - start);
  return hz > 59.5 && hz < 60.5;
}

void SdlDisplay::LoadSheets() {
  std::string error;
  if (!compositor_.LoadEmbeddedSheets(error)) throw PlatformError{kCodeDisplayFailed, error};
}

void SdlDisplay::Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  const double t = NowSeconds();
  compositor_.Blit(x, y, sheet, src, keyed);
  composeSeconds_ += NowSeconds() - t;
}

void SdlDisplay::WaitUntil(double due) {
  const double t = ThreadCpuSeconds();
  SleepUntil(due);
  waitSeconds_ += ThreadCpuSeconds() - t;
}

void SdlDisplay::Present() {
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) Fail("frame texture");
  compositor_.CopyXrgb8888(pixels, pitch);
  SDL_UnlockTexture(texture_);
  int w = 0;
  int h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) Fail("renderer");
  const SDL_Rect dst = FrameDestination(w, h);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (SDL_RenderCopy(renderer_, texture_, nullptr, &dst) != 0) Fail("renderer");
}

int SdlDisplay::WatchEvents(void* self, SDL_Event* e) {
  const bool window = e->type == SDL_WINDOWEVENT && e->window.event != SDL_WINDOWEVENT_MOVED &&
                      e->window.event != SDL_WINDOWEVENT_ENTER &&
                      e->window.event != SDL_WINDOWEVENT_LEAVE;
  if (window || e->type == SDL_RENDER_TARGETS_RESET || e->type == SDL_RENDER_DEVICE_RESET) {
    static_cast<SdlDisplay*>(self)->mustShow_ = true;
  }
  return 0;
}

void SdlDisplay::Flip() {
  if (restored_) return;
  // A still picture costs no conversion, upload or present; with vsync the
  // present paces the loop and always happens.
  const bool show = vsync_ || mustShow_.exchange(false) || !compositor_.SameAsLastCopy() ||
                    NowSeconds() - lastShown_ > 0.5;
  const double t = ThreadCpuSeconds();
  if (show) Present();
  double spent = ThreadCpuSeconds() - t;
  if (!vsync_) WaitUntil(NextFrameDue(pacer_, NowSeconds()));
  if (show) {
    const double p = ThreadCpuSeconds();
    SDL_RenderPresent(renderer_);
    spent += ThreadCpuSeconds() - p;
    lastShown_ = NowSeconds();
    if (framesShown_++ == 0) firstShownAt_ = lastShown_;
  }
  if (vsync_) {
    // A hidden or minimised window may stop waiting for the display; the
    // animations must not race then.
    if (NowSeconds() - lastPresent_ < 0.75 * pacer_.period) WaitUntil(lastPresent_ + pacer_.period);
    lastPresent_ = NowSeconds();
  }
  presentSeconds_ += spent;
  ++frames_;
}

void SdlDisplay::RestoreDisplay() {
  if (window_ == nullptr || restored_) return;
  restored_ = true;
  SDL_SetWindowFullscreen(window_, 0);
  SDL_HideWindow(window_);
}

std::string SdlDisplay::RendererName() const {
  SDL_RendererInfo info{};
  if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0) return "";
  return info.name;
}

}  // namespace rara3
