// "No way out" and the hint: the search's verdict on small positions, the
// hint's push, the search beside play (threaded and sliced) cancelled and
// started again, and the game's use of it in the idle scene.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "game/floor_help_step.h"
#include "game/position_search.h"
#include "game/undo.h"
#include "support/game_fixture.h"
#include "support/test_boards.h"

namespace rara3::test {
namespace {

using Rows = std::vector<std::string>;

// Two pair boxes that can never meet, in a room the player walks freely.
const Rows kLostRoom = {"#####", "#P.P#", "#.@.#", "#E..#", "#####"};
// One push pairs them: the right box slides left into the left one.
// A lone pair box the player can push all round a room: lost, after many
// positions.
const Rows kLoneBoxRoom = {"########", "#......#", "#.@P...#", "#......#", "#E.....#", "########"};
const Rows kWonInOnePush = {"#######", "#@P..P#", "#E....#", "#######"};

struct VerdictCase {
  std::string name;
  Rows rows;
  PositionVerdict verdict;
};

class VerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, SearchDecides) {
  const PositionFinding f = FindingOf(solve::Solve(MakeBoard(GetParam().rows), InGameSearchCaps().afterMove));
  EXPECT_EQ(f.verdict, GetParam().verdict);
  EXPECT_EQ(f.facings.empty(), GetParam().verdict != PositionVerdict::Winnable);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, VerdictTest,
    testing::Values(
        VerdictCase{"LonePairBox", {"######", "#@P..#", "#E...#", "######"}, PositionVerdict::Lost},
        VerdictCase{"PairBoxesStuckApart", kLostRoom, PositionVerdict::Lost},
        VerdictCase{"OpenExitWalledOff", {"#####", "#@#X#", "#####"}, PositionVerdict::Lost},
        VerdictCase{"PairsTouchingSideBySide", {"######", "#@PP.#", "#...E#", "######"},
                    PositionVerdict::Winnable},
        VerdictCase{"PairsMeetOneAboveTheOther", {"#####", "#@..#", "#P..#", "#...#", "#P.E#", "#####"},
                    PositionVerdict::Winnable},
        VerdictCase{"WalkToTheOpenExit", {"#####", "#@.X#", "#####"}, PositionVerdict::Winnable},
        VerdictCase{"CopyBoxBecomesThePair", {"#######", "#@C.P.#", "#.....#", "#..P..#", "#E....#", "#######"},
                    PositionVerdict::Winnable},
        VerdictCase{"WonInOnePush", kWonInOnePush, PositionVerdict::Winnable}),
    [](const auto& info) { return info.param.name; });

struct HintCase {
  std::string name;
  Rows rows;
  int32_t boxX, boxY, facing;
};

class HintMoveTest : public testing::TestWithParam<HintCase> {};

TEST_P(HintMoveTest, FirstPushOfAShortestWay) {
  const HintCase& c = GetParam();
  const Board b = MakeBoard(c.rows);
  const solve::SolveResult r = solve::Solve(b, InGameSearchCaps().afterMove);
  ASSERT_EQ(r.status, solve::SolveStatus::Solved);
  const HintMark m = FirstPushOf(b, r.facings);
  EXPECT_EQ(m.BoxX, c.boxX);
  EXPECT_EQ(m.BoxY, c.boxY);
  EXPECT_EQ(m.Facing, c.facing);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, HintMoveTest,
    testing::Values(
        HintCase{"PushAtOnce", {"######", "#@PP.#", "#...E#", "######"}, 2, 1, FacingRight},
        HintCase{"PushDown", {"#####", "#@..#", "#P..#", "#...#", "#P.E#", "#####"}, 1, 2, FacingDown},
        HintCase{"WalkThenPush", {"######", "#@...#", "#.PP.#", "#..E.#", "######"}, 2, 2, FacingRight},
        // Only the lower box can move: up, from below it, after a step.
        HintCase{"PushUp", {"#####", "#P..#", "#...#", "#P..#", "#.@E#", "#####"}, 1, 3, FacingUp},
        // No push is left: the mark goes on the open exit, with no arrow.
        HintCase{"WalkOnly", {"#####", "#@.X#", "#####"}, 3, 1, 0}),
    [](const auto& info) { return info.param.name; });

// Waits, polling once a "frame", for the search's finding.
bool WaitForFinding(PositionSearch& s, PositionFinding& f, double seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (s.Poll(f)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// A wide open room with boxes: far more states than the small cap allows.
Board CappedRoom() {
  Rows rows(20, "#..................#");
  rows[0] = rows[19] = std::string(20, '#');
  rows[3] = "#..T..T..T..T..T...#";
  rows[7] = "#..S..S..T..S..T...#";
  rows[11] = "#..T..C..T..T..S...#";
  rows[15] = "#..P.....T..T..P...#";
  rows[1][1] = '@';
  rows[18][18] = 'E';
  return MakeBoard(rows);
}

// Caps far below the room's states, the hint's a little deeper.
SearchCaps SmallCaps() {
  SearchCaps caps = InGameSearchCaps();
  caps.afterMove.maxStates = 2000;
  caps.forHint.maxStates = 5000;
  return caps;
}

struct SearchKind {
  std::string name;
  std::unique_ptr<PositionSearch> (*make)(const SearchCaps&);
};

class PositionSearchTest : public testing::TestWithParam<SearchKind> {};

TEST_P(PositionSearchTest, ReportsTheLatestStartOnly) {
  const auto search = GetParam().make(InGameSearchCaps());
  PositionFinding f;
  // Started and at once replaced: only the second board is reported.
  search->Start(CappedRoom(), SearchDepth::AfterMove);
  search->Start(MakeBoard(kLostRoom), SearchDepth::AfterMove);
  ASSERT_TRUE(WaitForFinding(*search, f));
  EXPECT_EQ(f.verdict, PositionVerdict::Lost);
  EXPECT_FALSE(search->Poll(f));  // once only
  // And again, after a finding, with a board that can be won.
  search->Start(MakeBoard(kWonInOnePush), SearchDepth::AfterMove);
  ASSERT_TRUE(WaitForFinding(*search, f));
  EXPECT_EQ(f.verdict, PositionVerdict::Winnable);
}

TEST_P(PositionSearchTest, CancelledSearchReportsNothing) {
  const auto search = GetParam().make(InGameSearchCaps());
  PositionFinding f;
  search->Start(MakeBoard(kLostRoom), SearchDepth::AfterMove);
  search->Cancel();
  EXPECT_FALSE(WaitForFinding(*search, f, 0.2));
  // Cancelling a search that has already ended hides its finding too.
  search->Start(MakeBoard(kLostRoom), SearchDepth::AfterMove);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  search->Cancel();
  EXPECT_FALSE(WaitForFinding(*search, f, 0.1));
}

TEST_P(PositionSearchTest, CapSaysNothing) {
  const auto search = GetParam().make(SmallCaps());
  PositionFinding f;
  search->Start(CappedRoom(), SearchDepth::AfterMove);
  ASSERT_TRUE(WaitForFinding(*search, f));
  EXPECT_EQ(f.verdict, PositionVerdict::Unknown);
  EXPECT_LE(f.states, SmallCaps().afterMove.maxStates + 4);
  search->Start(CappedRoom(), SearchDepth::ForHint);
  ASSERT_TRUE(WaitForFinding(*search, f));
  EXPECT_EQ(f.verdict, PositionVerdict::Unknown);
  EXPECT_GT(f.states, SmallCaps().afterMove.maxStates + 4);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PositionSearchTest,
    testing::Values(SearchKind{"Threaded", [](const SearchCaps& c) { return MakeThreadedSearch(c); }},
                    SearchKind{"Sliced", [](const SearchCaps& c) { return MakeSlicedSearch(c, 0.001); }},
                    SearchKind{"Counted", [](const SearchCaps& c) { return MakeCountedSearch(c, 500); }}),
    [](const auto& info) { return info.param.name; });

// Scripted play needs the finding on the same poll every run: the counted
// search never looks at the clock, not even a time cap already passed.
TEST(CountedSearchTest, SameFindingOnTheSamePollEveryRun) {
  SearchCaps caps = InGameSearchCaps();
  caps.afterMove.maxSeconds = 0;
  int polls[2] = {0, 0};
  PositionFinding f[2];
  for (int run = 0; run < 2; ++run) {
    const auto search = MakeCountedSearch(caps, 1);
    search->Start(MakeBoard(kLoneBoxRoom), SearchDepth::AfterMove);
    while (!search->Poll(f[run])) ASSERT_LT(++polls[run], 1'000'000);
  }
  EXPECT_EQ(f[0].verdict, PositionVerdict::Lost);
  EXPECT_EQ(polls[0], polls[1]);
  EXPECT_EQ(f[0].states, f[1].states);
  EXPECT_GT(polls[0], 1);  // spread over polls, not run at once
}

// The game with a search beside it, stepped frame by frame as the loop does.
class FloorHelpGame : public GameFixture {
 public:
  FloorHelpGame() { g.Help.Search = search.get(); }

  // Frames until the search of the position on show has ended.
  void StepUntilKnown() {
    StepFloorHelp(g);
    for (int i = 0; i < 100000 && !g.Help.HasFinding; ++i) StepFloorHelp(g);
    ASSERT_TRUE(g.Help.HasFinding);
  }

  // Short slices: a search may take a few frames.
  std::unique_ptr<PositionSearch> search = MakeSlicedSearch(InGameSearchCaps(), 0.0005);
};

TEST_F(FloorHelpGame, NoWayOutFollowsThePosition) {
  PlayBoard(kWonInOnePush);
  KeepStageStart(g);
  StepUntilKnown();
  EXPECT_FALSE(g.Help.NoWayOut);
  // A move that loses: the same room with the boxes where they can never meet.
  PlayBoard({"#######", "#@P####", "#E....#", "#####P#", "#######"});
  StepUntilKnown();
  EXPECT_TRUE(g.Help.NoWayOut);
  // R plays the stage's start again: no longer lost.
  Key(KeyR);
  StepUntilKnown();
  EXPECT_FALSE(g.Help.NoWayOut);
}

// The frame step and the worker thread meet: positions changing every frame
// cancel and restart the search, and only the last position's verdict counts.
TEST_F(FloorHelpGame, WorkerThreadFollowsEveryChange) {
  search = MakeThreadedSearch(InGameSearchCaps());
  g.Help.Search = search.get();
  for (int i = 0; i < 200; ++i) {
    PlayBoard(i % 2 ? kLostRoom : kWonInOnePush);
    StepFloorHelp(g);
  }
  PlayBoard(kLostRoom);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  do {
    StepFloorHelp(g);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (!g.Help.HasFinding && std::chrono::steady_clock::now() < end);
  ASSERT_TRUE(g.Help.HasFinding);
  EXPECT_TRUE(g.Help.NoWayOut);
}

TEST_F(FloorHelpGame, NothingClaimedOutsideTheIdleScene) {
  PlayBoard(kLostRoom);
  StepUntilKnown();
  ASSERT_TRUE(g.Help.NoWayOut);
  g.flow.Scene = SceneWalk;
  StepFloorHelp(g);
  EXPECT_FALSE(g.Help.NoWayOut);
  g.flow.Scene = SceneIdle;
  g.record.ReplayMode = true;
  StepFloorHelp(g);
  EXPECT_FALSE(g.Help.Searching || g.Help.HasFinding);
}

TEST_F(FloorHelpGame, HintShowsAndCounts) {
  PlayBoard(kWonInOnePush);
  // Pressed before the search has ended: the mark follows the finding.
  Key(KeyH);
  EXPECT_EQ(g.Help.Notice, HintNotice::Searching);
  EXPECT_EQ(g.Help.HintsTaken, 0);
  StepUntilKnown();
  EXPECT_EQ(g.Help.HintsTaken, 1);
  EXPECT_EQ(g.Help.Hint.FramesLeft, kHintFrames);
  EXPECT_EQ(g.Help.Hint.BoxX, 2);
  EXPECT_EQ(g.Help.Hint.BoxY, 1);
  EXPECT_EQ(g.Help.Hint.Facing, FacingRight);
  // A second H while the mark shows takes no second hint.
  Key(KeyH);
  EXPECT_EQ(g.Help.HintsTaken, 1);
  for (int i = 0; i < kHintFrames; ++i) StepFloorHelp(g);
  EXPECT_EQ(g.Help.Hint.FramesLeft, 0);
  Key(KeyH);
  EXPECT_EQ(g.Help.HintsTaken, 2);
  EXPECT_EQ(g.Help.Hint.FramesLeft, kHintFrames);
  // A push ends the mark; the count stays until another floor is loaded.
  g.flow.Scene = ScenePush;
  StepFloorHelp(g);
  EXPECT_EQ(g.Help.Hint.FramesLeft, 0);
  ResetFloorHelp(g);
  EXPECT_EQ(g.Help.HintsTaken, 0);
}

// Counts what the game asks of a search, and passes it on.
class SearchSpy final : public PositionSearch {
 public:
  explicit SearchSpy(std::unique_ptr<PositionSearch> inner) : inner_(std::move(inner)) {}
  void Start(const Board& board, SearchDepth depth) override {
    ++starts;
    inner_->Start(board, depth);
  }
  void Cancel() override { inner_->Cancel(); }
  bool Poll(PositionFinding& finding) override { return inner_->Poll(finding); }
  void Hurry() override {
    ++hurries;
    hurriedStart = starts;
    inner_->Hurry();
  }
  int starts = 0, hurries = 0, hurriedStart = 0;

 private:
  std::unique_ptr<PositionSearch> inner_;
};

// Only a search the player waits for is hurried: H during the search after
// a move, and the deeper one H starts; never the search after a move alone.
TEST_F(FloorHelpGame, TheSearchAHintWaitsForIsHurried) {
  SearchSpy spy(MakeSlicedSearch(SmallCaps(), 0.0005, 0.002));
  g.Help.Search = &spy;
  PlayBoard(kWonInOnePush);
  Key(KeyH);
  EXPECT_EQ(spy.hurries, 1);
  EXPECT_EQ(spy.hurriedStart, spy.starts);
  StepUntilKnown();
  EXPECT_EQ(g.Help.HintsTaken, 1);
  // A new position's search runs at its own pace: nobody asked.
  static_cast<Board&>(g) = CappedRoom();
  StepUntilKnown();
  EXPECT_EQ(spy.hurries, 1);
  // Over the cap after the move: the deeper search H starts is hurried.
  const int before = spy.starts;
  EXPECT_FALSE(TakeHint(g));
  EXPECT_EQ(spy.starts, before + 1);
  EXPECT_EQ(spy.hurriedStart, spy.starts);
  StepUntilKnown();
}

TEST_F(FloorHelpGame, NoHintWhereTheSearchGivesUpOrTheFloorIsLost) {
  search = MakeSlicedSearch(SmallCaps(), 1.0);
  g.Help.Search = search.get();
  static_cast<Board&>(g) = CappedRoom();
  g.flow.Scene = SceneIdle;
  StepUntilKnown();
  EXPECT_FALSE(g.Help.NoWayOut);  // the cap proves nothing
  // H tries the deeper search first, and only then says there is no hint.
  EXPECT_FALSE(TakeHint(g));
  EXPECT_EQ(g.Help.Notice, HintNotice::Searching);
  StepUntilKnown();
  EXPECT_EQ(g.Help.Notice, HintNotice::NotFound);
  EXPECT_FALSE(TakeHint(g));
  EXPECT_EQ(g.Help.Notice, HintNotice::NotFound);
  EXPECT_EQ(g.Help.HintsTaken, 0);

  PlayBoard(kLostRoom);
  StepUntilKnown();
  EXPECT_FALSE(TakeHint(g));
  EXPECT_EQ(g.Help.Notice, HintNotice::None);  // "no way out" says it
  EXPECT_EQ(g.Help.HintsTaken, 0);
}

TEST_F(FloorHelpGame, WithoutASearchHDoesNothing) {
  g.Help.Search = nullptr;
  PlayBoard(kWonInOnePush);
  StepFloorHelp(g);
  Key(KeyH);
  EXPECT_EQ(g.Help.HintsTaken, 0);
  EXPECT_EQ(g.Help.Notice, HintNotice::None);
}

}  // namespace
}  // namespace rara3::test
