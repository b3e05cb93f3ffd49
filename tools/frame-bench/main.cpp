// rara3-frame-bench: the real game's bring-up and main loop on the title with
// the tune playing, measured: the time from process start to the first frame,
// the frames per second held, and the CPU used by composing, presenting and
// sound.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "game/game.h"
#include "shell/main_loop.h"
#include "shell/sdl_bring_up.h"

namespace {

constexpr const char* kUsage =
    "usage: rara3-frame-bench GAMEDIR SECONDS\n"
    "Runs the title of the game in GAMEDIR (which holds TOVAK.DAT) for SECONDS\n"
    "after a 2-second warm-up and prints what it measured.\n";

double SinceBoot() {
  timespec t{};
  clock_gettime(CLOCK_BOOTTIME, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Field n (1-based) of a /proc stat line, after the command in parentheses.
double StatField(const std::string& path, int n) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  std::istringstream rest(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= n && rest >> field; ++i) {
  }
  return std::atof(field.c_str());
}

double ProcessStartSinceBoot() {
  return StatField("/proc/self/stat", 22) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// CPU seconds of the main thread and of all the others (sound).
void ThreadCpu(double& main, double& others) {
  main = others = 0;
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  const std::string self = std::to_string(getpid());
  DIR* dir = opendir("/proc/self/task");
  if (dir == nullptr) return;
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] == '.') continue;
    const std::string stat = std::string("/proc/self/task/") + e->d_name + "/stat";
    const double cpu = (StatField(stat, 14) + StatField(stat, 15)) / tick;
    (self == e->d_name ? main : others) += cpu;
  }
  closedir(dir);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string dir = argv[1];
  const double seconds = std::atof(argv[2]);
  auto sdl = std::make_unique<rara3::SdlPlatform>();
  auto g = std::make_unique<rara3::GameState>();
  std::string error;
  if (!rara3::PrepareGameState(*g, sdl->files, dir, error)) {
    std::fprintf(stderr, "rara3-frame-bench: %s\n", error.c_str());
    return 1;
  }
  try {
    rara3::BringUp(*g, *sdl);
    // One pass: the first frame.
    rara3::RunMainLoop(*g, sdl->platform, rara3::NowSeconds() + 1e-6);
    const double firstFrame = SinceBoot() - ProcessStartSinceBoot();
    rara3::Form_Activate(*g);
    rara3::RunMainLoop(*g, sdl->platform, rara3::NowSeconds() + 2.0);

    const long long frames0 = sdl->display.Frames();
    const double compose0 = sdl->display.ComposeSeconds();
    const double present0 = sdl->display.PresentSeconds();
    double main0 = 0, sound0 = 0;
    ThreadCpu(main0, sound0);
    const double t0 = rara3::NowSeconds();
    rara3::RunMainLoop(*g, sdl->platform, t0 + seconds);
    const double elapsed = rara3::NowSeconds() - t0;
    double main1 = 0, sound1 = 0;
    ThreadCpu(main1, sound1);
    const double frames = static_cast<double>(sdl->display.Frames() - frames0);

    std::printf("renderer:              %s, %s\n", sdl->display.RendererName().c_str(),
                sdl->display.UsesVsync() ? "vsync" : "own 60 Hz clock");
    std::printf("sound:                 %s%s\n", sdl->audio.Silent() ? "silent" : "on",
                sdl->audio.SoundFont().empty() ? "" : (", " + sdl->audio.SoundFont()).c_str());
    std::printf("first frame after:     %.0f ms from process start\n", firstFrame * 1000);
    std::printf("frames per second:     %.3f over %.1f s (%.0f frames)\n", frames / elapsed, elapsed,
                frames);
    std::printf("tune playing:          %s\n", sdl->audio.TuneIsPlaying() ? "yes" : "no");
    std::printf("CPU, main thread:      %.1f %% of a core\n", 100 * (main1 - main0) / elapsed);
    std::printf("  composing:           %.1f %% (%.2f ms a frame)\n",
                100 * (sdl->display.ComposeSeconds() - compose0) / elapsed,
                1000 * (sdl->display.ComposeSeconds() - compose0) / frames);
    std::printf("  presenting:          %.1f %% (%.2f ms a frame)\n",
                100 * (sdl->display.PresentSeconds() - present0) / elapsed,
                1000 * (sdl->display.PresentSeconds() - present0) / frames);
    std::printf("CPU, sound threads:    %.1f %% of a core\n", 100 * (sound1 - sound0) / elapsed);
  } catch (const rara3::PlatformError& e) {
    std::fprintf(stderr, "rara3-frame-bench: %s\n", e.what.c_str());
    return 1;
  }
  sdl->audio.Close();
  return 0;
}
