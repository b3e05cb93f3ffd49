#include "platform/browser/browser_platform.h"

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

void BrowserDisplay::BltFast(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  compositor_.Blit(x, y, sheet, src, keyed);
}

void BrowserDisplay::Flip() {
  if (restored_) return;
  ++frames_;
  constexpr size_t kPixels = static_cast<size_t>(kScreenWidth) * kScreenHeight;
  xrgb_.resize(kPixels);
  compositor_.CopyXrgb8888(xrgb_.data(), kScreenWidth * 4);
  // A still frame (the title, a player standing) costs the page nothing.
  if (shown_.size() == kPixels && std::memcmp(shown_.data(), xrgb_.data(), kPixels * 4) == 0) return;
  shown_.swap(xrgb_);
  // The canvas takes R, G, B, A bytes: 0xAABBGGRR read as a little-endian
  // word.
  xrgb_.resize(kPixels);
  for (size_t i = 0; i < kPixels; ++i) {
    const uint32_t p = shown_[i];
    xrgb_[i] = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
  }
  page::Present(reinterpret_cast<const uint8_t*>(xrgb_.data()), kPixels * 4);
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

bool PassDue(PassPacer& pacer, double nowMs) {
  // A callback up to 2 ms early still counts: the display's own jitter.
  constexpr double kSlackMs = 2.0;
  if (!pacer.started) {
    pacer.started = true;
    pacer.nextMs = nowMs + pacer.periodMs;
    return true;
  }
  if (nowMs + kSlackMs < pacer.nextMs) return false;
  pacer.nextMs += pacer.periodMs;
  if (nowMs - pacer.nextMs > pacer.periodMs) pacer.nextMs = nowMs + pacer.periodMs;
  return true;
}

}  // namespace rara3
