// rara3-stagegen: proposes stages and keeps those the solver rates well.
// Deterministic from the seed.
//
//   rara3-stagegen --seed N --count K --out DIR [--level 1..9] [--kinds TB]
//                  [--room WxH] [--walls N] [--boxes N] [--iterations N]
//                  [--max-states N] [--min-moves N] [--min-dead PERCENT]
//
// Each kept stage goes to DIR/<seed>-<n>.txt with the idea line filled in;
// one tab-separated line per stage on stdout: file, moves, pushes, states,
// dead-end share, kinds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/command_line.h"
#include "generator.h"

namespace fs = std::filesystem;
using namespace rara3;
using namespace rara3::stagegen;

namespace {

constexpr const char* kUsage =
    "usage: rara3-stagegen --seed N --count K --out DIR [--level 1..9] [--kinds TB]\n"
    "       [--room WxH] [--walls N] [--boxes N] [--iterations N]\n"
    "       [--max-states N] [--min-moves N] [--min-dead PERCENT]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// Rooms, walls and boxes grow with the level; the hill climb gets longer.
GenParams ParamsForLevel(int level, std::mt19937_64& rng) {
  GenParams p;
  const int lv = std::clamp(level, 1, 9);
  std::uniform_int_distribution<int> jitter(-1, 1);
  p.roomW = 6 + lv / 2 + jitter(rng);
  p.roomH = 5 + lv / 2 + jitter(rng);
  p.wallBits = 3 + lv + jitter(rng);
  p.extraBoxes = 1 + (lv + 1) / 3;
  p.maxBoxes = 4 + lv / 2;
  p.iterations = 250 + 40 * lv;
  p.minMoves = 15;
  p.minPushes = 2 + lv / 2;
  p.maxStates = 50'000ull << std::min(lv / 2, 4);
  return p;
}

std::string FeaturedKinds(std::mt19937_64& rng, int level) {
  static const char kKinds[] = "%VTSCB";
  const int n = level <= 3 ? 1 : (level <= 7 ? 2 : 3);
  std::string kinds;
  while (static_cast<int>(kinds.size()) < n) {
    const char c = kKinds[std::uniform_int_distribution<int>(0, 5)(rng)];
    if (kinds.find(c) == std::string::npos) kinds += c;
  }
  // A break box is only worth placing with a bomb to meet it, or as a stop.
  return kinds;
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-stagegen", kUsage, stdout)) return 0;
  uint64_t seed = 1;
  int count = 1;
  int level = 3;
  std::string outDir;
  std::string kinds;
  bool kindsGiven = false;
  int roomW = 0, roomH = 0, walls = -1, boxes = -1, iterations = -1, minMoves = -1;
  uint64_t maxStates = 0;
  double minDead = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return Usage();
    const char* v = argv[++i];
    if (a == "--seed") seed = std::strtoull(v, nullptr, 10);
    else if (a == "--count") count = std::atoi(v);
    else if (a == "--level") level = std::atoi(v);
    else if (a == "--out") outDir = v;
    else if (a == "--kinds") { kinds = v; kindsGiven = true; }
    else if (a == "--room") std::sscanf(v, "%dx%d", &roomW, &roomH);
    else if (a == "--walls") walls = std::atoi(v);
    else if (a == "--boxes") boxes = std::atoi(v);
    else if (a == "--iterations") iterations = std::atoi(v);
    else if (a == "--max-states") maxStates = std::strtoull(v, nullptr, 10);
    else if (a == "--min-moves") minMoves = std::atoi(v);
    else if (a == "--min-dead") minDead = std::atof(v) / 100.0;
    else return Usage();
  }
  if (outDir.empty() || count < 1) return Usage();
  for (char c : kinds) {
    const int32_t k = KindOfStageChar(c);
    if (k < 1 || k > 8) {
      std::fprintf(stderr, "--kinds: '%c' is no box kind\n", c);
      return 2;
    }
  }
  std::error_code ec;
  fs::create_directories(outDir, ec);

  std::mt19937_64 rng(seed);
  int kept = 0;
  for (int attempt = 0; kept < count && attempt < count * 20; ++attempt) {
    GenParams p = ParamsForLevel(level, rng);
    p.kinds = kindsGiven ? kinds : FeaturedKinds(rng, level);
    if (roomW > 0) p.roomW = roomW;
    if (roomH > 0) p.roomH = roomH;
    if (walls >= 0) p.wallBits = walls;
    if (boxes >= 0) p.extraBoxes = boxes;
    if (iterations >= 0) p.iterations = iterations;
    if (maxStates > 0) p.maxStates = maxStates;
    if (minMoves >= 0) p.minMoves = minMoves;
    solve::StageFile stage;
    Rating rating;
    if (!GenerateStage(rng, p, stage, rating)) continue;
    Board board;
    std::string error;
    solve::BoardForPlay(stage, board, error);
    const solve::DeadEndResult dead = solve::DeadEnds(board, {4'000'000, 1e12});
    if (dead.complete && dead.Share() < minDead) continue;
    stage.title = "Untitled";
    stage.idea = solve::DescribeSolution(rating.use);
    const std::string name = std::to_string(seed) + "-" + std::to_string(kept) + ".txt";
    std::ofstream((fs::path(outDir) / name).string()) << solve::FormatStageFile(stage);
    std::printf("%s\t%d\t%d\t%llu\t%.3f\t%s\n", name.c_str(), rating.moves, rating.pushes,
                static_cast<unsigned long long>(rating.states),
                dead.complete ? dead.Share() : -1.0, p.kinds.c_str());
    std::fflush(stdout);
    ++kept;
  }
  return kept == count ? 0 : 1;
}
