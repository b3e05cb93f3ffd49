// A whole game without a machine: a synthetic data file in memory behind a
// fault-injecting file layer, the recording platform, and a fresh game state
// prepared as the program does at start.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "game/game.h"
#include "support/faulty_files.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "support/test_boards.h"

namespace rara3::test {

inline const std::string kAppDir = "/game/";
inline const std::string kDataPath = "/game/TOVAK.DAT";

// Stage bytes as stored: like the test boards, but E is an exit cell.
inline uint8_t StoredKindOfChar(char c) {
  return static_cast<uint8_t>(c == 'E' ? KindExit : KindOfChar(c));
}

// A data file of the real size: every stage a closed room with the player at
// (1, 1) and the exit at (18, 18), the given progress byte, and a byte
// pattern in the tune and effects.
inline std::vector<uint8_t> SyntheticDataFile(uint8_t progress) {
  std::vector<uint8_t> bytes(static_cast<size_t>(kDataFileSize));
  for (size_t i = kTuneOffset; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  for (int32_t s = 1; s <= kStageCount; ++s) {
    for (int32_t y = 0; y < 20; ++y) {
      for (int32_t x = 0; x < 20; ++x) {
        const bool ring = x == 0 || y == 0 || x == 19 || y == 19;
        uint8_t k = ring ? KindSolidBox : KindEmpty;
        if (x == 1 && y == 1) k = KindPlayer;
        if (x == 18 && y == 18) k = KindExit;
        bytes[StageCellOffset(s, x, y)] = k;
      }
    }
  }
  bytes[kProgressOffset] = progress;
  return bytes;
}

// Members are public so case tables can check them through a reference.
class GameFixture : public testing::Test {
 public:
  GameFixture() {
    mem.files[kDataPath] = SyntheticDataFile(5);
    std::string error;
    if (!OpenGameFolder(g, files, "/game", error)) ADD_FAILURE() << error;
    // What the bring-up sets before the loop runs.
    g.switches.MusicOn = true;
    g.switches.SoundOn = true;
    g.lifecycle.LoopStarted = true;
    HandleActivate(g);
  }

  std::vector<uint8_t>& Data() { return mem.files[kDataPath]; }

  // Stores rows of stage-file characters as stage s; missing cells are empty.
  void PutStage(int32_t s, const std::vector<std::string>& rows) {
    for (int32_t y = 0; y < 20; ++y) {
      for (int32_t x = 0; x < 20; ++x) {
        const char c = y < static_cast<int32_t>(rows.size()) &&
                               x < static_cast<int32_t>(rows[y].size())
                           ? rows[y][x]
                           : '.';
        Data()[StageCellOffset(s, x, y)] = StoredKindOfChar(c);
      }
    }
  }

  // Puts a board straight into the game, in the idle scene.
  void PlayBoard(const std::vector<std::string>& rows, int32_t facing = FacingDown) {
    FillBoard(g, rows);
    g.Facing = facing;
    g.flow.Scene = SceneIdle;
  }

  void Key(int16_t code, int16_t mask = 0) { HandleKeyDown(g, p, code, mask); }

  void Hold(int keyStateIndex, bool held = true) {
    hp.keyboard.held[keyStateIndex] = held ? 0x80 : 0;
  }

  MemoryFiles mem;
  FaultyFiles files{mem};
  HeadlessPlatform hp{files};
  Platform& p = hp.platform;
  // On the heap: the record and replay lists make the state large.
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& g = *state;
};

}  // namespace rara3::test
