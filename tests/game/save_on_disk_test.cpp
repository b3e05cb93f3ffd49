// The game's saves on a real disk: through symbolic links (the link stays,
// its target gets the data) and when the disk refuses them (size limit, a
// full or read-only file system), where the player is told and no
// temporary file is left behind.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "data/data_file.h"
#include "data/data_place.h"
#include "game/editor.h"
#include "game/file_work.h"
#include "game/game.h"
#include "game/replay_file.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> DataFileBytes(uint8_t seed) {
  std::vector<uint8_t> v(static_cast<size_t>(kDataFileSize));
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(i % 11 == 0 ? seed : i % 7);
  v[kProgressOffset] = 3;
  return v;
}

// True when the folder holds a ".tmp" file anywhere.
bool TemporaryLeft(const std::string& dir) {
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.path().extension() == ".tmp") return true;
  }
  return false;
}

// Every save the game makes, on a game folder of its own.
struct GameOnDisk {
  explicit GameOnDisk(const std::string& appDir) : hp(files), g(std::make_unique<GameState>()) {
    g->lifecycle.AppDir = appDir;
    g->flow.StageNo = 7;
    g->record.RecordCount = 2;
    g->record.RecordMoves[0] = 30;
    g->record.RecordMoves[1] = 29;
  }
  bool SaveReplay() { return WriteReplayFile(*g, hp.platform.files, hp.platform.system); }
  bool SaveStage() { return SaveEditedStage(*g, hp.platform.files, hp.platform.system); }
  bool FollowShipped(const std::vector<uint8_t>& shipped, std::string& error) {
    FollowReport report;
    return FollowShippedDataFile(files, shipped, g->lifecycle.AppDir + "TOVAK.DAT", report, error);
  }
  PosixFiles files;
  HeadlessPlatform hp;
  std::unique_ptr<GameState> g;
};

struct LinkedSave {
  const char* name;
  const char* file;  // in the game folder, a link into the synced folder
  std::function<bool(GameOnDisk&)> save;
};

const LinkedSave kLinkedSaves[] = {
    {"Replay", "007.PBD", [](GameOnDisk& d) { return d.SaveReplay(); }},
    {"Export", "007.LVL", [](GameOnDisk& d) { return d.SaveStage(); }},
    {"DataFileFollowingANewShippedFile", "TOVAK.DAT",
     [](GameOnDisk& d) {
       std::string error;
       const bool ok = d.FollowShipped(DataFileBytes(9), error);
       if (!ok) ADD_FAILURE() << error;
       return ok;
     }},
};

class SaveThroughLink : public testing::TestWithParam<LinkedSave> {};

// The audit: a linked file was replaced by a plain one, and the link's
// target (a synced folder, say) kept the old data.
TEST_P(SaveThroughLink, WritesTheTargetAndKeepsTheLink) {
  const LinkedSave& c = GetParam();
  TempFolder t;
  fs::create_directory(t / "game");
  fs::create_directory(t / "sync");
  fs::create_directory(t / "sync/deep");
  const std::vector<uint8_t> old = DataFileBytes(1);
  t.Write("game/TOVAK.DAT", old);
  t.Write("game/TOVAK.DAT.shipped", old);
  const std::string target = t / ("sync/deep/" + std::string(c.file));
  const std::string link = t / ("game/" + std::string(c.file));
  fs::remove(link);
  std::ofstream(target) << "old";
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  // A chain: game/FILE -> sync/FILE -> deep/FILE (relative).
  ASSERT_EQ(symlink(("deep/" + std::string(c.file)).c_str(), (t / ("sync/" + std::string(c.file))).c_str()), 0);
  ASSERT_EQ(symlink((t / ("sync/" + std::string(c.file))).c_str(), link.c_str()), 0);
  if (std::string(c.file) == "TOVAK.DAT") t.Write("sync/deep/TOVAK.DAT", old);

  GameOnDisk d(t / "game/");
  ASSERT_TRUE(c.save(d)) << (d.hp.system.errors.empty() ? "" : d.hp.system.errors[0]);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(t / ("sync/" + std::string(c.file))));
  EXPECT_EQ(fs::read_symlink(link), t / ("sync/" + std::string(c.file)));
  const std::vector<uint8_t> written = t.Read("sync/deep/" + std::string(c.file));
  EXPECT_NE(written, Bytes("old"));
  EXPECT_NE(written, old);
  EXPECT_EQ(t.Read("game/" + std::string(c.file)), written);
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u) << "the target keeps its permissions";
  EXPECT_FALSE(TemporaryLeft(t.path()));
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveThroughLink, testing::ValuesIn(kLinkedSaves),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveThroughLink, ADanglingLinkMakesItsTargetAndALoopIsRefused) {
  TempFolder t;
  fs::create_directory(t / "sync");
  ASSERT_EQ(symlink((t / "sync/007.PBD").c_str(), (t / "007.PBD").c_str()), 0);
  GameOnDisk d(t.path());
  ASSERT_TRUE(d.SaveReplay());
  EXPECT_EQ(t.Read("sync/007.PBD"), Bytes("2\r\n30\r\n29\r\n"));
  EXPECT_TRUE(fs::is_symlink(t / "007.PBD"));

  d.g->flow.StageNo = 8;
  ASSERT_EQ(symlink((t / "008.PBD").c_str(), (t / "008.PBD").c_str()), 0);
  EXPECT_FALSE(d.SaveReplay());
  ASSERT_EQ(d.hp.system.messages.size(), 1u);
  EXPECT_NE(d.hp.system.messages[0].find("008.PBD"), std::string::npos);
}

// --- Saves the disk refuses --------------------------------------------------

// Runs body in a child process and returns its exit status; 77 means the
// child could not set up what it needed.
int InChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The audit: ulimit -f killed the game with SIGXFSZ (status 153) and left a
// temporary file. Now each save fails with the notice and leaves nothing.
TEST(FailedSave, ASizeLimitIsANormalFailure) {
  TempFolder t;
  const std::vector<uint8_t> old = DataFileBytes(1);
  t.Write("TOVAK.DAT", old);
  t.Write("007.PBD", "1\r\n30\r\n");
  const int status = InChild([&] {
    IgnoreFileSizeSignal();
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 8;  // bytes: smaller than any save
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 77;
    GameOnDisk d(t.path());
    int failures = 0;
    failures += !d.SaveReplay();
    failures += !d.SaveStage();  // the stage lies beyond the limit
    d.g->flow.MaxStage = 3;
    std::string error;
    failures += !d.FollowShipped(DataFileBytes(9), error);
    // Each one told the player, naming the file and why.
    if (d.hp.system.messages.size() != 2) return 10;
    for (const auto& m : d.hp.system.messages) {
      if (m.find("too large") == std::string::npos) return 11;
    }
    if (error.find("TOVAK.DAT") == std::string::npos) return 12;
    return failures == 3 ? 0 : 13;
  });
  EXPECT_EQ(status, 0) << "153 would be the signal; 1x a missing notice";
  EXPECT_EQ(t.Read("TOVAK.DAT"), old);
  EXPECT_EQ(t.Read("007.PBD"), Bytes("1\r\n30\r\n"));
  EXPECT_FALSE(TemporaryLeft(t.path()));
}

// A full small file system, a read-only one, and a link into a read-only
// one: each save fails with the notice, the old files stay, nothing is left
// behind. Needs a mount namespace of its own (root, or a system that lets
// users have one).
TEST(FailedSave, AFullOrReadOnlyDiskIsANormalFailure) {
  TempFolder t;
  fs::create_directory(t / "small");
  fs::create_directory(t / "game");
  const int status = InChild([&]() -> int {
    if (unshare(CLONE_NEWNS) != 0) return 77;
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 77;
    if (mount("tmpfs", (t / "small").c_str(), "tmpfs", 0, "size=64k") != 0) return 77;
    // Full: the game folder on the small file system, filled up.
    const std::string game = t / "small/";
    {
      std::ofstream(game + "007.PBD") << "1\r\n30\r\n";
      std::ofstream fill(game + "fill", std::ios::binary);
      const std::string block(4096, 'x');
      while (fill.write(block.data(), static_cast<std::streamsize>(block.size()))) {
      }
    }
    GameOnDisk full(game);
    full.g->flow.StageNo = 7;
    if (full.SaveReplay()) return 20;
    std::string error;
    if (full.FollowShipped(DataFileBytes(9), error)) return 21;
    if (full.hp.system.messages.size() != 1) return 22;
    if (TemporaryLeft(game)) return 23;
    fs::remove(game + "fill");

    // Read-only, and a link from a writable folder into it.
    if (mount(nullptr, (t / "small").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      return 77;
    }
    GameOnDisk readOnly(game);
    if (readOnly.SaveReplay()) return 30;
    const std::string linked = t / "game/";
    if (symlink((game + "007.PBD").c_str(), (linked + "007.PBD").c_str()) != 0) return 77;
    GameOnDisk throughLink(linked);
    if (throughLink.SaveReplay()) return 31;
    if (readOnly.hp.system.messages.size() != 1 || throughLink.hp.system.messages.size() != 1) {
      return 32;
    }
    if (throughLink.hp.system.messages[0].find("through the link") == std::string::npos) return 33;
    std::ifstream in(game + "007.PBD");
    std::string line;
    std::getline(in, line);
    if (line != "1\r") return 34;
    return TemporaryLeft(t.path()) ? 35 : 0;
  });
  if (status == 77) GTEST_SKIP() << "no mount namespace here (needs root): the full and "
                                    "read-only disks are not tried";
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace rara3
