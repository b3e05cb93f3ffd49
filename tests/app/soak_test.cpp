// The soak: the headless game, through the same main loop as rara3-sim,
// driven by seeded random held keys and key events through every stage and
// every scene (play, replays of the shipped solutions, retire, the editor
// saving into a copy of the data file, the ending, quitting and starting
// again). After every frame: while a shipped stage is played unedited, an
// idle board holds exactly one player cell, where the player stands.
//
// RARA3_SOAK_FRAMES sets the length (make soak runs a million frames under
// the sanitizers), RARA3_SOAK_SEED the seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "data/data_pack.h"
#include "game/game.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

int64_t EnvOr(const char* name, int64_t fallback) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' ? std::strtoll(v, nullptr, 10) : fallback;
}

// Passes writes on; keeps its own copy of the data file's stage area up to
// date, so the soak knows which stages the editor has changed.
class WatchedFiles : public Files {
 public:
  WatchedFiles(Files& inner, std::vector<uint8_t> stages) : inner_(inner), stages(std::move(stages)) {}
  bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
              std::string& error) override {
    return inner_.ReadAt(path, offset, out, size, error);
  }
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override {
    if (!inner_.WriteAt(path, offset, data, size, error)) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (path.ends_with(kDataFileName))
      for (size_t i = 0; i < size; ++i)
        if (offset + static_cast<int64_t>(i) < kProgressOffset) stages[offset + i] = bytes[i];
    return true;
  }
  bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
               std::string& error) override {
    return inner_.ReadAll(path, out, missing, error);
  }
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override {
    return inner_.ReplaceWhole(path, data, size, error);
  }

  Files& inner_;
  std::vector<uint8_t> stages;
};

// Every key the game knows, and a few it does not.
const int16_t kEventKeys[] = {KeyEnter, KeyEscape, KeySpace, KeyLeft, KeyUp,  KeyRight, KeyDown,
                              Key0,     Key1,      Key1 + 1, Key1 + 2, Key1 + 3, Key1 + 4,
                              Key1 + 5, Key1 + 6,  Key8,     Key9,    KeyA,   KeyM,     KeyQ,
                              KeyS,     KeyZ,      KeyF7,    KeyF9,   KeyF11, 0,        255};
const int kArrowScans[] = {KeyStateUp, KeyStateLeft, KeyStateRight, KeyStateDown};

class Soak {
 public:
  Soak(const std::string& dir, WatchedFiles& files, uint32_t seed)
      : dir_(dir), files_(files), shipped_(files.stages), rng_(seed) {}

  void Run(int64_t frames) {
    Start();
    for (int64_t f = 0; f < frames; ++f) {
      if (hp_->system.Ended()) Start();
      RunPass(*g_, hp_->platform, Events());
      CheckBoard(f);
      if (HasFatalFailure()) return;
      scenesSeen.insert(g_->flow.Scene);
      if (g_->flow.Scene == SceneIdle) stagesPlayed.insert(g_->flow.StageNo);
      // Passes since the stage was entered, walks and pushes included.
      playPasses_ = g_->flow.Scene == SceneTitle ? 0 : playPasses_ + 1;
      ++passesIn[std::clamp<int>(g_->flow.Scene, 0, 7)];
      if (f % 4096 == 0) Trim();
    }
  }

  std::set<int> scenesSeen;
  std::set<int32_t> stagesPlayed;
  int starts = 0;
  int64_t passesIn[8] = {};
  int64_t checkedIdle = 0;

 private:
  bool HasFatalFailure() const { return testing::Test::HasFatalFailure(); }

  void Start() {
    hp_ = std::make_unique<HeadlessPlatform>(files_);
    hp_->display.recordBlits = false;
    g_ = std::make_unique<GameState>();
    std::string error;
    ASSERT_TRUE(StartHeadless(*g_, hp_->platform, dir_, error)) << error;
    ++starts;
  }

  // The recorders keep everything; a long run needs none of it.
  void Trim() {
    hp_->audio.sfxStarted.clear();
    hp_->audio.tuneOps.clear();
    hp_->system.pauses.clear();
    hp_->system.errors.clear();
  }

  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  WindowEvent Press(int16_t code, int16_t mask = 0) { return {WindowEventKind::KeyDown, code, mask}; }

  std::vector<WindowEvent> Events() {
    GameState& g = *g_;
    std::vector<WindowEvent> events;
    // The ending is a rare pick at the title (a stage-100 clear or its
    // key): the first title the run meets goes there, so every seed and
    // every stage set sees it.
    if (g.flow.Scene == SceneTitle && !scenesSeen.count(SceneEnding)) {
      events.push_back(Press(KeyF7, ModCtrlShift));
      return events;
    }
    // Held keys: the arrows mostly, now and then any key at all.
    if (Chance(0.05)) {
      for (int scan : kArrowScans) hp_->keyboard.held[scan] = Chance(0.3) ? 0x80 : 0;
      if (Chance(0.1)) hp_->keyboard.held[Pick(0, 255)] ^= 0x80;
    }
    // Any key with any modifiers, now and then, in every scene.
    if (Chance(0.01)) {
      const int16_t key = kEventKeys[Pick(0, std::size(kEventKeys) - 1)];
      events.push_back(Press(key, static_cast<int16_t>(Chance(0.5) ? ModCtrlShift : Pick(0, 7))));
    }
    // What a player does in each scene, so every stage and scene is reached.
    switch (g.flow.Scene) {
      case SceneTitle:
        if (g.flow.StageNo < target_) events.push_back(Press(KeyUp));
        else if (g.flow.StageNo > target_) events.push_back(Press(KeyDown));
        else if (Chance(0.2)) {
          const int r = Pick(1, 100);
          if (r <= 45) events.push_back(Press(KeyEnter));
          else if (r <= 80) events.push_back(Press(KeyF11, ModCtrlShift));  // a shipped solution
          else if (r <= 96) events.push_back(Press(KeyF9, ModCtrlShift));
          else if (r <= 98) events.push_back(Press(KeyF7, ModCtrlShift));
          else events.push_back(Press(KeyEscape));  // quits; the soak starts again
          target_ = target_ % kStageCount + 1;
        }
        break;
      case SceneIdle:
        // Give up a stage after a while so the run goes on to others.
        if (playPasses_ > 400 && Chance(0.05)) events.push_back(Press(KeyEscape));
        break;
      case SceneClear:
      case SceneRetire:
        if (Chance(0.1)) events.push_back(Press(g.flow.Scene == SceneClear ? KeyEnter : KeyEscape));
        break;
      case SceneEditor:
        if (Chance(0.3)) {
          static const int16_t kEditorKeys[] = {KeyLeft, KeyUp, KeyRight, KeyDown, KeyA, KeyZ, KeyQ,
                                                Key1,    Key1 + 1, Key1 + 4, Key8};
          events.push_back(Press(kEditorKeys[Pick(0, std::size(kEditorKeys) - 1)]));
        }
        if (Chance(0.005)) events.push_back(Press(Chance(0.5) ? KeyEnter : KeyEscape));
        break;
      case SceneEnding:
        if (Chance(0.002)) events.push_back(Press(KeySpace));
        break;
      default: break;
    }
    return events;
  }

  void CheckBoard(int64_t frame) {
    const GameState& g = *g_;
    if (g.flow.Scene != SceneIdle || hp_->system.Ended()) return;
    const int64_t at = StageCellOffset(g.flow.StageNo, 0, 0);
    if (std::memcmp(&files_.stages[at], &shipped_[at], kStageSize) != 0) return;  // edited
    ++checkedIdle;
    int players = 0;
    for (const auto& column : g.Map)
      for (int32_t k : column) players += k == KindPlayer;
    ASSERT_EQ(players, 1) << "frame " << frame << ", stage " << g.flow.StageNo;
    ASSERT_TRUE(InGrid(g.PlayerX, g.PlayerY));
    ASSERT_EQ(g.Map[g.PlayerX][g.PlayerY], KindPlayer) << "frame " << frame << ", stage " << g.flow.StageNo;
  }

  std::string dir_;
  WatchedFiles& files_;
  const std::vector<uint8_t> shipped_;
  std::mt19937 rng_;
  std::unique_ptr<HeadlessPlatform> hp_;
  std::unique_ptr<GameState> g_;
  int32_t target_ = 1;
  int64_t playPasses_ = 0;
};

TEST(Soak, RandomKeysThroughEveryStageAndScene) {
  const int64_t frames = EnvOr("RARA3_SOAK_FRAMES", 50'000);
  const auto seed = static_cast<uint32_t>(EnvOr("RARA3_SOAK_SEED", 1));
  const std::string assets = std::string(RARA3_SOURCE_DIR) + "/assets";

  // The shipped data file, packed as the build does, every stage unlocked;
  // the editor saves into this copy only.
  test::TempFolder dir;
  PosixFiles posix;
  std::vector<uint8_t> data;
  std::vector<std::string> errors;
  ASSERT_TRUE(PackDataFile(posix, {assets + "/stages", assets + "/sound/tune.mid", assets + "/sound", "100"},
                           data, errors))
      << errors.front();
  dir.Write(kDataFileName, data);
  // The shipped solutions as replay files, so replays clear stages.
  for (const auto& e : std::filesystem::directory_iterator(assets + "/solutions"))
    std::filesystem::copy_file(e.path(), dir / e.path().filename().string());

  WatchedFiles files(posix, std::vector<uint8_t>(data.begin(), data.begin() + kProgressOffset));
  Soak soak(dir.path(), files, seed);
  soak.Run(frames);
  if (HasFatalFailure()) return;

  std::printf("soak: %lld frames, seed %u, %d starts, %zu stages played, %lld idle frames checked\n",
              static_cast<long long>(frames), seed, soak.starts, soak.stagesPlayed.size(),
              static_cast<long long>(soak.checkedIdle));
  std::printf("soak: passes per scene");
  for (int64_t n : soak.passesIn) std::printf(" %lld", static_cast<long long>(n));
  std::printf("\n");
  // The run reached what it is meant to reach.
  for (int scene = SceneTitle; scene <= SceneEditor; ++scene)
    EXPECT_TRUE(soak.scenesSeen.count(scene)) << "scene " << scene << " never reached";
  EXPECT_GE(soak.stagesPlayed.size(), frames >= 1'000'000 ? 100u : 30u);
  EXPECT_GT(soak.checkedIdle, frames / 10);
}

}  // namespace
}  // namespace rara3
