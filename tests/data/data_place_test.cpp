// Where the game keeps its files, and the player's data file following a
// new shipped one: edits and progress stay, everything else is refreshed,
// and a failure or an interrupted run loses nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/data_layout.h"
#include "data/data_pack.h"
#include "data/data_place.h"
#include "support/faulty_files.h"
#include "support/memory_files.h"

namespace rara3 {
namespace {

TEST(ChooseDataPlace, PortableOrPerUserByWhatTheProgramFolderHolds) {
  struct Case {
    const char* name;
    DataPlaceFacts facts;
    bool ok;
    DataMode mode;
    const char* appDir;
    const char* shipped;
  };
  const Case cases[] = {
      {"writable data file beside the program", {true, true, true, "/x", "/home/p"}, true,
       DataMode::Portable, "/opt/g/", ""},
      {"nothing anywhere: the start reports the missing file there", {false, false, false, "/x", "/home/p"},
       true, DataMode::Portable, "/opt/g/", ""},
      {"installed, nothing beside the program", {false, false, true, "/x/data", "/home/p"}, true,
       DataMode::PerUser, "/x/data/rara3/", "/opt/share/TOVAK.DAT"},
      {"read-only beside the program, installed too", {true, false, true, "", "/home/p"}, true,
       DataMode::PerUser, "/home/p/.local/share/rara3/", "/opt/share/TOVAK.DAT"},
      {"read-only beside the program only", {true, false, false, "", "/home/p/"}, true,
       DataMode::PerUser, "/home/p/.local/share/rara3/", "/opt/g/TOVAK.DAT"},
      {"relative XDG_DATA_HOME is ignored", {false, false, true, "rel/data", "/home/p"}, true,
       DataMode::PerUser, "/home/p/.local/share/rara3/", "/opt/share/TOVAK.DAT"},
      {"trailing slashes give one", {false, false, true, "/x/data//", "/home/p"}, true,
       DataMode::PerUser, "/x/data/rara3/", "/opt/share/TOVAK.DAT"},
      {"no folder for the player", {false, false, true, "", ""}, false, DataMode::Portable, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DataPlace place;
    std::string error;
    ASSERT_EQ(ChooseDataPlace("/opt/g/", "/opt/share", c.facts, place, error), c.ok) << error;
    if (!c.ok) {
      EXPECT_NE(error.find("/opt/g/TOVAK.DAT"), std::string::npos) << error;
      EXPECT_NE(error.find("XDG_DATA_HOME"), std::string::npos) << error;
      continue;
    }
    EXPECT_EQ(place.mode, c.mode);
    EXPECT_EQ(place.appDir, c.appDir);
    EXPECT_EQ(place.shippedFile, c.shipped);
  }
}

// A data file whose every stage, progress byte and blob carries seed.
std::vector<uint8_t> DataFile(uint8_t seed) {
  std::vector<uint8_t> v(static_cast<size_t>(kDataFileSize));
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(seed + i % 7);
  v[kProgressOffset] = 1;
  return v;
}

uint8_t Cell(const std::vector<uint8_t>& d, int32_t s) { return d[StageCellOffset(s, 3, 4)]; }
void SetCell(std::vector<uint8_t>& d, int32_t s, uint8_t v) { d[StageCellOffset(s, 3, 4)] = v; }
bool SameFrom(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int64_t from) {
  return std::equal(a.begin() + from, a.end(), b.begin() + from);
}

TEST(FollowShippedData, KeepsEditsAndProgressTakesTheRestFromTheShippedFile) {
  const auto oldShipped = DataFile(10);
  auto player = oldShipped;
  player[kProgressOffset] = 42;
  SetCell(player, 3, 200);   // edited by the player
  SetCell(player, 100, 201);  // edited, the last stage
  auto shipped = DataFile(20);  // a new stage set, tune and effects

  std::vector<int32_t> kept;
  const auto out = FollowShippedData(player, &oldShipped, shipped, kept);
  EXPECT_EQ(kept, (std::vector<int32_t>{3, 100}));
  EXPECT_EQ(out[kProgressOffset], 42);
  EXPECT_EQ(Cell(out, 3), 200);
  EXPECT_EQ(Cell(out, 100), 201);
  for (int32_t s : {1, 2, 4, 50, 99}) {
    EXPECT_EQ(Cell(out, s), Cell(shipped, s)) << "stage " << s;
  }
  EXPECT_TRUE(SameFrom(out, shipped, kTuneOffset)) << "tune and effects not refreshed";

  // Without the shipped copy an edit cannot be told from an old stage: every
  // stage that differs from the new one stays.
  const auto blind = FollowShippedData(player, nullptr, shipped, kept);
  EXPECT_EQ(kept.size(), 100u);
  EXPECT_EQ(blind[kProgressOffset], 42);
  EXPECT_TRUE(SameFrom(blind, shipped, kTuneOffset));
  std::copy(player.begin() + StageCellOffset(7, 0, 0),
            player.begin() + StageCellOffset(8, 0, 0), shipped.begin() + StageCellOffset(7, 0, 0));
  FollowShippedData(player, nullptr, shipped, kept);
  EXPECT_EQ(std::count(kept.begin(), kept.end(), 7), 0) << "a stage equal to the shipped one";
}

class FollowFileTest : public testing::Test {
 protected:
  const std::string player = "/home/p/.local/share/rara3/TOVAK.DAT";
  const std::string copy = player + ".shipped";
  MemoryFiles mem;
  FaultyFiles files{mem};
  FollowReport report;
  std::string error;

  bool Follow(const std::vector<uint8_t>& shipped) {
    error.clear();
    return FollowShippedDataFile(files, shipped, player, report, error);
  }
  int Writes() const {
    return static_cast<int>(std::count_if(files.Log().begin(), files.Log().end(), [](auto& l) {
      return l.rfind("ReplaceWhole", 0) == 0;
    }));
  }
};

TEST_F(FollowFileTest, FirstStartCopiesTheShippedFileWholeAndLaterStartsWriteNothing) {
  const auto shipped = DataFile(10);
  ASSERT_TRUE(Follow(shipped)) << error;
  EXPECT_EQ(error, "") << "the missing file's read error must not outlive the success";
  EXPECT_EQ(report.outcome, FollowOutcome::Created);
  EXPECT_EQ(mem.files[player], shipped);
  EXPECT_EQ(mem.files[copy], shipped);

  mem.files[player][kProgressOffset] = 9;  // played
  const int before = Writes();
  ASSERT_TRUE(Follow(shipped)) << error;
  EXPECT_EQ(report.outcome, FollowOutcome::Unchanged);
  EXPECT_EQ(Writes(), before);
  EXPECT_EQ(mem.files[player][kProgressOffset], 9);
}

TEST_F(FollowFileTest, ANewShippedFileIsFollowedAndRecordedAsTheNewCopy) {
  ASSERT_TRUE(Follow(DataFile(10)));
  SetCell(mem.files[player], 5, 222);
  mem.files[player][kProgressOffset] = 30;
  const auto shipped = DataFile(20);
  ASSERT_TRUE(Follow(shipped)) << error;
  EXPECT_EQ(report.outcome, FollowOutcome::Followed);
  EXPECT_EQ(report.keptStages, (std::vector<int32_t>{5}));
  EXPECT_TRUE(report.madeFromKnown);
  EXPECT_EQ(Cell(mem.files[player], 5), 222);
  EXPECT_EQ(Cell(mem.files[player], 6), Cell(shipped, 6));
  EXPECT_EQ(mem.files[player][kProgressOffset], 30);
  EXPECT_EQ(mem.files[copy], shipped);
}

TEST_F(FollowFileTest, APlayerFileWithoutItsCopyKeepsEveryStageThatDiffers) {
  auto old = DataFile(10);
  old[kProgressOffset] = 12;
  mem.files[player] = old;
  const auto shipped = DataFile(20);
  ASSERT_TRUE(Follow(shipped)) << error;
  EXPECT_EQ(report.outcome, FollowOutcome::Followed);
  EXPECT_FALSE(report.madeFromKnown);
  EXPECT_EQ(report.keptStages.size(), 100u);
  EXPECT_EQ(mem.files[player][kProgressOffset], 12);
  EXPECT_TRUE(SameFrom(mem.files[player], shipped, kTuneOffset));
  EXPECT_EQ(mem.files[copy], shipped);
}

TEST_F(FollowFileTest, APlayerFileThatIsNoDataFileIsLeftAloneAndNamed) {
  mem.files[player] = std::vector<uint8_t>(1000, 7);
  EXPECT_FALSE(Follow(DataFile(10)));
  EXPECT_NE(error.find(player + ": expected 1068193 bytes (a data file), found 1000"),
            std::string::npos)
      << error;
  EXPECT_EQ(mem.files[player], std::vector<uint8_t>(1000, 7));
  EXPECT_EQ(mem.files.count(copy), 0u);
}

TEST_F(FollowFileTest, FailedWritesAreNamedAndAnInterruptedRunIsFinishedNextTime) {
  // First start: the copy cannot be written, so no player's file appears.
  files.FailEvery(FileOp::ReplaceWhole, ".shipped");
  EXPECT_FALSE(Follow(DataFile(10)));
  EXPECT_NE(error.find(copy), std::string::npos) << error;
  EXPECT_EQ(mem.files.count(player), 0u);
  files.Clear();
  ASSERT_TRUE(Follow(DataFile(10)));

  SetCell(mem.files[player], 5, 222);
  mem.files[player][kProgressOffset] = 30;
  const auto played = mem.files[player];
  // The player's file cannot be replaced: it stays as it was, named.
  files.FailEvery(FileOp::ReplaceWhole, "TOVAK.DAT");
  EXPECT_FALSE(Follow(DataFile(20)));
  EXPECT_NE(error.find(player), std::string::npos) << error;
  EXPECT_EQ(mem.files[player], played);
  EXPECT_EQ(mem.files[copy], DataFile(10));
  // Stopped between the two writes: the next run ends where one run would.
  files.Clear();
  files.FailEvery(FileOp::ReplaceWhole, ".shipped");
  EXPECT_FALSE(Follow(DataFile(20)));
  files.Clear();
  ASSERT_TRUE(Follow(DataFile(20))) << error;
  EXPECT_EQ(Cell(mem.files[player], 5), 222);
  EXPECT_EQ(mem.files[player][kProgressOffset], 30);
  for (int32_t s : {1, 4, 6, 100}) {
    EXPECT_EQ(Cell(mem.files[player], s), Cell(DataFile(20), s)) << "stage " << s;
  }
  EXPECT_EQ(mem.files[copy], DataFile(20));

  // A read that fails for another reason than a missing file is named.
  files.FailEvery(FileOp::ReadAll, ".shipped");
  EXPECT_FALSE(Follow(DataFile(30)));
  EXPECT_NE(error.find(copy), std::string::npos) << error;
}

}  // namespace
}  // namespace rara3
