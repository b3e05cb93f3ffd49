// The shipped stages: their shape, a verified solution for each, and the
// difficulty curve of the set.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/stage_text.h"
#include "game/board.h"
#include "game/position_search.h"
#include "game/push_search.h"
#include "game/replay_file.h"

namespace rara3 {
namespace {

constexpr int kStages = 100;

std::string StagePath(int n, const char* folder, const char* extension) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d%s", n, extension);
  return std::string(RARA3_SOURCE_DIR) + "/assets/" + folder + "/" + name;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct ShippedStage {
  bool loaded = false;
  std::string error;
  StageCells cells = {};
  std::vector<std::string> comments;
  std::vector<int32_t> codes;
  bool replayRead = false;
};

// Read once for every test.
const std::vector<ShippedStage>& Stages() {
  static const std::vector<ShippedStage> stages = [] {
    std::vector<ShippedStage> all(kStages + 1);
    for (int n = 1; n <= kStages; ++n) {
      ShippedStage& s = all[n];
      const std::string text = ReadText(StagePath(n, "stages", ".txt"));
      s.loaded = ParseStageText(text, StagePath(n, "stages", ".txt"), s.cells, s.error);
      std::istringstream lines(text);
      std::string line;
      while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == ';') s.comments.push_back(line);
      }
      const std::string replay = ReadText(StagePath(n, "solutions", ".PBD"));
      const std::vector<uint8_t> bytes(replay.begin(), replay.end());
      std::vector<int32_t> codes(8192);
      int32_t count = 0;
      std::string error;
      s.replayRead = ParseReplay(bytes, 8192, codes.data(), count, error);
      if (s.replayRead) s.codes.assign(codes.begin(), codes.begin() + count);
    }
    return all;
  }();
  return stages;
}

int32_t Cell(const ShippedStage& s, int x, int y) { return s.cells[20 * y + x]; }

// The board as the game sets it up for play.
Board BoardOf(const ShippedStage& s) {
  Board b;
  b.Facing = FacingDown;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      int32_t k = Cell(s, x, y);
      if (k == KindPlayer) {
        b.PlayerX = x;
        b.PlayerY = y;
      } else if (k == KindExit) {
        b.ExitX = x;
        b.ExitY = y;
        k = KindEmpty;
      }
      b.Map[x][y] = k;
    }
  }
  return b;
}

int32_t FacingOfCode(int32_t code) {
  switch (code) {
    case 31: return FacingDown;
    case 29: return FacingLeft;
    case 28: return FacingRight;
    case 30: return FacingUp;
    default: return 0;
  }
}

// What a played solution did, move by move.
struct Played {
  bool clearedAtEnd = false;
  int clearedAt = -1;   // index of the clearing move
  int idleMoves = 0;    // moves that only turned the player
  int pushes = 0;
  std::set<std::string> events;
};

Played Play(const ShippedStage& s) {
  Played p;
  Board b = BoardOf(s);
  for (size_t i = 0; i < s.codes.size(); ++i) {
    const int32_t facing = FacingOfCode(s.codes[i]);
    Board before = b;
    const MoveResult r = ApplyMove(b, facing);
    if (r.kind == MoveKind::None) ++p.idleMoves;
    if (r.kind == MoveKind::Push) {
      ++p.pushes;
      const int32_t pushed = CellAt(before, b.TargetX, b.TargetY);
      const int32_t hit = b.HitKind;
      switch (pushed) {
        case KindPairBox:
          if (r.exitOpened) p.events.insert("pairing");
          break;
        case KindStepBox: p.events.insert("step"); break;
        case KindSlideBox: p.events.insert("slide"); break;
        case KindVanishBox: p.events.insert("vanish"); break;
        case KindCopyBox:
          if (hit == KindPairBox) p.events.insert("copy into a pair box");
          else if (hit >= KindPairBox && hit <= KindBombBox && hit != KindSolidBox)
            p.events.insert("copy into a box");
          break;
        case KindBombBox:
          if (hit == KindBreakBox) p.events.insert("break");
          else if (hit >= KindPairBox && hit <= KindBombBox && hit != KindSolidBox)
            p.events.insert("bomb");
          break;
      }
    }
    if (r.cleared && p.clearedAt < 0) p.clearedAt = static_cast<int>(i);
  }
  p.clearedAtEnd = p.clearedAt >= 0 && p.clearedAt + 1 == static_cast<int>(s.codes.size());
  return p;
}

class ShippedStageTest : public ::testing::TestWithParam<int> {};

TEST_P(ShippedStageTest, HasRingPlayerExitAndHeader) {
  const ShippedStage& s = Stages()[GetParam()];
  ASSERT_TRUE(s.loaded) << s.error;
  for (int i = 0; i < kBoardSize; ++i) {
    EXPECT_EQ(Cell(s, i, 0), KindSolidBox) << "top row, column " << i;
    EXPECT_EQ(Cell(s, i, 19), KindSolidBox) << "bottom row, column " << i;
    EXPECT_EQ(Cell(s, 0, i), KindSolidBox) << "left column, row " << i;
    EXPECT_EQ(Cell(s, 19, i), KindSolidBox) << "right column, row " << i;
  }
  int players = 0, exits = 0;
  for (uint8_t c : s.cells) {
    players += c == KindPlayer;
    exits += c == KindExit;
  }
  EXPECT_EQ(players, 1);
  EXPECT_EQ(exits, 1);
  ASSERT_GE(s.comments.size(), 2u) << "a title and an idea";
  EXPECT_GT(s.comments[0].size(), 3u);
  EXPECT_GT(s.comments[1].size(), 10u);
}

TEST_P(ShippedStageTest, ShippedSolutionClearsWithThePureRules) {
  const ShippedStage& s = Stages()[GetParam()];
  ASSERT_TRUE(s.loaded) << s.error;
  ASSERT_TRUE(s.replayRead) << "no readable solution";
  const Played p = Play(s);
  EXPECT_TRUE(p.clearedAtEnd) << "cleared at move " << p.clearedAt << " of " << s.codes.size();
  EXPECT_EQ(p.idleMoves, 0) << "a shortest solution never only turns";
}

// The hint's search, from the start of every floor, within the game's cap:
// a way out that clears, never with more pushes than the shipped one.
TEST_P(ShippedStageTest, HintSearchFindsAWayFromTheStart) {
  const ShippedStage& s = Stages()[GetParam()];
  ASSERT_TRUE(s.loaded) << s.error;
  const Board start = BoardOf(s);
  const solve::SolveResult r = solve::SolveFewestPushes(start, InGameSearchCaps().forHint);
  ASSERT_EQ(r.status, solve::SolveStatus::Solved) << r.limitHit;
  int32_t pushes = 0;
  EXPECT_TRUE(solve::ReplayClears(start, r.facings, &pushes));
  EXPECT_EQ(pushes, r.pushes);
  EXPECT_LE(r.pushes, Play(s).pushes);
}

INSTANTIATE_TEST_SUITE_P(Stages, ShippedStageTest, ::testing::Range(1, kStages + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "Stage%03d", info.param);
                           return std::string(name);
                         });

TEST(StageSetTest, FirstStageShowsTwoPairBoxesInAFewMoves) {
  const ShippedStage& s = Stages()[1];
  int pairs = 0, others = 0;
  for (uint8_t c : s.cells) {
    pairs += c == KindPairBox;
    others += c != KindPairBox && c != KindEmpty && c != KindSolidBox && c != KindPlayer &&
              c != KindExit;
  }
  EXPECT_EQ(pairs, 2);
  EXPECT_EQ(others, 0);
  EXPECT_LE(s.codes.size(), 10u);
}

TEST(StageSetTest, TutorialShowsEveryEvent) {
  std::map<std::string, int> firstSeen;
  for (int n = 1; n <= 10; ++n) {
    for (const std::string& e : Play(Stages()[n]).events) firstSeen.emplace(e, n);
  }
  for (const char* e : {"pairing", "step", "slide", "vanish", "break", "bomb", "copy into a box",
                        "copy into a pair box"}) {
    EXPECT_TRUE(firstSeen.count(e)) << "no stage from 1 to 10 shows: " << e;
  }
}

// The player's figure covers most of the cell above it; a newcomer would not
// see a box standing there.
TEST(StageSetTest, TutorialHidesNoBoxBehindThePlayer) {
  for (int n = 1; n <= 10; ++n) {
    const ShippedStage& s = Stages()[n];
    for (int y = 1; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x) {
        if (Cell(s, x, y) != KindPlayer) continue;
        const int32_t above = Cell(s, x, y - 1);
        EXPECT_TRUE(above == KindEmpty || above == KindSolidBox || above == KindExit)
            << "stage " << n << ": a box right above the player";
      }
    }
  }
}

TEST(StageSetTest, NoTwoStagesAlike) {
  std::map<std::string, int> seen;
  for (int n = 1; n <= kStages; ++n) {
    const std::string key(Stages()[n].cells, Stages()[n].cells + kStageSize);
    const auto [it, isNew] = seen.emplace(key, n);
    EXPECT_TRUE(isNew) << "stage " << n << " repeats stage " << it->second;
  }
}

TEST(StageSetTest, EveryKindInTenStagesAfterTheTutorial) {
  std::array<int, 9> stagesWith = {};
  for (int n = 11; n <= kStages; ++n) {
    std::array<bool, 9> has = {};
    for (uint8_t c : Stages()[n].cells)
      if (c >= 1 && c <= 8) has[c] = true;
    for (int k = 1; k <= 8; ++k) stagesWith[k] += has[k];
  }
  for (int k = 1; k <= 8; ++k) EXPECT_GE(stagesWith[k], 10) << "kind " << k;
}

TEST(StageSetTest, FromStageElevenEachSolutionHasFifteenMoves) {
  for (int n = 11; n <= kStages; ++n) {
    EXPECT_GE(Stages()[n].codes.size(), 15u) << "stage " << n;
  }
}

// The stage table of the docs, as rara3-solve writes it: stage number,
// moves, pushes, states and dead-end share per row.
struct TableRow {
  int moves = -1;
  int pushes = -1;
  long long states = -1;
  double deadShare = -1;
  // The share is not measured: more boards reachable than the search holds.
  bool deadOverBound = false;
};

std::map<int, TableRow> StageTable() {
  std::map<int, TableRow> rows;
  std::istringstream in(ReadText(std::string(RARA3_SOURCE_DIR) + "/docs/stages.md"));
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream cut(line);
    std::string cell;
    while (std::getline(cut, cell, '|')) cells.push_back(cell);
    // "", No., Title, Kinds, Moves, Pushes, States, Dead ends, Idea
    if (cells.size() < 8) continue;
    int no = 0;
    if (std::sscanf(cells[1].c_str(), "%d", &no) != 1) continue;
    TableRow r;
    std::sscanf(cells[4].c_str(), "%d", &r.moves);
    std::sscanf(cells[5].c_str(), "%d", &r.pushes);
    std::sscanf(cells[6].c_str(), "%lld", &r.states);
    if (std::sscanf(cells[7].c_str(), "%lf", &r.deadShare) == 1) r.deadShare /= 100.0;
    r.deadOverBound = cells[7].find("n/a (over ") != std::string::npos;
    rows[no] = r;
  }
  return rows;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

TEST(StageSetTest, DocsTableMatchesTheShippedSolutions) {
  const std::map<int, TableRow> table = StageTable();
  ASSERT_EQ(table.size(), static_cast<size_t>(kStages));
  for (int n = 1; n <= kStages; ++n) {
    ASSERT_TRUE(table.count(n)) << "stage " << n;
    EXPECT_EQ(table.at(n).moves, static_cast<int>(Stages()[n].codes.size())) << "stage " << n;
    EXPECT_EQ(table.at(n).pushes, Play(Stages()[n]).pushes) << "stage " << n;
    // Past the tutorial every stage has dead ends; a deep stage may reach
    // more boards than the count goes to, and the table has to say so.
    if (n > 10) {
      EXPECT_TRUE(table.at(n).deadShare > 0.0 || table.at(n).deadOverBound)
          << "stage " << n << " has no dead ends";
    }
  }
}

TEST(StageSetTest, MediansRiseFromTenToTen) {
  const std::map<int, TableRow> table = StageTable();
  ASSERT_EQ(table.size(), static_cast<size_t>(kStages));
  double lastMoves = -1, lastStates = -1;
  for (int first = 1; first <= kStages; first += 10) {
    std::vector<double> moves, states;
    for (int n = first; n < first + 10; ++n) {
      moves.push_back(static_cast<double>(Stages()[n].codes.size()));
      states.push_back(static_cast<double>(table.at(n).states));
    }
    const double m = Median(moves);
    const double s = Median(states);
    EXPECT_GT(m, lastMoves) << "median moves of stages " << first << " to " << first + 9;
    EXPECT_GT(s, lastStates) << "median states of stages " << first << " to " << first + 9;
    lastMoves = m;
    lastStates = s;
  }
}

}  // namespace
}  // namespace rara3
