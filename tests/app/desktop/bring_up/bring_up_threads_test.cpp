// The real bring-up on SDL (offscreen video, audio to a file): the loading
// thread runs beside the window, and SDL's unlocked shared state (its hint
// list, its count of started parts) is only ever touched by the main thread
// before that thread exists. Every call the game and its libraries make to
// SDL_SetHint, SDL_InitSubSystem and SDL_QuitSubSystem passes through here
// on its way to SDL and is recorded. SDL also adds to its hint list inside
// its own calls (the renderer's creation), so the sound, whose opening reads
// that list, must open only once the renderer exists.
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "game/game.h"
#include "app/main_loop.h"
#include "app/desktop/sdl_bring_up.h"

namespace {

struct SdlCall {
  std::string what;
  bool onMainThread;
  size_t threads;  // the process's threads at the time
};

std::mutex callsLock;
std::vector<SdlCall> calls;
// The renderer's creation and the sound's opening, in the order they began.
std::vector<std::string> displayAndSound;
bool recording = false;

size_t ThreadCount() {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/task")) ++n;
  return n;
}

void Record(const std::string& what) {
  std::lock_guard<std::mutex> hold(callsLock);
  if (!recording) return;
  calls.push_back({what, gettid() == getpid(), ThreadCount()});
}

void RecordOrder(const std::string& what) {
  std::lock_guard<std::mutex> hold(callsLock);
  if (recording) displayAndSound.push_back(what);
}

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

SDL_bool SDL_SetHint(const char* name, const char* value) {
  Record(std::string("SDL_SetHint ") + name);
  static auto real = Real<SDL_bool (*)(const char*, const char*)>("SDL_SetHint");
  return real(name, value);
}

SDL_bool SDL_SetHintWithPriority(const char* name, const char* value, SDL_HintPriority priority) {
  Record(std::string("SDL_SetHint ") + name);
  static auto real =
      Real<SDL_bool (*)(const char*, const char*, SDL_HintPriority)>("SDL_SetHintWithPriority");
  return real(name, value, priority);
}

int SDL_InitSubSystem(Uint32 flags) {
  Record("SDL_InitSubSystem " + std::to_string(flags));
  static auto real = Real<int (*)(Uint32)>("SDL_InitSubSystem");
  return real(flags);
}

void SDL_QuitSubSystem(Uint32 flags) {
  Record("SDL_QuitSubSystem " + std::to_string(flags));
  static auto real = Real<void (*)(Uint32)>("SDL_QuitSubSystem");
  real(flags);
}

SDL_Renderer* SDL_CreateRenderer(SDL_Window* window, int index, Uint32 flags) {
  RecordOrder("renderer");
  static auto real = Real<SDL_Renderer* (*)(SDL_Window*, int, Uint32)>("SDL_CreateRenderer");
  return real(window, index, flags);
}

int Mix_OpenAudio(int frequency, Uint16 format, int channels, int chunkSize) {
  RecordOrder("sound");
  static auto real = Real<int (*)(int, Uint16, int, int)>("Mix_OpenAudio");
  return real(frequency, format, channels, chunkSize);
}

}  // extern "C"

namespace rara3 {
namespace {

// The bring-up and a few passes of the loop in a child process (SDL's state
// starts fresh each time); the child's report of what went wrong, empty when
// all is well.
std::string BringUpInChild(const std::string& diskAudioFile) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    close(pipeFds[0]);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", diskAudioFile.c_str(), 1);
    std::string report;
    {
      auto sdl = std::make_unique<SdlPlatform>();
      auto g = std::make_unique<GameState>();
      std::string error;
      if (!OpenGameFolder(*g, sdl->files, RARA3_BINARY_DIR "/", error)) {
        report = "data file: " + error;
      } else {
        const size_t before = ThreadCount();
        recording = true;
        try {
          BringUp(*g, *sdl);
          for (int i = 0; i < 10; ++i) RunPass(*g, sdl->platform);
        } catch (const PlatformError& e) {
          report += "bring-up failed: " + e.what + "\n";
        }
        sdl->audio.Close();
        recording = false;
        for (const SdlCall& c : calls) {
          if (!c.onMainThread) report += c.what + ": called off the main thread\n";
          const bool starts = c.what.rfind("SDL_QuitSubSystem", 0) != 0;
          // Before anything else of the game's runs beside the main thread.
          if (starts && c.threads != before) {
            report += c.what + ": called with " + std::to_string(c.threads) + " threads, " +
                      std::to_string(before) + " before the bring-up\n";
          }
        }
        const auto sound = std::find(displayAndSound.begin(), displayAndSound.end(), "sound");
        if (sound == displayAndSound.end()) {
          report += "the sound was never opened\n";
        } else if (std::find(displayAndSound.begin(), sound, "renderer") == sound) {
          report += "the sound was opened before the renderer was created\n";
        }
        if (std::find(sound, displayAndSound.end(), "renderer") != displayAndSound.end()) {
          report += "a renderer was created after the sound had opened\n";
        }
        bool sawHint = false;
        for (const SdlCall& c : calls) sawHint |= c.what.rfind("SDL_SetHint", 0) == 0;
        if (!sawHint) report += "no hint was recorded: the calls did not pass through here\n";
        if (diskAudioFile.find("/no/such") == 0) {
          bool stopped = false;
          for (const SdlCall& c : calls) stopped |= c.what == "SDL_QuitSubSystem 16";
          if (!stopped) report += "the unused audio driver was not stopped\n";
        }
      }
    }
    (void)!write(pipeFds[1], report.data(), report.size());
    _exit(0);
  }
  close(pipeFds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += "the child ended abnormally\n";
  return report;
}

TEST(BringUpThreads, HintsAndSdlPartsOnlyOnTheMainThreadBeforeTheLoader) {
  EXPECT_EQ(BringUpInChild("/dev/null"), "");
}

// The audio device fails to open on the loading thread: the driver is
// stopped afterwards, on the main thread.
TEST(BringUpThreads, AFailedAudioOpenIsCleanedUpOnTheMainThread) {
  EXPECT_EQ(BringUpInChild("/no/such/folder/sound.raw"), "");
}

}  // namespace
}  // namespace rara3
