// Every file operation of a whole session made to fail in turn, on real
// files: the start-up ends with a message naming the data file, any later
// failure leaves the game running, and no data, replay or export file is
// ever left changed, truncated or half-written. Also a writer killed in the
// middle of replacing a replay file leaves the old file whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "game/game.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "game/replay_file.h"
#include "support/game_fixture.h"
#include "support/faulty_files.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

// Stage 1 opens its exit with one push right and is cleared by a step down;
// the progress byte says stage 1, so the clear raises and writes it.
std::vector<uint8_t> SessionDataFile() {
  std::vector<uint8_t> bytes = test::SyntheticDataFile(1);
  const std::vector<std::string> rows = {"####################", "#@P.P..............#",
                                         "#E.................#"};
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const char c = y < 3 ? rows[y][x] : (x == 0 || y == 19 || x == 19 ? '#' : '.');
      bytes[StageCellOffset(1, x, y)] = test::StoredKindOfChar(c);
    }
  return bytes;
}

const std::vector<uint8_t> kOldReplay = {'3', '\r', '\n', '2', '8', '\r', '\n',
                                         '3', '1', '\r', '\n', '3', '0', '\r', '\n'};
// An old export with a tail the game keeps.
std::vector<uint8_t> OldExport() {
  std::vector<uint8_t> bytes(kStageSize + 5, 7);
  return bytes;
}

struct Session {
  explicit Session(Files& files) : hp(files) { hp.display.recordBlits = false; }
  HeadlessPlatform hp;
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& g = *state;
  bool started = false;
  std::string startError;

  void Pass(std::vector<WindowEvent> events = {}) { RunPass(g, hp.platform, events); }
  void Key(int16_t code, int16_t mask = 0) { Pass({{WindowEventKind::KeyDown, code, mask}}); }
  // Runs passes until the scene is reached; false when it is not.
  bool Until(int16_t scene, int limit = 3000) {
    for (int i = 0; i < limit && g.flow.Scene != scene && !hp.system.Ended(); ++i) Pass();
    return g.flow.Scene == scene;
  }
  void Hold(int index, bool held) { hp.keyboard.held[index] = held ? 0x80 : 0; }

  // Start, clear stage 1 (replay and progress written, stage 2 loaded),
  // retire, edit stage 2 and save it (data file and export), replay stage 1.
  // Each step goes on only where the game stands where the step expects.
  void Run(const std::string& dir) {
    started = StartHeadless(g, hp.platform, dir, startError);
    if (!started) return;
    PlayStageOne();
    EditStageTwo();
  }

  void PlayStageOne() {
    Key(KeyEnter);
    if (g.flow.Scene != SceneIdle) return;
    Hold(KeyStateRight, true);
    Pass();
    Hold(KeyStateRight, false);
    if (!Until(SceneIdle)) return;
    Hold(KeyStateDown, true);
    Pass();
    Hold(KeyStateDown, false);
    if (!Until(SceneClear)) return;
    for (int i = 0; i < 3000 && g.flow.Scene == SceneClear; ++i) Key(KeyEnter);
    if (g.flow.Scene == SceneIdle) {
      Key(KeyEscape);
      if (!Until(SceneRetire)) return;
      for (int i = 0; i < 3000 && g.flow.Scene == SceneRetire; ++i) Key(KeyEscape);
    }
  }

  void EditStageTwo() {
    if (g.flow.Scene != SceneTitle) return;
    g.flow.StageNo = 2;
    Key(KeyF9, ModCtrlShift);
    if (g.flow.Scene != SceneEditor) return;
    Key(KeyRight);
    Key(static_cast<int16_t>(Key1 + 1));  // a pair box
    Key(KeyEnter);
    if (g.flow.Scene == SceneEditor) Key(KeyEscape);
    if (g.flow.Scene != SceneTitle) return;
    g.flow.StageNo = 1;
    Key(KeyF11, ModCtrlShift);
    Until(SceneClear);
  }
};

struct Files3 {
  std::vector<uint8_t> data, replay, exported;
};

Files3 ReadAllThree(const TempFolder& dir) {
  return {dir.Read(kDataFileName), dir.Read("001.PBD"), dir.Read("002.LVL")};
}

void Prepare(const TempFolder& dir) {
  dir.Write(kDataFileName, SessionDataFile());
  dir.Write("001.PBD", kOldReplay);
  dir.Write("002.LVL", OldExport());
}

// The same 400 bytes of stage s in both files.
bool SameStage(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int32_t s) {
  const auto at = StageCellOffset(s, 0, 0);
  return std::equal(a.begin() + at, a.begin() + at + kStageSize, b.begin() + at);
}

class FaultInjection : public testing::Test {
 protected:
  void SetUp() override {
    // The session without faults: what every file looks like when all goes well.
    TempFolder dir;
    Prepare(dir);
    PosixFiles posix;
    FaultyFiles logged(posix);
    Session s(logged);
    s.Run(dir.path());
    ASSERT_TRUE(s.started) << s.startError;
    ASSERT_TRUE(s.hp.system.errors.empty()) << s.hp.system.errors.front();
    ASSERT_EQ(s.g.flow.Scene, SceneClear) << "the clean session did not reach the replay's clear";
    clean_ = ReadAllThree(dir);
    log_ = logged.Log();
    ASSERT_EQ(clean_.data[kProgressOffset], 2);
    ASSERT_NE(clean_.replay, kOldReplay);
    ASSERT_FALSE(SameStage(clean_.data, SessionDataFile(), 2));
  }

  Files3 clean_;
  std::vector<std::string> log_;
};

TEST_F(FaultInjection, EveryOperationOfASessionFailsInTurnWithoutLosingAFile) {
  const std::vector<uint8_t> oldData = SessionDataFile();
  const std::vector<uint8_t> oldExport = OldExport();
  int startFailures = 0;
  int survived = 0;
  for (size_t n = 1; n <= log_.size(); ++n) {
    SCOPED_TRACE("failing operation " + std::to_string(n) + ": " + log_[n - 1]);
    TempFolder dir;
    Prepare(dir);
    PosixFiles posix;
    FaultyFiles faulty(posix);
    faulty.FailNth(static_cast<int64_t>(n));
    Session s(faulty);
    s.Run(dir.path());
    ASSERT_EQ(faulty.Failures(), 1);
    if (!s.started) {
      // Only the start-up's reads end the program, with the data file named.
      ++startFailures;
      EXPECT_NE(s.startError.find(kDataFileName), std::string::npos) << s.startError;
    } else {
      ++survived;
      EXPECT_FALSE(s.hp.system.Ended());
      ASSERT_FALSE(s.hp.system.errors.empty()) << "the failure was not reported";
      // The player is told on screen what standard error says.
      EXPECT_EQ(s.hp.system.messages, s.hp.system.errors);
    }
    const Files3 now = ReadAllThree(dir);
    // The data file: only the progress byte and stage 2 may differ from the
    // old file, each either old or as in the clean session.
    ASSERT_EQ(now.data.size(), oldData.size());
    for (size_t i = 0; i < now.data.size(); ++i) {
      if (i == kProgressOffset) continue;
      if (i >= static_cast<size_t>(StageCellOffset(2, 0, 0)) &&
          i < static_cast<size_t>(StageCellOffset(3, 0, 0)))
        continue;
      ASSERT_EQ(now.data[i], oldData[i]) << "byte " << i;
    }
    EXPECT_TRUE(now.data[kProgressOffset] == oldData[kProgressOffset] ||
                now.data[kProgressOffset] == clean_.data[kProgressOffset]);
    EXPECT_TRUE(SameStage(now.data, oldData, 2) || SameStage(now.data, clean_.data, 2));
    EXPECT_TRUE(now.replay == kOldReplay || now.replay == clean_.replay);
    EXPECT_TRUE(now.exported == oldExport || now.exported == clean_.exported);
    // Nothing left beside them.
    // (The hints file comes with a clear the session writes.)
    std::vector<std::string> left = dir.List();
    std::erase(left, "hints.txt");
    EXPECT_EQ(left, (std::vector<std::string>{"001.PBD", "002.LVL", kDataFileName}));
  }
  // The length check, the progress read, the tune and the ten effects.
  EXPECT_EQ(startFailures, 13);
  EXPECT_GE(survived, 6);  // stage loads, replay write, progress write, save, export, replay read
}

// Each failure the player meets later has its own visible outcome.
struct LaterFault {
  const char* name;
  FileOp op;
  const char* path;
  int64_t nth;
  int16_t scene;  // where the session stands at its end
};

class LaterFaults : public FaultInjection, public testing::WithParamInterface<LaterFault> {};

TEST_P(LaterFaults, LeaveTheGameRunningAndTheFilesWhole) {
  const LaterFault& c = GetParam();
  TempFolder dir;
  Prepare(dir);
  PosixFiles posix;
  FaultyFiles faulty(posix);
  faulty.Add({c.op, c.path, c.nth});
  Session s(faulty);
  s.Run(dir.path());
  ASSERT_TRUE(s.started) << s.startError;
  EXPECT_EQ(faulty.Failures(), 1);
  EXPECT_EQ(s.g.flow.Scene, c.scene);
  ASSERT_EQ(s.hp.system.errors.size(), 1u);
  // One message box with the same words, naming the file; play went on.
  EXPECT_EQ(s.hp.system.messages, s.hp.system.errors);
  EXPECT_NE(s.hp.system.messages[0].find(c.path), std::string::npos) << s.hp.system.messages[0];
  EXPECT_FALSE(s.hp.system.Ended());
  const Files3 now = ReadAllThree(dir);
  const std::string what = c.name;
  if (what == "replay write") {
    EXPECT_EQ(now.replay, kOldReplay);
    EXPECT_EQ(now.data, clean_.data);
  } else if (what == "progress write") {
    EXPECT_EQ(now.data[kProgressOffset], 1);
    EXPECT_EQ(now.replay, clean_.replay);
  } else if (what == "stage save") {
    EXPECT_TRUE(SameStage(now.data, SessionDataFile(), 2));
    EXPECT_EQ(now.exported, OldExport());
  } else if (what == "export write" || what == "export read") {
    // The stage itself was saved; only its copy was not.
    EXPECT_TRUE(SameStage(now.data, clean_.data, 2));
    EXPECT_EQ(now.exported, OldExport());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Session, LaterFaults,
    testing::Values(
        // First stage load: the game stays on the title and the rest of the
        // session (edit, replay) still runs.
        LaterFault{"stage load", FileOp::ReadAt, "TOVAK.DAT", 14, SceneClear},
        LaterFault{"replay write", FileOp::ReplaceWhole, ".PBD", 1, SceneClear},
        LaterFault{"progress write", FileOp::WriteAt, "TOVAK.DAT", 1, SceneClear},
        // A failed save keeps the editor open; Esc leaves it, the replay runs.
        LaterFault{"stage save", FileOp::WriteAt, "TOVAK.DAT", 2, SceneClear},
        LaterFault{"export read", FileOp::ReadAll, ".LVL", 1, SceneClear},
        LaterFault{"export write", FileOp::ReplaceWhole, ".LVL", 1, SceneClear},
        // The replay file cannot be read: back on the title. Each stage
        // load reads its replay for the best clear first (stages 1 and 2),
        // so the replay's own read is the third.
        LaterFault{"replay read", FileOp::ReadAll, ".PBD", 3, SceneTitle}),
    [](const testing::TestParamInfo<LaterFault>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

// The tune and effect reads the SDL bring-up makes: each fails alone with a
// message naming the data file and leaves the output empty.
TEST(FaultInjectionSound, TuneAndEffectReadsFailWithTheFileNamed) {
  TempFolder dir;
  dir.Write(kDataFileName, SessionDataFile());
  PosixFiles posix;
  const std::string path = dir / kDataFileName;
  for (int i = -1; i < 10; ++i) {
    SCOPED_TRACE(i < 0 ? "tune" : "effect " + std::to_string(i));
    FaultyFiles faulty(posix);
    faulty.FailNth(1);
    std::vector<uint8_t> out;
    std::string error;
    const bool ok = i < 0 ? ReadTune(faulty, path, out, error) : ReadEffect(faulty, path, i, out, error);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(error.find(kDataFileName), std::string::npos) << error;
  }
  EXPECT_EQ(dir.Read(kDataFileName), SessionDataFile());
}

// A writer killed while it replaces a large replay file: the file is always
// the old one or the new one, whole, however far the writing had got.
TEST(FaultInjectionKill, WriterKilledMidReplaceLeavesTheOldReplay) {
  TempFolder dir;
  const std::string path = dir / "001.PBD";
  dir.Write("001.PBD", kOldReplay);
  // Far larger than any replay, so the kill lands inside the write.
  std::vector<int32_t> codes(4 << 20, 28);
  const std::vector<uint8_t> big = FormatReplay(codes.data(), static_cast<int32_t>(codes.size()));
  int killedMidWrite = 0;
  for (int attempt = 0; attempt < 6; ++attempt) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixFiles files;
      std::string error;
      for (;;) files.ReplaceWhole(path, big.data(), big.size(), error);
    }
    usleep(2000 + 3000 * attempt);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::vector<uint8_t> now = dir.Read("001.PBD");
    ASSERT_TRUE(now == kOldReplay || now == big) << "a replay of " << now.size() << " bytes";
    killedMidWrite += dir.Exists("001.PBD.tmp");
  }
  EXPECT_GT(killedMidWrite, 0) << "no kill landed inside a write";
  // The next write replaces the leftover temporary file and the replay.
  PosixFiles files;
  std::string error;
  ASSERT_TRUE(files.ReplaceWhole(path, kOldReplay.data(), kOldReplay.size(), error)) << error;
  EXPECT_EQ(dir.Read("001.PBD"), kOldReplay);
  EXPECT_FALSE(dir.Exists("001.PBD.tmp"));
}

}  // namespace
}  // namespace rara3
