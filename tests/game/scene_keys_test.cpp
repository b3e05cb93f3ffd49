// The key handler, scene by scene: every key that acts, and every other key
// and modifier combination doing nothing at all.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>

#include "game/replay_file.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

// What a key may change: the state the game shows and keeps, and every
// call the platform saw.
struct Snapshot {
  int16_t scene;
  int32_t stageNo, maxStage, altColors, stepFrames, recordCount, replayPos, retireTick;
  bool musicOn, soundOn, recording, replayMode, exitOpen;
  int32_t playerX, playerY, targetX, targetY, facing;
  std::vector<int32_t> map;
  size_t tuneOps, pauses, sfx, errors, fileOps;
  bool ended, unacquired;
  int restores;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const GameState& g, const HeadlessPlatform& hp, const FaultyFiles& files) {
  Snapshot s{g.flow.Scene,        g.flow.StageNo,      g.flow.MaxStage,   g.switches.AltColors, g.switches.StepFrames,
             g.record.RecordCount,  g.record.ReplayPos,    g.pace.RetireTick, g.switches.MusicOn,   g.switches.SoundOn,
             g.record.Recording,    g.record.ReplayMode,   g.ExitOpen,   g.PlayerX,   g.PlayerY,
             g.TargetX,      g.TargetY,      g.Facing,     {},          hp.audio.tuneOps.size(),
             hp.system.pauses.size(), hp.audio.sfxStarted.size(), hp.system.errors.size(),
             files.Log().size(), hp.system.ended, hp.keyboard.unacquired, hp.display.restores};
  for (const auto& column : g.Map) s.map.insert(s.map.end(), std::begin(column), std::end(column));
  return s;
}

class SceneKeysTest : public GameFixture {
 public:
  // The game in a scene, with every condition for its keys met.
  void EnterScene(int16_t scene) {
    g.flow.StageNo = 2;
    g.record.Recording = true;
    switch (scene) {
      case SceneTitle:
        break;
      case SceneEditor:
        ASSERT_TRUE(LoadStageForEditor(g, p.files, p.system));
        g.PlayerX = 5;
        g.PlayerY = 5;
        break;
      default:
        ASSERT_TRUE(LoadStage(g, p.files, p.system));
        break;
    }
    g.flow.Scene = scene;
    g.pace.ClearTick = 95;
    g.pace.RetireTick = 47;
    g.pace.EndingPhase = 3;
  }
};

// The keys of each scene that act on something, with their modifier rule.
bool Acts(int16_t scene, int16_t key, int16_t mask) {
  const bool sound = key == KeyM || key == KeyS;
  // F1 shows or hides the side panels everywhere but in the ending.
  if (key == KeyF1 && scene != SceneEnding) return true;
  switch (scene) {
    case SceneTitle:
      if (key == KeyF7 || key == KeyF9 || key == KeyF11) return mask == ModCtrlShift;
      return sound || key == KeyEnter || key == KeyEscape || key == KeyUp || key == KeyDown;
    case SceneIdle:
      return sound || key == KeyEnter || key == KeyEscape || key == KeySpace;
    case SceneWalk:
    case ScenePush:
      return sound;
    case SceneClear:
      return sound || key == KeyEnter;
    case SceneRetire:
      return sound || key == KeyEscape;
    case SceneEditor:
      return sound || key == KeyEnter || key == KeyEscape || (key >= KeyLeft && key <= KeyDown) ||
             (key >= Key1 && key <= Key8) || key == KeyA || key == KeyQ || key == KeyZ;
    default:
      return false;  // the ending before its last phase, unknown scenes
  }
}

TEST_F(SceneKeysTest, EveryOtherKeyAndModifierDoesNothing) {
  const int16_t scenes[] = {SceneTitle,  SceneIdle,   SceneWalk, ScenePush, SceneClear,
                            SceneRetire, SceneEnding, SceneEditor, 8,       -1};
  const int16_t masks[] = {0, ModShift, ModCtrl, ModCtrlShift, ModAlt, ModAlt | ModCtrlShift};
  for (const int16_t scene : scenes) {
    EnterScene(scene);
    const auto base = std::make_unique<GameState>(g);
    for (int16_t key = 0; key < 256; ++key) {
      for (const int16_t mask : masks) {
        if (Acts(scene, key, mask)) continue;
        g = *base;
        const Snapshot before = Take(g, hp, files);
        Key(key, mask);
        ASSERT_EQ(Take(g, hp, files), before)
            << "scene " << scene << ", key " << key << ", mask " << mask;
      }
    }
  }
}

struct ActingKey {
  const char* name;
  int16_t scene;
  int16_t key;
  int16_t mask;
  std::function<void(SceneKeysTest&)> check;
};

void PrintTo(const ActingKey& c, std::ostream* os) { *os << c.name; }

void ExpectQuit(const HeadlessPlatform& hp) {
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(hp.system.status, 0);
  EXPECT_EQ(hp.display.restores, 1);
  EXPECT_TRUE(hp.system.cursorShown);
  ASSERT_FALSE(hp.audio.tuneOps.empty());
  EXPECT_EQ(hp.audio.tuneOps.back(), "close");
}

const ActingKey kActingKeys[] = {
    {"TitleEnterStartsARecordedPlay", SceneTitle, KeyEnter, ModAlt,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneIdle);
       EXPECT_TRUE(t.g.record.Recording);
       EXPECT_EQ(t.g.record.RecordCount, 0);
       EXPECT_FALSE(t.g.record.ReplayMode);
       EXPECT_EQ(t.g.PlayerX, 1);
       EXPECT_EQ(t.g.Facing, FacingDown);
     }},
    {"TitleEscQuits", SceneTitle, KeyEscape, ModShift,
     [](SceneKeysTest& t) { ExpectQuit(t.hp); }},
    {"TitleUpSelectsTheNextStage", SceneTitle, KeyUp, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.flow.StageNo, 3); }},
    {"TitleDownSelectsThePreviousStage", SceneTitle, KeyDown, ModCtrl,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.flow.StageNo, 1); }},
    {"TitleMSwitchesTheMusicOff", SceneTitle, KeyM, 0,
     [](SceneKeysTest& t) {
       EXPECT_FALSE(t.g.switches.MusicOn);
       EXPECT_EQ(t.hp.audio.tuneOps, std::vector<std::string>{"stop"});
       EXPECT_TRUE(t.hp.system.pauses.empty());
     }},
    {"TitleSSwitchesTheSoundOff", SceneTitle, KeyS, 0,
     [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"TitleCtrlShiftF7StartsTheEnding", SceneTitle, KeyF7, ModCtrlShift,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneEnding);
       EXPECT_FALSE(t.g.switches.MusicOn);
       EXPECT_EQ(t.hp.audio.tuneOps, std::vector<std::string>{"stop"});
     }},
    {"TitleCtrlShiftF9OpensTheEditor", SceneTitle, KeyF9, ModCtrlShift,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneEditor);
       EXPECT_EQ(t.g.Map[18][18], KindExit);
     }},
    {"TitleCtrlShiftF11StartsTheReplay", SceneTitle, KeyF11, ModCtrlShift,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneIdle);
       EXPECT_TRUE(t.g.record.ReplayMode);
       EXPECT_FALSE(t.g.record.Recording);
       EXPECT_EQ(t.g.record.ReplayCount, 1);
       EXPECT_EQ(t.g.record.ReplayPos, 0);
     }},
    {"IdleEnterChangesTheSpeed", SceneIdle, KeyEnter, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.switches.StepFrames, 1); }},
    {"IdleEscRetiresWithItsSound", SceneIdle, KeyEscape, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneRetire);
       EXPECT_EQ(t.g.pace.RetireTick, 0);
       EXPECT_EQ(t.hp.audio.sfxStarted, std::vector<int>{8});
       EXPECT_TRUE(t.g.record.Recording);
     }},
    {"IdleSpaceSwitchesTheColours", SceneIdle, KeySpace, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.switches.AltColors, 1); }},
    {"IdleMSwitchesTheMusicOff", SceneIdle, KeyM, 0,
     [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"IdleSSwitchesTheSoundOff", SceneIdle, KeyS, 0,
     [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"WalkM", SceneWalk, KeyM, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"WalkS", SceneWalk, KeyS, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"PushM", ScenePush, KeyM, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"PushS", ScenePush, KeyS, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"ClearEnterContinues", SceneClear, KeyEnter, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.StageNo, 3);
       EXPECT_EQ(t.g.flow.Scene, SceneIdle);
     }},
    {"ClearM", SceneClear, KeyM, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"ClearS", SceneClear, KeyS, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"RetireEscReturnsToTheTitle", SceneRetire, KeyEscape, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneTitle);
       EXPECT_FALSE(t.g.record.Recording);
     }},
    {"RetireM", SceneRetire, KeyM, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"RetireS", SceneRetire, KeyS, 0, [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
    {"EditorLeftMovesTheCursor", SceneEditor, KeyLeft, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.PlayerX, 4); }},
    {"EditorUpMovesTheCursor", SceneEditor, KeyUp, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.PlayerY, 4); }},
    {"EditorRightMovesTheCursor", SceneEditor, KeyRight, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.PlayerX, 6); }},
    {"EditorDownMovesTheCursor", SceneEditor, KeyDown, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.PlayerY, 6); }},
    {"Editor1PlacesAPairBox", SceneEditor, Key1, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.Map[5][5], KindPairBox); }},
    {"Editor5PlacesASlideBox", SceneEditor, 53, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.Map[5][5], KindSlideBox); }},
    {"Editor8PlacesABombBox", SceneEditor, Key8, ModAlt,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.Map[5][5], KindBombBox); }},
    {"EditorAPlacesAPlayer", SceneEditor, KeyA, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.Map[5][5], KindPlayer);
       EXPECT_EQ(t.g.Map[1][1], KindPlayer);
       EXPECT_EQ(t.g.PlayerX, 5);
     }},
    {"EditorZPlacesAnExit", SceneEditor, KeyZ, 0,
     [](SceneKeysTest& t) { EXPECT_EQ(t.g.Map[5][5], KindExit); }},
    {"EditorQEmptiesTheCell", SceneEditor, KeyQ, 0,
     [](SceneKeysTest& t) {
       t.g.Map[5][5] = KindSolidBox;
       t.Key(KeyQ);
       EXPECT_EQ(t.g.Map[5][5], KindEmpty);
     }},
    {"EditorEnterSavesAndReturns", SceneEditor, KeyEnter, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneTitle);
       EXPECT_EQ(t.mem.files.count("/game/002.LVL"), 1u);
     }},
    {"EditorEscReturnsWithoutSaving", SceneEditor, KeyEscape, 0,
     [](SceneKeysTest& t) {
       EXPECT_EQ(t.g.flow.Scene, SceneTitle);
       EXPECT_EQ(t.mem.files.count("/game/002.LVL"), 0u);
     }},
    {"EditorMSwitchesTheMusicOff", SceneEditor, KeyM, 0,
     [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.MusicOn); }},
    {"EditorSSwitchesTheSoundOff", SceneEditor, KeyS, 0,
     [](SceneKeysTest& t) { EXPECT_FALSE(t.g.switches.SoundOn); }},
};

class ActingKeys : public SceneKeysTest, public testing::WithParamInterface<ActingKey> {};

TEST_P(ActingKeys, ActAsTheTableSays) {
  const ActingKey& c = GetParam();
  const std::vector<uint8_t> replay = FormatReplay(std::vector<int32_t>{31}.data(), 1);
  mem.files["/game/002.PBD"] = replay;
  EnterScene(c.scene);
  ASSERT_TRUE(Acts(c.scene, c.key, c.mask));
  Key(c.key, c.mask);
  c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(Scenes, ActingKeys, testing::ValuesIn(kActingKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneKeysTest, EndingWaitsForItsLastPhaseThenAnyKeyQuits) {
  const std::tuple<int16_t, int16_t> keys[] = {{KeyA, 0}, {KeyM, 0}, {KeyEscape, ModAlt}};
  for (const auto& [key, mask] : keys) {
    EnterScene(SceneEnding);
    g.pace.EndingPhase = 6;
    Key(key, mask);
    EXPECT_FALSE(hp.system.ended) << key;
    EXPECT_TRUE(g.switches.MusicOn);
    g.pace.EndingPhase = 7;
    Key(key, mask);
    ExpectQuit(hp);
    hp.system.ended = false;
    hp.display.restores = 0;
  }
}

// Enter on the clear screen and Esc on the retire screen wait for their
// animation; M and S do not.
TEST_F(SceneKeysTest, ClearAndRetireWaitForTheirAnimation) {
  EnterScene(SceneClear);
  g.pace.ClearTick = 94;
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneClear);
  EXPECT_EQ(g.flow.StageNo, 2);
  Key(KeyS);
  EXPECT_FALSE(g.switches.SoundOn);

  EnterScene(SceneRetire);
  g.pace.RetireTick = 46;
  Key(KeyEscape);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
  EXPECT_TRUE(g.record.Recording);
  Key(KeyS);
  EXPECT_TRUE(g.switches.SoundOn);
}

TEST_F(SceneKeysTest, UnloadEndsTheProgramFromAnyScene) {
  for (const int16_t scene : {SceneTitle, SceneIdle, SceneWalk, ScenePush, SceneRetire, SceneEnding, SceneEditor}) {
    hp.system.ended = false;
    hp.display.restores = 0;
    hp.keyboard.unacquired = false;
    hp.system.cursorShown = false;
    EnterScene(scene);
    const size_t fileOps = files.Log().size();
    HandleClose(g, p);
    EXPECT_TRUE(hp.keyboard.unacquired);
    EXPECT_EQ(hp.display.restores, 1);
    EXPECT_TRUE(hp.system.cursorShown);
    EXPECT_TRUE(hp.system.ended);
    EXPECT_EQ(hp.system.status, 0);
    // Nothing is written on the way out; the editor only reads its stage to
    // see whether there are unsaved edits (its own tests cover those).
    for (size_t i = fileOps; i < files.Log().size(); ++i) {
      EXPECT_EQ(files.Log()[i].rfind("Read", 0), 0u) << files.Log()[i];
    }
    EXPECT_LE(files.Log().size(), fileOps + (scene == SceneEditor ? 1 : 0));
  }
}

// A floor cleared is kept when the window closes on the clear screen, as
// Enter would keep it, whether or not Enter is taken yet; a replay keeps
// nothing.
TEST_F(SceneKeysTest, CloseOnTheClearScreenKeepsTheClear) {
  const std::string kReplay = "ReplaceWhole /game/002.PBD";
  const std::string kHints = "ReplaceWhole /game/hints.txt";
  struct CloseCase {
    const char* name;
    bool replay;
    int32_t maxStage;
    int32_t clearTick;
    std::vector<std::string> writes;
    int32_t maxStageAfter;
  } const cases[] = {
      {"HighestFloor", false, 2, 95, {kReplay, kHints, "WriteAt /game/TOVAK.DAT"}, 3},
      {"BeforeEnterIsTaken", false, 2, 10, {kReplay, kHints, "WriteAt /game/TOVAK.DAT"}, 3},
      {"LowerFloor", false, 5, 95, {kReplay, kHints}, 5},
      {"Replay", true, 2, 95, {}, 2},
  };
  for (const CloseCase& c : cases) {
    EnterScene(SceneClear);
    g.record.ReplayMode = c.replay;
    g.flow.MaxStage = c.maxStage;
    g.pace.ClearTick = c.clearTick;
    hp.system.ended = false;
    const size_t fileOps = files.Log().size();
    HandleClose(g, p);
    EXPECT_TRUE(hp.system.ended) << c.name;
    std::vector<std::string> writes;
    for (size_t i = fileOps; i < files.Log().size(); ++i) {
      if (files.Log()[i].rfind("Read", 0) != 0) writes.push_back(files.Log()[i]);
    }
    EXPECT_EQ(writes, c.writes) << c.name;
    EXPECT_EQ(g.flow.MaxStage, c.maxStageAfter) << c.name;
  }
}

}  // namespace
}  // namespace rara3
