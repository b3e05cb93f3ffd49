#include "bench_data.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "data/data_file.h"
#include "data/data_pack.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "platform/compose/test_sheets.h"
#include "platform/posix/posix_files.h"

namespace rara3::bench {

namespace {
[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "rara3_bench: %s\n", what.c_str());
  std::exit(1);
}
}  // namespace

MemoryFiles& ShippedFiles() {
  static MemoryFiles files = [] {
    const std::string assets = std::string(RARA3_SOURCE_DIR) + "/assets";
    PosixFiles posix;
    MemoryFiles out;
    std::vector<std::string> errors;
    std::vector<uint8_t>& data = out.files[DataFilePath(kBenchDir + "/")];
    if (!PackDataFile(posix, {assets + "/stages", assets + "/sound/tune.mid", assets + "/sound", "100"},
                      data, errors))
      Die(errors.front());
    for (const auto& e : std::filesystem::directory_iterator(assets + "/solutions")) {
      bool missing = false;
      std::string error;
      if (!posix.ReadAll(e.path().string(), out.files[kBenchDir + "/" + e.path().filename().string()],
                         missing, error))
        Die(error);
    }
    return out;
  }();
  return files;
}

BenchGame::BenchGame(bool pixels) {
  hp.display.recordBlits = false;
  if (pixels) {
    compositor = std::make_unique<Compositor>();
    std::string error;
    if (!compositor->LoadEmbeddedSheets(error) && !LoadTestSheets(*compositor, error)) Die(error);
    sink = std::make_unique<ComposeSink>(*compositor);
    hp.display.sink = sink.get();
  }
  std::string error;
  if (!StartHeadless(g, hp.platform, kBenchDir, error)) Die(error);
}

double ThreadCpuNanos() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

double FrameCopyNanos() {
  constexpr size_t kBytes = 640 * 480 * 2;
  static std::vector<uint8_t> from(kBytes, 0x5a), to(kBytes);
  constexpr int kCopies = 400;
  double best = 1e30;
  // The best of a few rounds: the copy as fast as the machine does it.
  for (int round = 0; round < 5; ++round) {
    const double start = ThreadCpuNanos();
    for (int i = 0; i < kCopies; ++i) {
      std::memcpy(to.data(), from.data(), kBytes);
      asm volatile("" : : "r"(to.data()) : "memory");
    }
    best = std::min(best, (ThreadCpuNanos() - start) / kCopies);
  }
  return best;
}

}  // namespace rara3::bench
