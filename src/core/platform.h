// The operations the game needs from the machine it runs on. Game code sees
// only these interfaces; sdl/ implements them for play, headless/ for tests
// and tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/effects.h"
#include "core/window_events.h"

namespace rara3 {

// Source rectangle of a blit, right and bottom exclusive.
struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The nine sprite sheets; core/sheets.h names each by what it holds.
constexpr int kSheetCount = 9;

// A failure of a platform call: carries the 32-bit code that the fatal-error
// path shows. Thrown out of the display and sound operations; caught only by
// the bring-up and the frame handler.
struct PlatformError {
  int32_t code;
  std::string what;
};

class Display {
 public:
  virtual ~Display() = default;
  // Copies the source rectangle of a sheet onto the back buffer with its
  // top-left corner at (x, y). With keyed, black source pixels are skipped.
  virtual void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) = 0;
  // Shows the back buffer; paces the main loop.
  virtual void Flip() = 0;
  // Gives the screen back to the desktop.
  virtual void RestoreDisplay() = 0;
};

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Copies the held state of every key, indexed by scan code (200 up,
  // 203 left, 205 right, 208 down); non-zero means held.
  virtual void Poll(uint8_t (&state)[256]) = 0;
  virtual void Release() = 0;
};

class Audio {
 public:
  virtual ~Audio() = default;
  // The effect from its beginning, once; restarts it when still sounding.
  virtual void PlaySfx(Effect e) = 0;
  virtual bool TuneIsPlaying() = 0;
  // The tune from its beginning, once.
  virtual void PlayTune() = 0;
  virtual void StopTune() = 0;
  virtual void CloseMusic() = 0;
};

class System {
 public:
  virtual ~System() = default;
  // Holds the whole program for ms milliseconds.
  virtual void Pause(int ms) = 0;
  virtual void ShowCursor(bool show) = 0;
  // A modal message box; returns when the player has closed it.
  virtual void MessageBox(const std::string& text) = 0;
  // One line on standard error, for failures the game survives.
  virtual void ReportError(const std::string& line) = 0;
  // Ends the program with this status. Game code returns right after the
  // call; the main loop sees Ended() and runs nothing more.
  virtual void EndProgram(int status) = 0;
  virtual bool Ended() const = 0;
  virtual int ExitStatus() const = 0;
};

// The game window's side of the main loop: the events queued since the last
// pass, the 10 ms timer and the clock.
class Window {
 public:
  virtual ~Window() = default;
  // Appends the events the window has queued since the last call, in order.
  virtual void TakeEvents(std::vector<WindowEvent>& out) = 0;
  // True when Timer1 has a tick pending; at most one, however long it was.
  virtual bool TakeTimerTick() = 0;
  // Seconds on a steady clock.
  virtual double NowSeconds() = 0;
};

// Every file the game touches goes through here, so tests can make any one
// operation fail.
class Files {
 public:
  virtual ~Files() = default;
  // Reads exactly size bytes at offset. A missing or short file fails with a
  // message naming the file, what was expected and what was found.
  virtual bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
                      std::string& error) = 0;
  // Overwrites size bytes at offset of an existing file that is long enough;
  // never creates, extends or shortens it.
  virtual bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
                       std::string& error) = 0;
  // Reads a whole file. A missing file fails with missing = true.
  virtual bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
                       std::string& error) = 0;
  // Replaces a file whole: writes a temporary file beside it, then renames it
  // into place. On failure the old file is untouched.
  virtual bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                            std::string& error) = 0;
};

// The platform as the game sees it, passed explicitly to every procedure
// that needs it.
struct Platform {
  Display& display;
  Keyboard& keyboard;
  Audio& audio;
  System& system;
  Files& files;
  Window& window;
};

}  // namespace rara3
