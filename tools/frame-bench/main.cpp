// rara3-frame-bench: the real game's bring-up and main loop, measured: the
// time from process start to the first frame, then on the title and on an
// idle board the frames per second held and the whole process's CPU split
// into composing, presenting, sleeping to the frame's moment, the rest of the
// main thread, sound, and any other threads.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/command_line.h"
#include "core/keys.h"
#include "core/scenes.h"
#include "game/game.h"
#include "game/position_search.h"
#include "app/main_loop.h"
#include "app/desktop/sdl_bring_up.h"

namespace {

constexpr const char* kUsage =
    "usage: rara3-frame-bench GAMEDIR SECONDS\n"
    "Runs the game in GAMEDIR (which holds TOVAK.DAT) for SECONDS on the title,\n"
    "then SECONDS on stage 1 standing still, each after a 2-second warm-up, then\n"
    "SECONDS on stage 100 from the moment H asks for a hint (the search beside\n"
    "play on every core it takes), and\n"
    "prints what it measured.\n";

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

// CPU seconds of the whole process, every thread.
double ProcessCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// CPU seconds of the process's threads: the main thread, the sound
// threads (SDL's audio thread, which also runs the synthesiser) and any
// others.
struct ThreadCpu {
  double main = 0;
  double audio = 0;
  double others = 0;
};

ThreadCpu ReadThreadCpu() {
  ThreadCpu cpu;
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  const std::string self = std::to_string(getpid());
  DIR* dir = opendir("/proc/self/task");
  if (dir == nullptr) return cpu;
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] == '.') continue;
    const std::string task = std::string("/proc/self/task/") + e->d_name;
    const double seconds = (StatField(task + "/stat", 14) + StatField(task + "/stat", 15)) / tick;
    std::ifstream commFile(task + "/comm");
    std::string comm;
    std::getline(commFile, comm);
    if (self == e->d_name) {
      cpu.main += seconds;
    } else if (comm.rfind("SDLAudio", 0) == 0) {
      cpu.audio += seconds;
    } else {
      cpu.others += seconds;
    }
  }
  closedir(dir);
  return cpu;
}

// The whole process's CPU over one stretch of play, split by where it went.
struct Split {
  double seconds = 0;
  double paused = 0;
  double frames = 0;
  double shown = 0;
  double process = 0;
  ThreadCpu threads;
  double compose = 0;
  double present = 0;
  double wait = 0;
};

struct Sample {
  double now, paused, process, compose, present, wait;
  long long frames, shown;
  ThreadCpu threads;
};

Sample Take(const rara3::SdlPlatform& sdl) {
  const rara3::SdlDisplay& d = sdl.display;
  return {rara3::NowSeconds(), static_cast<double>(sdl.system.PausedMs()) / 1000, ProcessCpu(), d.ComposeSeconds(), d.PresentSeconds(), d.WaitSeconds(),
          d.Frames(), d.FramesShown(), ReadThreadCpu()};
}

Split Between(const Sample& a, const Sample& b) {
  Split s;
  s.seconds = b.now - a.now;
  s.paused = b.paused - a.paused;
  s.frames = static_cast<double>(b.frames - a.frames);
  s.shown = static_cast<double>(b.shown - a.shown);
  s.process = b.process - a.process;
  s.threads = {b.threads.main - a.threads.main, b.threads.audio - a.threads.audio,
               b.threads.others - a.threads.others};
  s.compose = b.compose - a.compose;
  s.present = b.present - a.present;
  s.wait = b.wait - a.wait;
  return s;
}

void Print(const char* what, const Split& s) {
  const auto pct = [&](double cpu) { return 100 * cpu / s.seconds; };
  const double other = s.threads.main - s.compose - s.present - s.wait;
  std::printf("%s, %.1f s:\n", what, s.seconds);
  // The game's own pauses (500 ms each time the tune starts again) hold
  // every frame; the rate is that of the time it runs.
  std::printf("  frames per second:   %.3f (%.0f frames, %.0f of them presented; %.1f s of pauses left out)\n",
              s.frames / (s.seconds - s.paused), s.frames, s.shown, s.paused);
  std::printf("  CPU, whole process:  %5.1f %% of a core\n", pct(s.process));
  std::printf("    main thread:       %5.1f %%\n", pct(s.threads.main));
  std::printf("      composing:       %5.2f %% (%.3f ms a frame)\n", pct(s.compose),
              1000 * s.compose / s.frames);
  std::printf("      presenting:      %5.2f %% (%.3f ms a frame presented)\n", pct(s.present),
              1000 * s.present / std::max(1.0, s.shown));
  std::printf("      sleeping:        %5.2f %%\n", pct(s.wait));
  std::printf("      other:           %5.2f %%\n", pct(other));
  std::printf("    audio:             %5.1f %%\n", pct(s.threads.audio));
  std::printf("    other threads:     %5.1f %%\n", pct(s.threads.others));
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-frame-bench", kUsage, stdout)) return 0;
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string dir = argv[1];
  const double seconds = std::atof(argv[2]);
  auto sdl = std::make_unique<rara3::SdlPlatform>();
  auto g = std::make_unique<rara3::GameState>();
  // "No way out" and the hint on a thread of their own, as in the game.
  const std::unique_ptr<rara3::PositionSearch> search = rara3::MakeThreadedSearch(rara3::InGameSearchCaps());
  g->Help.Search = search.get();
  std::string error;
  if (!rara3::OpenGameFolder(*g, sdl->files, dir, error)) {
    std::fprintf(stderr, "rara3-frame-bench: %s\n", error.c_str());
    return 1;
  }
  try {
    rara3::BringUp(*g, *sdl);
    // One pass: the first frame. Timed when it is presented, before the
    // pass goes on to the timer (whose first keep-alive pauses 500 ms).
    rara3::RunPass(*g, sdl->platform);
    const double firstFrame =
        sdl->display.FirstShownAt() + (SinceBoot() - rara3::NowSeconds()) - ProcessStartSinceBoot();
    rara3::HandleActivate(*g);
    rara3::SdlDisplay& d = sdl->display;
    std::printf("renderer:              %s, %s\n", d.RendererName().c_str(),
                d.UsesVsync() ? "vsync" : "own 60 Hz clock");
    std::printf("sound:                 %s%s\n", sdl->audio.Silent() ? "silent" : "on",
                sdl->audio.SoundFont().empty() ? "" : (", " + sdl->audio.SoundFont()).c_str());
    std::printf("first frame after:     %.0f ms from process start\n", firstFrame * 1000);

    // The title, then stage 1 standing still, each after a warm-up.
    rara3::RunMainLoop(*g, sdl->platform, rara3::NowSeconds() + 2.0);
    Sample a = Take(*sdl);
    rara3::RunMainLoop(*g, sdl->platform, a.now + seconds);
    Print("title", Between(a, Take(*sdl)));
    std::printf("  tune playing:        %s\n", sdl->audio.TuneIsPlaying() ? "yes" : "no");
    rara3::HandleKeyDown(*g, sdl->platform, rara3::KeyEnter, 0);
    rara3::RunMainLoop(*g, sdl->platform, rara3::NowSeconds() + 2.0);
    if (g->flow.Scene != rara3::SceneIdle) {
      std::fprintf(stderr, "rara3-frame-bench: Enter on the title did not start a stage\n");
      return 1;
    }
    a = Take(*sdl);
    rara3::RunMainLoop(*g, sdl->platform, a.now + seconds);
    Print("idle board, stage 1", Between(a, Take(*sdl)));

    // The largest floor's hint: the frames must keep their pace while the
    // search runs beside them.
    g->flow.StageNo = rara3::kStageCount;
    if (!rara3::LoadStage(*g, sdl->files, sdl->system)) {
      std::fprintf(stderr, "rara3-frame-bench: stage %d did not load\n", rara3::kStageCount);
      return 1;
    }
    rara3::RunMainLoop(*g, sdl->platform, rara3::NowSeconds() + 0.1);
    rara3::HandleKeyDown(*g, sdl->platform, rara3::KeyH, 0);
    a = Take(*sdl);
    rara3::RunMainLoop(*g, sdl->platform, a.now + seconds);
    Print("hint searched for, stage 100", Between(a, Take(*sdl)));
    std::printf("  hint shown:          %s\n", g->Help.HintsTaken > 0 ? "yes" : "no, still searching");
  } catch (const rara3::PlatformError& e) {
    std::fprintf(stderr, "rara3-frame-bench: %s\n", e.what.c_str());
    return 1;
  }
  sdl->audio.Close();
  return 0;
}
