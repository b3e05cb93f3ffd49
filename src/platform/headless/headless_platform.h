// The platform for tests and tools: no window, no audio device. It records
// what the game asks of it (blits, flips, effects, tune operations, pauses,
// messages) so tests can assert on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"

namespace rara3 {

struct BlitRecord {
  int32_t x = 0;
  int32_t y = 0;
  int sheet = 0;
  Rect src;
  bool keyed = false;
  friend bool operator==(const BlitRecord&, const BlitRecord&) = default;
};

// Receives the blits of a headless display that composes pixels.
class BlitSink {
 public:
  virtual ~BlitSink() = default;
  virtual void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) = 0;
};

class HeadlessDisplay : public Display {
 public:
  void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) override;
  void Flip() override;
  void RestoreDisplay() override { ++restores; }

  // Blits of the frame being drawn, and of the last flipped frame.
  std::vector<BlitRecord> frame;
  std::vector<BlitRecord> lastFrame;
  int64_t flips = 0;
  int restores = 0;
  // When false, blits are only passed on (long runs that need no record).
  bool recordBlits = true;
  // Optional: composes the pixels of every blit.
  BlitSink* sink = nullptr;
};

class HeadlessKeyboard : public Keyboard {
 public:
  void Poll(uint8_t (&state)[256]) override;
  void Release() override { unacquired = true; }

  uint8_t held[256] = {};
  bool unacquired = false;
};

class HeadlessAudio : public Audio {
 public:
  void PlaySfx(Effect e) override { sfxStarted.push_back(EffectIndex(e)); }
  bool TuneIsPlaying() override { return tunePlaying; }
  void PlayTune() override;
  void StopTune() override;
  void CloseMusic() override;

  // The tune plays until stopped or until a test says it ended.
  void FinishTune() { tunePlaying = false; }

  std::vector<int> sfxStarted;
  // "play", "stop", "close", in order.
  std::vector<std::string> tuneOps;
  bool tunePlaying = false;
};

class HeadlessSystem : public System {
 public:
  void Pause(int ms) override { pauses.push_back(ms); }
  void ShowCursor(bool show) override { cursorShown = show; }
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  void ReportError(const std::string& line) override;
  void EndProgram(int status) override;
  bool Ended() const override { return ended; }
  int ExitStatus() const override { return status; }

  std::vector<int> pauses;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  bool cursorShown = false;
  bool ended = false;
  int status = 0;
  // Also print reported errors on standard error (the simulator does).
  bool echoErrors = false;
};

// No window: the driver queues the events itself (RunPass takes them), and
// every pass has its timer tick. The clock stands still unless moved.
class HeadlessWindow : public Window {
 public:
  void TakeEvents(std::vector<WindowEvent>&) override {}
  bool TakeTimerTick() override { return true; }
  double NowSeconds() override { return now; }

  double now = 0.0;
};

// The five recorders with a file layer of the caller's choosing.
struct HeadlessPlatform {
  explicit HeadlessPlatform(Files& files)
      : platform{display, keyboard, audio, system, files, window} {}
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessDisplay display;
  HeadlessKeyboard keyboard;
  HeadlessAudio audio;
  HeadlessSystem system;
  HeadlessWindow window;
  Platform platform;
};

}  // namespace rara3
