#include "platform/browser/browser_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "core/display_error_text.h"
#include "core/sheets.h"
#include "platform/browser/page.h"

namespace rara3 {

void BrowserDisplay::LoadSheets() {
  std::string error;
  if (!compositor_.LoadEmbeddedSheets(error)) throw PlatformError{kCodeDisplayFailed, error};
}

void BrowserDisplay::Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  compositor_.Blit(x, y, sheet, src, keyed);
}

void BrowserDisplay::Flip() {
  if (restored_) return;
  ++frames_;
  // A still frame (the title, a player standing) made by the same blits as
  // the one on the canvas is neither composed nor converted nor sent.
  if (presented_ > 0 && compositor_.SameAsLastCopy()) return;
  // The canvas takes R, G, B, A bytes; the conversion is the one every
  // other display uses, so the pixels stay the simulator's.
  rgba_.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight * 4);
  compositor_.CopyPixels(SDL_PIXELFORMAT_RGBA32, rgba_.data(), kScreenWidth * 4);
  // Other blits may still give the same picture (a blink back to where it
  // was): the canvas is left alone then too.
  if (shown_ == rgba_) return;
  shown_ = rgba_;
  page::Present(rgba_.data(), rgba_.size());
  ++presented_;
}

void BrowserKeyboard::Poll(uint8_t (&state)[256]) {
  if (!acquired_) {
    std::memset(state, 0, sizeof state);
    return;
  }
  std::memcpy(state, input_.Held(), sizeof state);
}

void BrowserSystem::Pause(int ms) {
  holdUntil_ = std::max(holdUntil_, page::NowMs()) + ms;
}

void BrowserSystem::ShowCursor(bool show) { page::ShowCursor(show); }

void BrowserSystem::MessageBox(const std::string& text) { page::MessageBox(text); }

void BrowserSystem::ReportError(const std::string& line) { page::ReportError(line); }

void BrowserSystem::EndProgram(int status) {
  if (ended_) return;
  ended_ = true;
  status_ = status;
}

double BrowserWindow::NowSeconds() { return page::NowMs() / 1000.0; }

bool BrowserFiles::WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
                           std::string& error) {
  if (!PosixFiles::WriteAt(path, offset, data, size, error)) return false;
  Persist(path);
  return true;
}

bool BrowserFiles::ReplaceWhole(const std::string& path, const void* data, size_t size,
                                std::string& error) {
  if (!PosixFiles::ReplaceWhole(path, data, size, error)) return false;
  Persist(path);
  return true;
}

void BrowserFiles::Persist(const std::string& path) {
  if (path.rfind(saveFolder_, 0) == 0) page::Persist();
}

}  // namespace rara3
