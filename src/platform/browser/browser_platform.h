// The game in a web page: the same compositor and game as the desktop, the
// frame drawn onto the page's canvas, the page's keyboard, effects through
// SDL2_mixer, the tune through the page's recording of it, and files in a
// folder that the page keeps in the browser's storage.
#pragma once

#include <string>

#include "core/platform.h"
#include "platform/browser/browser_audio.h"
#include "platform/browser/browser_input.h"
#include "platform/browser/pass_pacer.h"
#include "platform/compose/compositor.h"
#include "platform/posix/posix_files.h"

namespace rara3 {

// The page's canvas. Flip shows the composed frame; nothing waits: the
// browser's frame callback paces the main loop.
class BrowserDisplay : public Display {
 public:
  // The nine sheets from the art built into the program.
  void LoadSheets();
  void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) override;
  void Flip() override;
  void RestoreDisplay() override { restored_ = true; }

  long long Frames() const { return frames_; }
  // Frames that differed from the one before and went to the canvas.
  long long Presented() const { return presented_; }

 private:
  Compositor compositor_;
  std::vector<uint8_t> shown_;  // the RGBA frame last drawn to the canvas
  std::vector<uint8_t> rgba_;
  bool restored_ = false;
  long long frames_ = 0;
  long long presented_ = 0;
};

class BrowserKeyboard : public Keyboard {
 public:
  explicit BrowserKeyboard(BrowserInput& input) : input_(input) {}
  void Poll(uint8_t (&state)[256]) override;
  void Release() override { acquired_ = false; }

 private:
  BrowserInput& input_;
  bool acquired_ = true;
};

// A pause cannot block a page: it holds the main loop instead, so no pass
// runs until it is over, as if the program had slept.
class BrowserSystem : public System {
 public:
  void Pause(int ms) override;
  void ShowCursor(bool show) override;
  void MessageBox(const std::string& text) override;
  void ReportError(const std::string& line) override;
  void EndProgram(int status) override;
  bool Ended() const override { return ended_; }
  int ExitStatus() const override { return status_; }

  // Page-clock milliseconds before which no pass may run.
  double HoldUntilMs() const { return holdUntil_; }

 private:
  double holdUntil_ = 0.0;
  bool ended_ = false;
  int status_ = 0;
};

class BrowserWindow : public Window {
 public:
  explicit BrowserWindow(BrowserInput& input) : input_(input) {}
  void TakeEvents(std::vector<WindowEvent>& out) override { input_.TakeEvents(out); }
  bool TakeTimerTick() override { return TimerTickDue(NowSeconds(), lastTick_); }
  double NowSeconds() override;
  // Timer1 counts from here: called as the main loop starts.
  void StartTimer() { lastTick_ = NowSeconds(); }

 private:
  BrowserInput& input_;
  double lastTick_ = 0.0;
};

// The files on the page's file system. Every write that succeeds under the
// save folder is written through to the browser's storage.
class BrowserFiles : public PosixFiles {
 public:
  explicit BrowserFiles(std::string saveFolder) : saveFolder_(std::move(saveFolder)) {}
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override;
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override;

 private:
  void Persist(const std::string& path);
  std::string saveFolder_;
};

// The whole browser platform as one Platform.
struct BrowserPlatform {
  explicit BrowserPlatform(const std::string& saveFolder) : files(saveFolder) {}
  BrowserInput input;
  BrowserFiles files;
  BrowserSystem system;
  BrowserKeyboard keyboard{input};
  BrowserDisplay display;
  BrowserAudio audio;
  BrowserWindow window{input};
  Platform platform{display, keyboard, audio, system, files, window};
};

}  // namespace rara3
