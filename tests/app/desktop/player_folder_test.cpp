// The disk's side of the player's folder: what the choice is told, the
// folders made, the shipped file copied, and every failure naming the
// folder or the file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/data_layout.h"
#include "platform/posix/posix_files.h"
#include "app/desktop/player_folder.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

std::vector<uint8_t> Shipped(uint8_t seed) {
  std::vector<uint8_t> v(static_cast<size_t>(kDataFileSize), seed);
  v[kProgressOffset] = 1;
  return v;
}

TEST(GatherDataPlaceFacts, SeesTheFilesAndTheEnvironment) {
  TempFolder dir;
  mkdir((dir / "games").c_str(), 0755);
  mkdir((dir / "data").c_str(), 0755);
  ScopedEnv xdg("XDG_DATA_HOME", "/some/where");
  ScopedEnv home("HOME", "/home/p");

  auto f = GatherDataPlaceFacts(dir / "games/", dir / "data");
  EXPECT_FALSE(f.programFileExists);
  EXPECT_FALSE(f.installedFileExists);
  EXPECT_EQ(f.xdgDataHome, "/some/where");
  EXPECT_EQ(f.home, "/home/p");

  dir.Write("data/TOVAK.DAT", Shipped(1));
  dir.Write("games/TOVAK.DAT", Shipped(1));
  f = GatherDataPlaceFacts(dir / "games/", dir / "data");
  EXPECT_TRUE(f.installedFileExists);
  EXPECT_TRUE(f.programFileExists);
  EXPECT_TRUE(f.programFileWritable);
  // A folder of that name is not a data file.
  mkdir((dir / "x").c_str(), 0755);
  mkdir((dir / "x/TOVAK.DAT").c_str(), 0755);
  EXPECT_FALSE(GatherDataPlaceFacts(dir / "x/", "").programFileExists);

  // The password entry stands in for an unset HOME.
  ScopedEnv noHome("HOME", nullptr);
  EXPECT_FALSE(GatherDataPlaceFacts(dir / "games/", "").home.empty());
}

TEST(MakeFolders, MakesEveryMissingFolderForTheUserAloneAndNamesWhatIsInTheWay) {
  TempFolder dir;
  std::string error;
  ASSERT_TRUE(MakeFolders(dir / "a/b/c/", error)) << error;
  struct stat st {};
  ASSERT_EQ(stat((dir / "a/b/c").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_TRUE(MakeFolders(dir / "a/b/c", error)) << "an existing folder is fine: " << error;

  dir.Write("file", "x");
  EXPECT_FALSE(MakeFolders(dir / "file/rara3/", error));
  EXPECT_NE(error.find(dir / "file/: the folder for the game's files cannot be made"),
            std::string::npos)
      << error;
}

class SetUpPlayerFolderTest : public testing::Test {
 protected:
  TempFolder dir;
  PosixFiles files;
  std::vector<std::string> notes;
  std::string error;
  DataPlace place{DataMode::PerUser, "", ""};

  void SetUp() override {
    place.appDir = dir / "home/.local/share/rara3/";
    place.shippedFile = dir / "TOVAK.DAT";
  }
  bool Run() { return SetUpPlayerFolder(files, place, notes, error); }
};

TEST_F(SetUpPlayerFolderTest, FirstStartMakesTheFolderAndCopiesTheShippedFile) {
  dir.Write("TOVAK.DAT", Shipped(3));
  ASSERT_TRUE(Run()) << error;
  EXPECT_EQ(dir.Read("home/.local/share/rara3/TOVAK.DAT"), Shipped(3));
  EXPECT_EQ(dir.Read("home/.local/share/rara3/TOVAK.DAT.shipped"), Shipped(3));
  EXPECT_TRUE(notes.empty());

  // A new version: the player is told what was kept.
  auto played = Shipped(3);
  played[kProgressOffset] = 20;
  played[StageCellOffset(2, 1, 1)] = 9;
  dir.Write("home/.local/share/rara3/TOVAK.DAT", played);
  dir.Write("TOVAK.DAT", Shipped(4));
  ASSERT_TRUE(Run()) << error;
  const auto now = dir.Read("home/.local/share/rara3/TOVAK.DAT");
  EXPECT_EQ(now[kProgressOffset], 20);
  EXPECT_EQ(now[StageCellOffset(2, 1, 1)], 9);
  EXPECT_EQ(now[StageCellOffset(3, 1, 1)], 4);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("your edited stages were kept: 002"), std::string::npos) << notes[0];
}

TEST_F(SetUpPlayerFolderTest, AMissingOrDamagedShippedFileIsNamedAndNothingIsMade) {
  EXPECT_FALSE(Run());
  EXPECT_NE(error.find(dir / "TOVAK.DAT: cannot be opened"), std::string::npos) << error;
  dir.Write("TOVAK.DAT", "short");
  EXPECT_FALSE(Run());
  EXPECT_NE(error.find(dir / "TOVAK.DAT: expected 1068193 bytes (the game's shipped data file), found 5"),
            std::string::npos)
      << error;
  EXPECT_FALSE(dir.Exists("home/.local/share/rara3/TOVAK.DAT"));
}

TEST_F(SetUpPlayerFolderTest, PortableModeTouchesNothing) {
  place = {DataMode::Portable, dir / "nowhere/", ""};
  ASSERT_TRUE(Run()) << error;
  EXPECT_FALSE(dir.Exists("nowhere"));
}

}  // namespace
}  // namespace rara3
