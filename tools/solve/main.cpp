// rara3-solve: shortest solutions of stages, their replay files, dead-end
// shares and the stage table of the docs.
//
//   rara3-solve STAGE.txt [-o FILE.PBD] [--dead-ends]
//   rara3-solve --all TOVAK.DAT|FOLDER [--out DIR] [--dead-ends] [--markdown] [--from N] [--to N]
//   rara3-solve --measure FOLDER|STAGE.txt [--from N] [--to N] [--no-walls]
//               [--light] [--shape-only]   (JSON lines)
//   common: --max-states N  --max-seconds S
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "core/command_line.h"
#include "game/replay_file.h"
#include "measure.h"
#include "solution_use.h"
#include "game/solver.h"
#include "stage_file.h"

namespace fs = std::filesystem;
using namespace rara3;
using namespace rara3::solve;

namespace {

struct Options {
  std::string input;
  bool all = false;
  std::string outFile;
  std::string outDir;
  bool deadEnds = false;
  bool markdown = false;
  bool measure = false;
  bool walls = true;
  bool light = false;
  bool shapeOnly = false;
  int from = 1;
  int to = 100;
  SearchLimits limits;
  SearchLimits deadLimits{5'000'000, 300.0};
};

struct Stage {
  std::string name;  // file name or "stage N"
  int number = 0;
  StageFile file;
};

constexpr const char* kUsage =
    "usage: rara3-solve STAGE.txt [-o FILE.PBD] [--dead-ends]\n"
    "       rara3-solve --all TOVAK.DAT|FOLDER [--out DIR] [--dead-ends] "
    "[--markdown] [--from N] [--to N]\n"
    "       rara3-solve --measure FOLDER|STAGE.txt [--from N] [--to N] [--no-walls] "
    "[--light] [--shape-only]\n"
    "       limits: --max-states N --max-seconds S --dead-end-states N\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// A replay file in the game's own format.
std::string ReplayText(const std::vector<int32_t>& codes) {
  const std::vector<uint8_t> bytes =
      FormatReplay(codes.data(), static_cast<int32_t>(codes.size()));
  return std::string(bytes.begin(), bytes.end());
}

// Written aside and renamed, so a failure leaves any old file whole.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      std::fprintf(stderr, "%s: cannot be written\n", temp.c_str());
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    std::fprintf(stderr, "%s: cannot be replaced: %s\n", path.c_str(), ec.message().c_str());
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool LoadAll(const std::string& input, std::vector<Stage>& stages) {
  std::error_code ec;
  if (fs::is_directory(input, ec)) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(input)) {
      if (entry.path().extension() == ".txt") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
      Stage s;
      s.name = path.filename().string();
      s.number = std::atoi(path.stem().string().c_str());
      std::string error;
      if (!ReadStageFile(path.string(), s.file, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
      }
      stages.push_back(s);
    }
    if (stages.empty()) {
      std::fprintf(stderr, "%s: no stage .txt files in this folder\n", input.c_str());
      return false;
    }
    return true;
  }
  if (fs::path(input).extension() == ".txt") {
    Stage s;
    s.name = fs::path(input).filename().string();
    s.number = std::atoi(fs::path(input).stem().string().c_str());
    std::string error;
    if (!ReadStageFile(input, s.file, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return false;
    }
    stages.push_back(s);
    return true;
  }
  // The packed data file: 100 stages of 400 cells, cell (x, y) at 20y + x.
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
    return false;
  }
  std::vector<char> bytes(40000);
  if (!in.read(bytes.data(), 40000)) {
    std::fprintf(stderr, "%s: shorter than the 40000 bytes of 100 stages\n", input.c_str());
    return false;
  }
  for (int n = 1; n <= 100; ++n) {
    Stage s;
    s.number = n;
    s.name = "stage " + std::to_string(n);
    for (int y = 0; y < kBoardSize; ++y)
      for (int x = 0; x < kBoardSize; ++x)
        s.file.cells[x][y] = static_cast<uint8_t>(bytes[(n - 1) * 400 + y * 20 + x]);
    stages.push_back(s);
  }
  return true;
}

std::string KindsUsed(const StageFile& f) {
  static const char* kNames[] = {"", "pair", "break", "vanish", "step", "slide", "copy", "solid", "bomb"};
  bool seen[9] = {};
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y)
      if (f.cells[x][y] >= 1 && f.cells[x][y] <= 8) seen[f.cells[x][y]] = true;
  std::string text;
  for (int k = 1; k <= 8; ++k) {
    if (!seen[k]) continue;
    if (!text.empty()) text += ", ";
    text += kNames[k];
  }
  return text;
}

const char* StatusText(SolveStatus s) {
  switch (s) {
    case SolveStatus::Solved: return "solved";
    case SolveStatus::Unsolvable: return "unsolvable";
    default: return "gave up";
  }
}

std::string ShareText(const DeadEndResult& d) {
  if (!d.complete) return "n/a (over " + std::to_string(d.states) + " states)";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f%%", 100.0 * d.Share());
  return buf;
}

std::string MarkdownCell(std::string s) {
  for (char& c : s)
    if (c == '|') c = '/';
  return s;
}

int SolveOne(const Options& o) {
  StageFile file;
  std::string error;
  Board board;
  if (!ReadStageFile(o.input, file, error) || !BoardForPlay(file, board, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const SolveResult r = Solve(board, o.limits);
  if (r.status == SolveStatus::Solved) {
    std::printf("solved: %zu moves, %d pushes, %llu states, %.2f s\n", r.facings.size(),
                r.pushes, static_cast<unsigned long long>(r.states), r.seconds);
    std::string line;
    for (int32_t f : r.facings) line += "DLRU"[DirIndexOf(f)];
    std::printf("moves: %s\n", line.c_str());
    const SolutionUse use = AnalyseSolution(board, r.facings);
    std::printf("boxes: %d, never pushed nor run into: %d\n", use.boxes, use.unused);
    std::printf("what happens: %s\n", DescribeSolution(use).c_str());
    if (!o.outFile.empty() && !WriteWhole(o.outFile, ReplayText(MoveCodesOf(r.facings)))) return 1;
  } else if (r.status == SolveStatus::Unsolvable) {
    std::printf("unsolvable: every one of %llu reachable states searched, %.2f s\n",
                static_cast<unsigned long long>(r.states), r.seconds);
  } else {
    std::printf("gave up at %s: %llu states, %.2f s\n", r.limitHit.c_str(),
                static_cast<unsigned long long>(r.states), r.seconds);
  }
  if (o.deadEnds) {
    const DeadEndResult d = DeadEnds(board, o.deadLimits);
    std::printf("dead ends: %s of %llu reachable states (%llu winning)\n", ShareText(d).c_str(),
                static_cast<unsigned long long>(d.states),
                static_cast<unsigned long long>(d.winning));
  }
  return r.status == SolveStatus::Solved ? 0 : 1;
}

double PeakMegabytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

int MeasureAll(const Options& o) {
  std::vector<Stage> stages;
  if (!LoadAll(o.input, stages)) return 1;
  MeasureLimits limits;
  limits.solve = o.limits;
  limits.walls = o.walls;
  limits.light = o.light;
  limits.shapeOnly = o.shapeOnly;
  int failures = 0;
  for (const Stage& s : stages) {
    if (stages.size() > 1 && (s.number < o.from || s.number > o.to)) continue;
    Board board;
    std::string error;
    if (!BoardForPlay(s.file, board, error)) {
      std::fprintf(stderr, "%s: %s\n", s.name.c_str(), error.c_str());
      ++failures;
      continue;
    }
    const StageMeasure m = MeasureStage(s.file, board, limits);
    if (m.solve.status != SolveStatus::Solved) ++failures;
    std::printf("%s\n", MeasureJson(s.number, s.file, m).c_str());
    std::fflush(stdout);
  }
  std::fprintf(stderr, "peak memory %.0f MB\n", PeakMegabytes());
  return failures == 0 ? 0 : 1;
}

int SolveAll(const Options& o) {
  std::vector<Stage> stages;
  if (!LoadAll(o.input, stages)) return 1;
  const auto t0 = std::chrono::steady_clock::now();
  int failures = 0;
  uint64_t hardest = 0;
  std::string hardestName;
  if (o.markdown) {
    std::printf(
        "# The stages\n\n"
        "Written by `tools/stagegen/write_docs.sh` (this table by `rara3-solve --all "
        "assets/stages --dead-ends --markdown`); not edited by hand.\n\n"
        "- Moves and pushes: the shortest solution (fewest moves), as shipped in "
        "assets/solutions.\n"
        "- States: the distinct boards the breadth-first search reached before it found "
        "that solution.\n"
        "- Dead ends: the share of all boards reachable from the start from which the stage "
        "can no longer be won.\n\n"
        "How the set is made, and the measures of every stage, follow the table.\n\n");
    std::printf("| No. | Title | Kinds | Moves | Pushes | States | Dead ends | Idea |\n");
    std::printf("|---:|---|---|---:|---:|---:|---:|---|\n");
  } else {
    std::printf("%-12s %-10s %6s %6s %10s %8s%s\n", "stage", "result", "moves", "pushes",
                "states", "seconds", o.deadEnds ? "  dead ends" : "");
  }
  int counted = 0;
  for (const Stage& s : stages) {
    // A range, so that a few changed stages need not wait for the rest.
    if (s.number < o.from || s.number > o.to) continue;
    ++counted;
    Board board;
    std::string error;
    if (!BoardForPlay(s.file, board, error)) {
      std::printf("%-12s bad stage: %s\n", s.name.c_str(), error.c_str());
      ++failures;
      continue;
    }
    const SolveResult r = Solve(board, o.limits);
    if (r.states > hardest) {
      hardest = r.states;
      hardestName = s.name;
    }
    DeadEndResult d;
    if (o.deadEnds) d = DeadEnds(board, o.deadLimits);
    if (r.status != SolveStatus::Solved) ++failures;
    if (r.status == SolveStatus::Solved && !o.outDir.empty()) {
      char name[16];
      std::snprintf(name, sizeof name, "%03d.PBD", s.number);
      if (!WriteWhole((fs::path(o.outDir) / name).string(), ReplayText(MoveCodesOf(r.facings)))) {
        ++failures;
      }
    }
    if (o.markdown) {
      std::printf("| %d | %s | %s | %zu | %d | %llu | %s | %s |\n", s.number,
                  MarkdownCell(s.file.title).c_str(), KindsUsed(s.file).c_str(),
                  r.facings.size(), r.pushes, static_cast<unsigned long long>(r.states),
                  o.deadEnds ? ShareText(d).c_str() : "-", MarkdownCell(s.file.idea).c_str());
      if (r.status != SolveStatus::Solved) {
        std::fprintf(stderr, "%s: %s\n", s.name.c_str(), StatusText(r.status));
      }
    } else {
      std::printf("%-12s %-10s %6zu %6d %10llu %8.2f%s%s\n", s.name.c_str(),
                  StatusText(r.status), r.facings.size(), r.pushes,
                  static_cast<unsigned long long>(r.states), r.seconds,
                  o.deadEnds ? "  " : "", o.deadEnds ? ShareText(d).c_str() : "");
    }
    std::fflush(stdout);
  }
  const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::fprintf(o.markdown ? stderr : stdout,
               "%d stages, %d not solved, %.2f s in total; most states: %s (%llu); "
               "peak memory %.0f MB\n",
               counted, failures, total, hardestName.c_str(),
               static_cast<unsigned long long>(hardest), PeakMegabytes());
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-solve", kUsage, stdout)) return 0;
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--all" && hasValue) {
      o.all = true;
      o.input = argv[++i];
    } else if (a == "--measure" && hasValue) {
      o.measure = true;
      o.input = argv[++i];
    } else if (a == "--from" && hasValue) {
      o.from = std::atoi(argv[++i]);
    } else if (a == "--to" && hasValue) {
      o.to = std::atoi(argv[++i]);
    } else if (a == "--light") {
      o.light = true;
    } else if (a == "--shape-only") {
      o.shapeOnly = true;
    } else if (a == "--no-walls") {
      o.walls = false;
    } else if (a == "-o" && hasValue) {
      o.outFile = argv[++i];
    } else if (a == "--out" && hasValue) {
      o.outDir = argv[++i];
    } else if (a == "--dead-ends") {
      o.deadEnds = true;
    } else if (a == "--markdown") {
      o.markdown = true;
    } else if (a == "--max-states" && hasValue) {
      o.limits.maxStates = std::strtoull(argv[++i], nullptr, 10);
    } else if (a == "--max-seconds" && hasValue) {
      o.limits.maxSeconds = std::atof(argv[++i]);
    } else if (a == "--dead-end-states" && hasValue) {
      o.deadLimits.maxStates = std::strtoull(argv[++i], nullptr, 10);
    } else if (!a.empty() && a[0] != '-' && o.input.empty()) {
      o.input = a;
    } else {
      return Usage();
    }
  }
  if (o.input.empty()) return Usage();
  if (o.measure) return MeasureAll(o);
  return o.all ? SolveAll(o) : SolveOne(o);
}
